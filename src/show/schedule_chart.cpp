#include "show/schedule_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "base/beat.h"
#include "show/show.h"
#include "show/show_clock.h"

namespace {

// Show time drawn, seconds: the show, and after its end what a repeat puts there.
constexpr double kFrom = -ShowClock::kLeadIn;
constexpr double kTo = ShowClock::kEndTime;
constexpr double kLatestDrawn = kTo + 60.0;
// Layout, in SVG units (pixels at 100 %): wide enough that a beat is 7 pixels.
constexpr double kPerSecond = 14.0;
constexpr double kLeft = 110.0;  // lane names
constexpr double kRight = 20.0;
constexpr double kSectionTop = 30.0;
constexpr double kAxisTop = 52.0;
constexpr double kLanesTop = 84.0;
constexpr double kLevelHeight = 15.0;
constexpr double kBarHeight = 12.0;
constexpr double kLaneGap = 6.0;
constexpr double kLoudnessHeight = 90.0;
constexpr double kCharWidth = 5.6;  // of the 9-unit label font, for packing the rows

// The lanes in the order the frame draws them; the windows that change that order first.
const char* const kLaneOrder[] = {"window",       "title",   "camera",     "back tags", "nick",
                                  "late scratch", "scratch", "front tags", "crew",      "graffiti",
                                  "tower",        "flash",   "info"};

struct Section {
    double start;
    double end;
    const char* name;
};

// What the viewer sees in each stretch of the show.
const Section kSections[] = {
    {kFrom, 0.0, "lead-in"},
    {0.0, Show::kTitleEnd, "title words"},
    {Show::kTitleEnd, beats(section::kFirstDrop), "turntable"},
    {beats(section::kFirstDrop), Show::kGraffitiStart, "first drop: character"},
    {Show::kGraffitiStart, Show::kGraffitiEnd, "graffiti"},
    {Show::kGraffitiEnd, Show::kTowerStart, "morph and scratch"},
    {Show::kTowerStart, Show::kTowerEnd, "tower"},
    {Show::kTowerEnd, beats(section::kMorphReturn), "crew"},
    {beats(section::kMorphReturn), 165.0, "morph again"},
    {165.0, kTo, "late scratch, the end"},
};

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char text[1024];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

int laneRank(const std::string& name) {
    const auto* found = std::find(std::begin(kLaneOrder), std::end(kLaneOrder), name);
    return static_cast<int>(found - std::begin(kLaneOrder));
}

const char* fillOf(const std::string& lane) {
    if (lane == "window")
        return "#d9d9d9";
    if (lane == "camera")
        return "#a6cee3";
    if (lane == "title" || lane == "tower" || lane == "scratch" || lane == "nick" ||
        lane == "late scratch")
        return "#b2df8a";
    return "#fdbf6f";
}

}  // namespace

ScheduleChart::ScheduleChart(const Schedule& schedule, const Loudness& loudness)
    : schedule_(schedule), loudness_(loudness), to_(kTo) {
    for (const Schedule::Row& row : schedule_.rows()) {
        to_ = std::max(to_, std::min(row.start + 4.0, kLatestDrawn));
    }
    to_ = std::ceil(to_ / 5.0) * 5.0;
    placeEntries();
}

double ScheduleChart::x(double t) const {
    return kLeft + (std::clamp(t, kFrom, to_) - kFrom) * kPerSecond;
}

double ScheduleChart::width() const {
    return x(to_) + kRight;
}

// The stretch of the chart an entry takes: its bar, or its label where that is longer.
double ScheduleChart::footprintEnd(const Schedule::Row& row) const {
    const double label = x(row.start) + 3 + kCharWidth * static_cast<double>(row.label.size());
    return std::max(x(row.end), label) + 4;
}

// Lanes in frame order; within a lane, each entry takes the first row where it overlaps
// neither a bar nor a label before it.
void ScheduleChart::placeEntries() {
    std::vector<std::string> names;
    for (const Schedule::Row& row : schedule_.rows()) {
        if (std::find(names.begin(), names.end(), row.lane) == names.end()) {
            names.push_back(row.lane);
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return laneRank(a) < laneRank(b);
    });
    std::vector<std::vector<double>> rowEnds(names.size());
    for (const Schedule::Row& row : schedule_.rows()) {
        const int lane =
            static_cast<int>(std::find(names.begin(), names.end(), row.lane) - names.begin());
        std::vector<double>& ends = rowEnds[lane];
        const double start = x(row.start);
        size_t level = 0;
        while (level < ends.size() && ends[level] > start) {
            ++level;
        }
        if (level == ends.size()) {
            ends.push_back(0);
        }
        ends[level] = footprintEnd(row);
        placed_.push_back({&row, lane, static_cast<int>(level)});
    }
    double top = kLanesTop;
    for (size_t i = 0; i < names.size(); ++i) {
        const int levels = std::max<int>(1, static_cast<int>(rowEnds[i].size()));
        lanes_.push_back({names[i], levels, top});
        top += levels * kLevelHeight + kLaneGap;
    }
    lanesBottom_ = top;
}

