#include "shell/frame_stats.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The show's sections, in seconds of show time; the lead-in comes first.
constexpr double kBounds[] = {-4.0, 0.0, 11.52, 26.88, 42.72, 77.76, 94.56, 122.4, 165.0, 185.0};

}  // namespace

FrameStats::FrameStats() {
    for (size_t i = 0; i + 1 < std::size(kBounds); ++i) {
        sections_.push_back({kBounds[i], kBounds[i + 1], {}});
    }
}

void FrameStats::addFrame(double showTime, double milliseconds, double residentMiB) {
    const bool first = frames_.empty();
    frames_.push_back({showTime, milliseconds});
    Section* target = &sections_.back();  // the last frames up to 185 s
    for (auto& section : sections_) {
        if (showTime >= section.start && showTime < section.end) {
            target = &section;
            break;
        }
    }
    target->frames.push_back(milliseconds);
    if (!first) {
        target->worst = std::max(target->worst, milliseconds);
    }
    target->peakMiB = std::max(target->peakMiB, residentMiB);
}

double FrameStats::percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t rank = static_cast<size_t>(std::ceil(p * static_cast<double>(values.size())));
    rank = std::clamp<size_t>(rank, 1, values.size());
    return values[rank - 1];
}

void FrameStats::setFillUnit(double milliseconds, int passes, int width, int height) {
    fillUnitMs_ = milliseconds;
    fillPasses_ = passes;
    fillWidth_ = width;
    fillHeight_ = height;
}

std::string FrameStats::report() const {
    char line[200];
    std::string out;
    const bool units = fillUnitMs_ > 0;
    if (units) {
        std::snprintf(line, sizeof line,
                      "fill unit: %.3f ms (one full-window textured, blended pass at %dx%d, "
                      "median of %d)\n",
                      fillUnitMs_, fillWidth_, fillHeight_, fillPasses_);
        out += line;
    }
    out += units ? "section (s)        frames  median ms  p90 ms  median fu  p90 fu  worst ms  "
                   "peak MiB\n"
                 : "section (s)        frames  median ms  p90 ms  worst ms  peak MiB\n";
    for (const auto& section : sections_) {
        const double median = percentile(section.frames, 0.5);
        const double p90 = percentile(section.frames, 0.9);
        std::snprintf(line, sizeof line, "%7.2f - %7.2f  %7zu  %9.2f  %6.2f", section.start,
                      section.end, section.frames.size(), median, p90);
        out += line;
        if (units) {
            std::snprintf(line, sizeof line, "  %9.2f  %6.2f", median / fillUnitMs_,
                          p90 / fillUnitMs_);
            out += line;
        }
        std::snprintf(line, sizeof line, "  %8.2f  %8.1f\n", section.worst, section.peakMiB);
        out += line;
    }
    std::snprintf(line, sizeof line, "start-up: %.0f ms (launch to first frame), %.1f MiB\n",
                  startupMs_, startupMiB_);
    out += line;
    std::snprintf(line, sizeof line, "peak memory: %.1f MiB\n", peakResidentMegabytes());
    out += line;
    return out;
}

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
