#include "shell/frame_chart.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/log.h"
#include "platform/pending_file.h"

namespace {

// Plot area in SVG units.
constexpr double kWidth = 1200;
constexpr double kHeight = 500;
constexpr double kLeft = 70;
constexpr double kRight = 30;
constexpr double kTop = 50;
constexpr double kBottom = 50;

struct Scale {
    double timeFrom;
    double timeTo;
    double msTop;
    double x(double t) const {
        return kLeft + (t - timeFrom) / (timeTo - timeFrom) * (kWidth - kLeft - kRight);
    }
    double y(double ms) const {
        return kTop + (1.0 - std::min(ms, msTop) / msTop) * (kHeight - kTop - kBottom);
    }
};

std::string format(const char* pattern, double a, double b = 0, double c = 0, double d = 0) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

// Room for the slow frames the eye looks for, without a single stall flattening the rest.
Scale scaleFor(const FrameStats& stats) {
    Scale scale{0, 1, 50};
    std::vector<double> times;
    for (const auto& frame : stats.frames())
        times.push_back(frame.milliseconds);
    if (!stats.frames().empty()) {
        scale.timeFrom = stats.frames().front().showTime;
        scale.timeTo = stats.frames().back().showTime;
    }
    if (scale.timeTo <= scale.timeFrom)
        scale.timeTo = scale.timeFrom + 1;
    const double high = FrameStats::percentile(times, 0.995) * 1.1;
    scale.msTop = std::clamp(std::ceil(high / 10) * 10, 50.0, 1000.0);
    return scale;
}

std::string axes(const Scale& s) {
    std::string out;
    const double timeStep = s.timeTo - s.timeFrom > 60 ? 20 : s.timeTo - s.timeFrom > 12 ? 5 : 1;
    for (double t = std::ceil(s.timeFrom / timeStep) * timeStep; t <= s.timeTo; t += timeStep) {
        out += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%g</text>\n", s.x(t),
                      kHeight - kBottom + 18, t + 0.0);  // + 0.0: no "-0"
    }
    const double msStep = s.msTop > 200 ? 100 : s.msTop > 100 ? 20 : 10;
    for (double ms = 0; ms <= s.msTop; ms += msStep) {
        out += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%g</text>\n", kLeft - 6,
                      s.y(ms) + 4, ms);
    }
    out += format(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"none\" "
        "stroke=\"#444\"/>\n",
        kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom);
    out += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">show time (s)</text>\n",
                  (kLeft + kWidth - kRight) / 2, kHeight - 10);
    out += format(
        "<text x=\"16\" y=\"%.1f\" transform=\"rotate(-90 16 %.1f)\" "
        "text-anchor=\"middle\">frame time (ms)</text>\n",
        (kTop + kHeight - kBottom) / 2, (kTop + kHeight - kBottom) / 2);
    return out;
}

std::string sectionLines(const FrameStats& stats, const Scale& s) {
    std::string out;
    for (const auto& section : stats.sections()) {
        if (section.start <= s.timeFrom || section.start >= s.timeTo)
            continue;
        out += format(
            "<line class=\"section\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
            "stroke=\"#999\" stroke-dasharray=\"4 3\"/>\n",
            s.x(section.start), kTop, s.x(section.start), kHeight - kBottom);
        out += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%.2f</text>\n",
                      s.x(section.start), kTop - 6, section.start);
    }
    return out;
}

std::string referenceLines(const Scale& s) {
    std::string out;
    const struct {
        double ms;
        const char* label;
        const char* colour;
    } lines[] = {{1000.0 / 60, "16.7 ms (60 fps)", "#2a2"},
                 {1000.0 / 30, "33.3 ms (30 fps)", "#d80"}};
    for (const auto& line : lines) {
        const double y = s.y(line.ms);
        out += format("<line class=\"target\" x1=\"%.1f\" y1=\"%.3f\" x2=\"%.1f\" y2=\"%.3f\" ",
                      kLeft, y, kWidth - kRight, y);
        out += std::string("stroke=\"") + line.colour + "\" stroke-width=\"1.5\"/>\n";
        out += format(
            "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\" paint-order=\"stroke\" "
            "stroke=\"white\" stroke-width=\"4\" ",
            kWidth - kRight - 4, y - 4);
        out += std::string("fill=\"") + line.colour + "\">" + line.label + "</text>\n";
    }
    return out;
}

}  // namespace

std::string frameChartSvg(const FrameStats& stats) {
    const Scale s = scaleFor(stats);
    std::vector<double> times;
    for (const auto& frame : stats.frames())
        times.push_back(frame.milliseconds);
    std::string out = format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
        "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\" font-size=\"12\">\n",
        kWidth, kHeight, kWidth, kHeight);
    out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out += format(
        "<text x=\"%.1f\" y=\"20\" font-size=\"15\">tarvel --bench: frame time over "
        "show time, %.0f frames, median %.2f ms, 90th percentile %.2f ms</text>\n",
        kLeft, static_cast<double>(times.size()), FrameStats::percentile(times, 0.5),
        FrameStats::percentile(times, 0.9));
    out += axes(s);
    out += sectionLines(stats, s);
    out +=
        "<polyline class=\"frames\" fill=\"none\" stroke=\"#2458a8\" stroke-width=\"1\" "
        "points=\"";
    for (const auto& frame : stats.frames()) {
        out += format("%.2f,%.2f ", s.x(frame.showTime), s.y(frame.milliseconds));
    }
    out += "\"/>\n";
    out += referenceLines(s);  // over the frames, so that their labels stay readable
    out += "</svg>\n";
    return out;
}

std::string frameTableCsv(const FrameStats& stats) {
    std::string out = "frame,show_time_s,frame_ms\n";
    long long index = 0;
    for (const auto& frame : stats.frames()) {
        out += format("%.0f,%.6f,%.3f\n", static_cast<double>(index++), frame.showTime,
                      frame.milliseconds);
    }
    return out;
}

namespace {

bool writeTextFile(platform::PendingFile& file, const std::string& text, std::string& error) {
    if (!file.open(error))
        return false;
    if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
        error = std::strerror(errno);
        file.discard();
        return false;
    }
    return true;
}

}  // namespace

bool writeBenchFiles(const FrameStats& stats, const std::string& chartFile,
                     const std::string& csvFile) {
    // Both are written in full before either takes its name: an interruption leaves neither.
    platform::PendingFile chart(chartFile);
    platform::PendingFile csv(csvFile);
    std::string error;
    const auto failed = [&error](const platform::PendingFile& file) {
        logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot write %s: %s",
                       file.path().c_str(), error.c_str());
        return false;
    };
    if (!chartFile.empty() && !writeTextFile(chart, frameChartSvg(stats), error))
        return failed(chart);
    if (!csvFile.empty() && !writeTextFile(csv, frameTableCsv(stats), error))
        return failed(csv);
    if (!chartFile.empty() && !chart.commit(error))
        return failed(chart);
    if (!csvFile.empty() && !csv.commit(error))
        return failed(csv);
    return true;
}