double ScheduleChart::height() const {
    return lanesBottom_ + kLoudnessHeight + 40;
}

std::string ScheduleChart::svg() const {
    std::string out = format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
        "viewBox=\"0 0 %.0f %.0f\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"9\">\n",
        width(), height(), width(), height());
    out += format("<rect width=\"%.0f\" height=\"%.0f\" fill=\"white\"/>\n", width(), height());
    out += format(
        "<text x=\"8\" y=\"18\" font-size=\"13\" font-weight=\"bold\">tarvel --schedule: %zu "
        "entries, beats of %.2f s, bars of four</text>\n",
        schedule_.rows().size(), kBeatSeconds);
    out += grid();
    out += sections();
    out += lanes();
    out += cutMarks();
    for (const Placed& placed : placed_) {
        out += entry(placed);
    }
    out += loudnessCurve();
    return out + "</svg>\n";
}

// Beats faint, bars stronger, the seconds and bar numbers along the top.
std::string ScheduleChart::grid() const {
    std::string out = "<g class=\"grid\">\n";
    const double bottom = lanesBottom_ + kLoudnessHeight;
    for (int beat = static_cast<int>(std::ceil(kFrom / kBeatSeconds)); beats(beat) <= to_; ++beat) {
        const bool bar = beat % 4 == 0;
        out += format("<line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\" stroke=\"%s\"/>\n",
                      x(beats(beat)), kAxisTop + 14, x(beats(beat)), bottom,
                      bar ? "#cfcfcf" : "#efefef");
        if (bar && beat % 16 == 0 && beat >= 0) {
            out += format("<text x=\"%.1f\" y=\"%.0f\" fill=\"#777\">bar %d</text>\n",
                          x(beats(beat)) + 2, kAxisTop + 24, beat / 4 + 1);
        }
    }
    for (int second = static_cast<int>(kFrom); second <= to_; ++second) {
        const bool labelled = second % 5 == 0;
        out += format("<line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\" stroke=\"#555\"/>\n",
                      x(second), kAxisTop + (labelled ? 2 : 8), x(second), kAxisTop + 12);
        if (labelled) {
            out += format("<text x=\"%.1f\" y=\"%.0f\" text-anchor=\"middle\">%d s</text>\n",
                          x(second), kAxisTop, second);
        }
    }
    return out + "</g>\n";
}

std::string ScheduleChart::sections() const {
    std::string out = "<g class=\"sections\">\n";
    bool shade = false;
    for (const Section& section : kSections) {
        const double left = x(section.start);
        const double w = x(section.end) - left;
        out += format(
            "<rect x=\"%.1f\" y=\"%.0f\" width=\"%.1f\" height=\"14\" fill=\"%s\"/>\n"
            "<text x=\"%.1f\" y=\"%.0f\" font-size=\"10\" font-weight=\"bold\">%s</text>\n",
            left, kSectionTop - 11, w, shade ? "#e8e8f4" : "#f4f4e8", left + 3, kSectionTop - 1,
            escaped(section.name).c_str());
        out += format(
            "<line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\" stroke=\"#8888aa\" "
            "stroke-dasharray=\"4 3\"/>\n",
            left, kSectionTop + 3, left, lanesBottom_ + kLoudnessHeight);
        shade = !shade;
    }
    if (to_ > kTo) {
        out += format(
            "<rect x=\"%.1f\" y=\"%.0f\" width=\"%.1f\" height=\"%.1f\" fill=\"#888\" "
            "fill-opacity=\"0.25\"/>\n"
            "<text x=\"%.1f\" y=\"%.0f\" font-size=\"10\" font-weight=\"bold\">after the end: "
            "never shown</text>\n",
            x(kTo), kSectionTop - 11, x(to_) - x(kTo),
            lanesBottom_ + kLoudnessHeight - kSectionTop + 11, x(kTo) + 3, kSectionTop - 1);
    }
    return out + "</g>\n";
}

