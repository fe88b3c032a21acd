#include "show/schedule_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <utility>

#include "base/beat.h"
#include "base/beat_position.h"
#include "show/show.h"
#include "show/show_clock.h"

namespace {

// Show time drawn, seconds: the show, and after its end what a repeat puts there.
constexpr double kFrom = -ShowClock::kLeadIn;
constexpr double kTo = ShowClock::kEndTime;
constexpr double kLatestDrawn = kTo + 60.0;
// Layout, in SVG units (pixels at 100 %): wide enough that a beat is 7 pixels.
constexpr double kPerSecond = 14.0;
constexpr double kLeft = 140.0;  // lane names
constexpr double kRight = 20.0;
constexpr double kSectionTop = 36.0;
constexpr double kAxisTop = 58.0;
constexpr double kLanesTop = 90.0;
constexpr double kLevelHeight = 15.0;
constexpr double kBarHeight = 12.0;
constexpr double kLaneGap = 6.0;
constexpr double kLoudnessHeight = 90.0;
// The labels are set in a monospaced face, whose every character advances 0.6 of the font
// size; a little more here keeps neighbours apart whichever of those faces draws them.
constexpr const char* kFont = "DejaVu Sans Mono, Liberation Mono, monospace";
constexpr double kAdvance = 0.62;
constexpr double kLabelSize = 9.0;

double textWidth(const std::string& text, double size) {
    return kAdvance * size * static_cast<double>(text.size());
}

const char* const kHiddenFill = "#ececec";

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

const char* fillOf(const Schedule::Row& row) {
    const std::string& lane = Schedule::lanes()[static_cast<size_t>(row.lane)];
    if (row.seen == Schedule::Seen::Hidden)
        return kHiddenFill;
    if (row.seen == Schedule::Seen::Window)
        return "#d9d9d9";
    if (lane == "camera")
        return "#a6cee3";
    if (row.source.find(".txt:") == std::string::npos)
        return "#b2df8a";  // what the show places itself
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

// Lanes in frame order; within a lane, each entry takes the first row where neither its
// bars nor its label run into a bar or label before it. The label goes on the entry's first
// drawn stretch.
void ScheduleChart::placeEntries() {
    std::map<int, std::vector<const Schedule::Row*>> stretches;
    for (const Schedule::Row& row : schedule_.rows()) {
        stretches[row.entry].push_back(&row);
    }
    const size_t laneCount = Schedule::lanes().size();
    std::vector<std::vector<double>> rowEnds(laneCount);
    std::map<int, std::pair<int, const Schedule::Row*>> placedEntries;  // level, labelled row
    for (const Schedule::Row& row : schedule_.rows()) {
        auto found = placedEntries.find(row.entry);
        if (found == placedEntries.end()) {
            const std::vector<const Schedule::Row*>& parts = stretches[row.entry];
            const auto drawn = std::find_if(parts.begin(), parts.end(), [](const auto* part) {
                return part->seen != Schedule::Seen::Hidden;
            });
            const Schedule::Row* labelled = drawn == parts.end() ? parts.front() : *drawn;
            double end = x(labelled->start) + 3 + textWidth(labelled->label, kLabelSize);
            for (const Schedule::Row* part : parts) {
                end = std::max(end, x(part->end));
            }
            std::vector<double>& ends = rowEnds[static_cast<size_t>(row.lane)];
            const double start = x(row.start);
            size_t level = 0;
            while (level < ends.size() && ends[level] > start) {
                ++level;
            }
            if (level == ends.size()) {
                ends.push_back(0);
            }
            ends[level] = end + 4;
            found = placedEntries.emplace(row.entry, std::pair{static_cast<int>(level), labelled})
                        .first;
        }
        const auto& [level, labelled] = found->second;
        placed_.push_back({&row, row.lane, level, labelled == &row});
    }
    // Only the lanes that hold something, in the frame's order.
    std::vector<int> laneAt(laneCount, -1);
    double top = kLanesTop;
    for (size_t i = 0; i < laneCount; ++i) {
        if (rowEnds[i].empty()) {
            continue;
        }
        laneAt[i] = static_cast<int>(lanes_.size());
        const int levels = static_cast<int>(rowEnds[i].size());
        lanes_.push_back({Schedule::lanes()[i], levels, top});
        top += levels * kLevelHeight + kLaneGap;
    }
    for (Placed& placed : placed_) {
        placed.lane = laneAt[static_cast<size_t>(placed.lane)];
    }
    lanesBottom_ = top;
}

double ScheduleChart::height() const {
    return lanesBottom_ + kLoudnessHeight + 40;
}

std::string ScheduleChart::svg() const {
    std::string out = format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
        "viewBox=\"0 0 %.0f %.0f\" font-family=\"%s\" font-size=\"%.0f\">\n",
        width(), height(), width(), height(), kFont, kLabelSize);
    out += format("<rect width=\"%.0f\" height=\"%.0f\" fill=\"white\"/>\n", width(), height());
    const auto hidden =
        std::count_if(schedule_.rows().begin(), schedule_.rows().end(),
                      [](const Schedule::Row& row) { return row.seen == Schedule::Seen::Hidden; });
    out += format(
        "<text x=\"8\" y=\"18\" font-size=\"13\" font-weight=\"bold\">tarvel --schedule: %zu "
        "rows, %ld of them not drawn (grey); beats of %.2f s, bars of four from bar 1 at 0 "
        "s</text>\n",
        schedule_.rows().size(), static_cast<long>(hidden), kBeatSeconds);
    out += grid();
    out += sections();
    out += lanes();
    out += cutMarks();
    for (const Placed& placed : placed_) {
        out += entry(placed);
    }
    out += labels();
    out += loudnessCurve();
    return out + "</svg>\n";
}

// Beats faint, bars stronger, the seconds and bar numbers along the top.
std::string ScheduleChart::grid() const {
    std::string out = "<g class=\"grid\">\n";
    const double bottom = lanesBottom_ + kLoudnessHeight;
    for (int beat = static_cast<int>(std::ceil(kFrom / kBeatSeconds)); beats(beat) <= to_; ++beat) {
        const BeatPosition position = BeatPosition::ofBeat(beat);
        const bool bar = position.beatInBar == 1;
        out += format("<line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\" stroke=\"%s\"/>\n",
                      x(beats(beat)), kAxisTop + 14, x(beats(beat)), bottom,
                      bar ? "#cfcfcf" : "#efefef");
        // Bars 1, 5, 9 and on.
        if (bar && position.bar > 0 && (position.bar - 1) % 4 == 0) {
            out += format("<text x=\"%.1f\" y=\"%.0f\" fill=\"#777\">bar %d</text>\n",
                          x(beats(beat)) + 2, kAxisTop + 24, position.bar);
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
    for (const Schedule::Section& section : Schedule::sections()) {
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
            "<text x=\"6\" y=\"%.1f\" font-size=\"10\">%s</text>\n",
            lane.top - 2, width(), h + 3, lane.top + 10, escaped(lane.name).c_str());
    }
    return out + "</g>\n";
}

// A bar for a timeline entry, the envelope for a flash; its label and a tooltip with the
// stored times and the notes. What the picture does not show is grey.
std::string ScheduleChart::entry(const Placed& placed) const {
    const Schedule::Row& row = *placed.row;
    const Lane& lane = lanes_[placed.lane];
    const bool hidden = row.seen == Schedule::Seen::Hidden;
    const double top = lane.top + placed.level * kLevelHeight;
    const double x0 = x(row.start);
    const double x1 = std::max(x(row.end), x0 + 1.5);
    const std::string notes = row.notes();
    const std::string title =
        format("<title>%.3f to %.3f s, bar %s: %s (%s)%s%s</title>", row.start, row.end,
               BeatPosition::at(row.start).barText().c_str(), escaped(row.what()).c_str(),
               escaped(row.source).c_str(), notes.empty() ? "" : "; ", escaped(notes).c_str());
    const char* kind = hidden                               ? "entry hidden"
                       : row.seen == Schedule::Seen::Window ? "entry window"
                                                            : "entry";
    std::string out;
    if (lane.name == "flash") {
        const bool black = row.label == "black";
        out = format(
            "<polygon class=\"%s flash\" data-entry=\"%d\" points=\"%.1f,%.1f %.1f,%.1f "
            "%.1f,%.1f\" fill=\"%s\" stroke=\"%s\">%s</polygon>\n",
            kind, row.entry, x0, top + kBarHeight, x0 + 1, top, x1, top + kBarHeight,
            hidden  ? kHiddenFill
            : black ? "#222"
                    : "#fff7a0",
            hidden ? "#aaa" : "#333", title.c_str());
        return out;
    }
    out = format(
        "<rect class=\"%s\" data-entry=\"%d\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" "
        "height=\"%.0f\" rx=\"2\" fill=\"%s\" stroke=\"%s\" stroke-width=\"0.5\"%s>%s</rect>\n",
        kind, row.entry, x0, top, x1 - x0, kBarHeight, fillOf(row), hidden ? "#999" : "#666",
        hidden ? " stroke-dasharray=\"2 2\"" : "", title.c_str());
    return out;
}

// Entry labels go over every bar, so a label longer than its bar stays readable.
std::string ScheduleChart::labels() const {
    std::string out = "<g class=\"labels\">\n";
    for (const Placed& placed : placed_) {
        if (!placed.labelled || lanes_[placed.lane].name == "flash") {
            continue;
        }
        const Schedule::Row& row = *placed.row;
        const double top = lanes_[placed.lane].top + placed.level * kLevelHeight;
        out += format("<text data-entry=\"%d\" x=\"%.1f\" y=\"%.1f\"%s>%s</text>\n", row.entry,
                      x(row.start) + 3, top + 9,
                      row.seen == Schedule::Seen::Hidden ? " fill=\"#888\"" : "",
                      escaped(row.label).c_str());
    }
    return out + "</g>\n";
}

// Where the camera cuts: a line through every lane below the camera's.
std::string ScheduleChart::cutMarks() const {
    std::string out = "<g class=\"cuts\">\n";
    for (const Placed& placed : placed_) {
        if (lanes_[placed.lane].name == "camera" && placed.row->seen == Schedule::Seen::Drawn) {
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
