#include "shell/frame_stats.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string lineStarting(const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(start, 0) == 0)
            return line;
    }
    return "";
}

}  // namespace

// Each section's median and 90th percentile in milliseconds and in fill units, so a figure
// from one machine compares with one from another; without a unit, milliseconds only.
TEST(FrameStats, ReportGivesEachSectionInMillisecondsAndInFillUnits) {
    FrameStats stats;
    stats.addFrame(100.0, 50.0);  // the run's first frame: counted, never the worst
    for (int i = 1; i <= 10; ++i) {
        stats.addFrame(100.0 + i * 0.1, 2.0 * i);  // 2, 4, … 20 ms in the tower section
    }
    stats.addFrame(12.0, 8.0);

    const std::string plain = stats.report();
    EXPECT_EQ(plain.find(" fu"), std::string::npos) << plain;

    stats.setFillUnit(4.0, 300, 800, 600);
    const std::string report = stats.report();
    EXPECT_NE(report.find("fill unit: 4.000 ms"), std::string::npos) << report;
    EXPECT_NE(report.find("at 800x600, median of 300"), std::string::npos) << report;
    EXPECT_NE(lineStarting(report, "section").find("median ms  p90 ms  median fu  p90 fu"),
              std::string::npos)
        << report;
    // Sorted: 2 … 20 and 50; the median is 12 ms (3 units), the 90th percentile 20 ms (5).
    std::istringstream tower(lineStarting(report, "  94.56"));
    std::string from, dash, to;
    double frames = 0, median = 0, p90 = 0, medianUnits = 0, p90Units = 0, worst = 0;
    tower >> from >> dash >> to >> frames >> median >> p90 >> medianUnits >> p90Units >> worst;
    EXPECT_EQ(frames, 11);
    EXPECT_DOUBLE_EQ(median, 12.0);
    EXPECT_DOUBLE_EQ(p90, 20.0);
    EXPECT_DOUBLE_EQ(medianUnits, 3.0);
    EXPECT_DOUBLE_EQ(p90Units, 5.0);
    EXPECT_DOUBLE_EQ(worst, 20.0);
    std::istringstream early(lineStarting(report, "  11.52"));
    early >> from >> dash >> to >> frames >> median >> p90 >> medianUnits;
    EXPECT_DOUBLE_EQ(medianUnits, 2.0);
}