std::string ScheduleChart::lanes() const {
    std::string out = "<g class=\"lanes\">\n";
    for (const Lane& lane : lanes_) {
        const double h = lane.levels * kLevelHeight;
        out += format(
            "<rect x=\"0\" y=\"%.1f\" width=\"%.0f\" height=\"%.1f\" fill=\"#f7f7f7\" "
            "fill-opacity=\"0.5\" stroke=\"#dddddd\"/>\n"
            "<text x=\"6\" y=\"%.1f\" font-size=\"11\">%s</text>\n",
            lane.top - 2, width(), h + 3, lane.top + 10, escaped(lane.name).c_str());
    }
    return out + "</g>\n";
}

// A bar for a timeline entry, the envelope for a flash; its label and a tooltip.
std::string ScheduleChart::entry(const Placed& placed) const {
    const Schedule::Row& row = *placed.row;
    const Lane& lane = lanes_[placed.lane];
    const double top = lane.top + placed.level * kLevelHeight;
    const double x0 = x(row.start);
    const double x1 = std::max(x(row.end), x0 + 1.5);
    const std::string title = format("<title>%.3f to %.3f s: %s (%s)</title>", row.start, row.end,
                                     escaped(row.kind).c_str(), escaped(row.source).c_str());
    std::string out;
    if (row.lane == "flash") {
        const bool black = row.label == "black";
        out = format(
            "<polygon class=\"entry flash\" points=\"%.1f,%.1f %.1f,%.1f %.1f,%.1f\" fill=\"%s\" "
            "stroke=\"#333\">%s</polygon>\n",
            x0, top + kBarHeight, x0 + 1, top, x1, top + kBarHeight, black ? "#222" : "#fff7a0",
            title.c_str());
    } else {
        const char* kind = row.lane == "camera" ? "entry cut" : "entry";
        out = format(
            "<rect class=\"%s\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.0f\" rx=\"2\" "
            "fill=\"%s\" stroke=\"#666\" stroke-width=\"0.5\">%s</rect>\n",
            kind, x0, top, x1 - x0, kBarHeight, fillOf(row.lane), title.c_str());
        out += format("<text x=\"%.1f\" y=\"%.1f\">%s</text>\n", x0 + 3, top + 9,
                      escaped(row.label).c_str());
    }
    return out;
}

// Where the camera cuts: a line through every lane below the camera's.
std::string ScheduleChart::cutMarks() const {
    std::string out = "<g class=\"cuts\">\n";
    for (const Placed& placed : placed_) {
        if (placed.row->lane == "camera") {
            const double at = x(placed.row->start);
            out += format(
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
                "stroke=\"#1f78b4\" stroke-opacity=\"0.5\"/>\n",
                at, lanes_[placed.lane].top, at, lanesBottom_ + kLoudnessHeight);
        }
    }
    return out + "</g>\n";
}

// The RMS level as a filled curve, scaled so the loudest step fills the band.
std::string ScheduleChart::loudnessCurve() const {
    const double base = lanesBottom_ + kLoudnessHeight;
    std::string out = format(
        "<text x=\"6\" y=\"%.1f\" font-size=\"11\">loudness</text>\n"
        "<line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#999\"/>\n",
        base - kLoudnessHeight / 2, kLeft, base, x(to_), base);
    const std::vector<float>& levels = loudness_.levels();
    if (levels.empty()) {
        return out + format(
                         "<text x=\"%.0f\" y=\"%.1f\" fill=\"#a00\">the music could not be "
                         "decoded</text>\n",
                         kLeft + 4, base - 8);
    }
    const float loudest = std::max(*std::max_element(levels.begin(), levels.end()), 1e-6f);
    out += format(
        "<polygon class=\"loudness\" fill=\"#6a3d9a\" fill-opacity=\"0.5\" "
        "stroke=\"#6a3d9a\" stroke-width=\"0.5\" points=\"%.1f,%.1f",
        x(0), base);
    for (size_t i = 0; i < levels.size(); ++i) {
        const double t = (static_cast<double>(i) + 0.5) * Loudness::kStepSeconds;
        if (t > to_) {
            break;
        }
        out += format(" %.1f,%.1f", x(t), base - levels[i] / loudest * (kLoudnessHeight - 6));
    }
    out += format(" %.1f,%.1f\"/>\n",
                  x(static_cast<double>(levels.size()) * Loudness::kStepSeconds), base);
    return out;
}
