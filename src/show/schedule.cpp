#include "show/schedule.h"

#include <cxxabi.h>
#include "render/gl/gl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <typeinfo>

#include "base/beat_position.h"
#include "base/data_file.h"
#include "layers/camera_cut.h"
#include "layers/flash.h"
#include "layers/frame_anim.h"
#include "layers/tag.h"
#include "show/show.h"
#include "show/show_clock.h"

namespace {

const char* const kComposition = "the composition";

constexpr double kShowStart = -ShowClock::kLeadIn;
constexpr double kShowEnd = ShowClock::kEndTime;  // the last frame is at or before it
// A stretch shorter than this (the float and double forms of one beat meeting at a window
// bound) is never a frame of its own: it goes to its neighbour.
constexpr double kShortest = 0.001;  // s

constexpr int kWindowLane = 0;
// Lanes without a timeline.
constexpr int kWindows = -1;
constexpr int kFlashes = -2;

// The show's timelines as an author knows them, in the order the frame draws them; the
// flashes are drawn after the tower, before the information cards.
struct Lane {
    const char* name;
    int line;  // a Show::Line, or kWindows or kFlashes
};
constexpr Lane kLanes[] = {
    {"window", kWindows},
    {"title words", static_cast<int>(Show::Line::Title)},
    {"camera", static_cast<int>(Show::Line::Camera)},
    {"back tags", static_cast<int>(Show::Line::BackTags)},
    {"turntable, character", static_cast<int>(Show::Line::Nick)},
    {"late scratch", static_cast<int>(Show::Line::LateScratch)},
    {"morph, scratch", static_cast<int>(Show::Line::Scratch)},
    {"front tags", static_cast<int>(Show::Line::FrontTags)},
    {"crew", static_cast<int>(Show::Line::Crew)},
    {"graffiti", static_cast<int>(Show::Line::Graffiti)},
    {"tower", static_cast<int>(Show::Line::Tower)},
    {"flash", kFlashes},
    {"info", static_cast<int>(Show::Line::Info)},
};

std::string format(const char* pattern, double a, double b) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

std::string className(const Layer& layer) {
    const char* mangled = typeid(layer).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? name.get() : mangled;
}

std::string factorName(GLint factor) {
    switch (factor) {
        case GL_ZERO:
            return "ZERO";
        case GL_ONE:
            return "ONE";
        case GL_SRC_COLOR:
            return "SRC_COLOR";
        case GL_ONE_MINUS_SRC_COLOR:
            return "ONE_MINUS_SRC_COLOR";
        case GL_SRC_ALPHA:
            return "SRC_ALPHA";
        case GL_ONE_MINUS_SRC_ALPHA:
            return "ONE_MINUS_SRC_ALPHA";
        case GL_DST_COLOR:
            return "DST_COLOR";
        case GL_ONE_MINUS_DST_COLOR:
            return "ONE_MINUS_DST_COLOR";
        case GL_DST_ALPHA:
            return "DST_ALPHA";
        case GL_ONE_MINUS_DST_ALPHA:
            return "ONE_MINUS_DST_ALPHA";
        default: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%04x", static_cast<unsigned>(factor));
            return hex;
        }
    }
}

std::string blendOf(const Layer& layer) {
    if (const auto* tag = dynamic_cast<const Tag*>(&layer)) {
        return factorName(tag->blendSrc) + "," + factorName(tag->blendDst);
    }
    if (const auto* anim = dynamic_cast<const FrameAnim*>(&layer)) {
        return factorName(anim->blendSrc) + "," + factorName(anim->blendDst);
    }
    return "-";
}

// A list row's origin, "LIST:LINE PICTURE", or empty for what the show places itself.
std::string originOf(const Layer& layer) {
    if (const auto* tag = dynamic_cast<const Tag*>(&layer)) {
        return tag->origin;
    }
    if (const auto* cut = dynamic_cast<const CameraCut*>(&layer)) {
        return cut->origin;
    }
    return {};
}

// What a layer shows: a list row's picture or position file, a frame animation's name and
// frames, the name the show gives its own layers, else the layer's class.
std::string labelOf(const Show& show, const Layer& layer, const std::string& origin) {
    if (origin.find(' ') != std::string::npos) {
        return origin.substr(origin.find(' ') + 1);
    }
    std::string name = show.layerName(&layer);
    if (const auto* anim = dynamic_cast<const FrameAnim*>(&layer)) {
        const std::string prefix = data::inDataSet(anim->pendingPrefix);
        name +=
            (name.empty() ? "" : " ") + prefix + "1-" + std::to_string(anim->pendingCount) + ".jpg";
    }
    return name.empty() ? className(layer) : name;
}

std::string within(const Show::Window& window) {
    return format("%.2f-%.2f s", window.from, window.to);
}

// Why the picture does not show what `line` draws at t, of an entry whose layer shows
// nothing `showsFor` after its start; empty when it does.
std::string whyHidden(int line, double t, double start, double showsFor) {
    if (t < kShowStart) {
        return format("before the show starts at %g s", kShowStart, 0);
    }
    if (t > kShowEnd) {
        return format("after the show's end at %g s", kShowEnd, 0);
    }
    if (line == kFlashes) {
        return {};  // drawn near the last in every frame
    }
    switch (Show::hiddenAt(static_cast<Show::Line>(line), t)) {
        case Show::Hidden::No:
            break;
        case Show::Hidden::TowerAlone:
            return "the tower scene alone, " + within(Show::kTowerWindow);
        case Show::Hidden::GraffitiClear:
            return "cleared for the graffiti, " + within(Show::kGraffitiWindow);
        case Show::Hidden::OutsideGraffiti:
            return "graffiti only " + within(Show::kGraffitiWindow);
        case Show::Hidden::OutsideTower:
            return "the tower only " + within(Show::kTowerWindow);
        case Show::Hidden::AfterOpening:
            return format("title words only while the opening is captured, to %.2f s",
                          Show::kOpeningCapture.to, 0);
    }
    if (t > start + showsFor) {
        return format("its layer shows nothing after its first %.2f s", showsFor, 0);
    }
    return {};
}

struct Stretch {
    double from;
    double to;
    std::string why;
};

void mergeAlike(std::vector<Stretch>& stretches) {
    std::vector<Stretch> merged;
    for (Stretch& stretch : stretches) {
        if (!merged.empty() && merged.back().why == stretch.why) {
            merged.back().to = stretch.to;
        } else {
            merged.push_back(std::move(stretch));
        }
    }
    stretches = std::move(merged);
}

// The entry [start, end] of `line` cut where the frame order changes and where its layer
// is done, `showsFor` after the start, each stretch with why it is hidden (empty: drawn);
// what lies outside the show's run is cut off unless the entry lies wholly outside it.
std::vector<Stretch> stretchesOf(int line, double start, double end, double showsFor) {
    if (end < start) {
        return {{start, end, "it ends before it starts"}};
    }
    std::vector<double> cuts = {start};
    std::vector<double> bounds(std::begin(Show::kWindowBounds), std::end(Show::kWindowBounds));
    bounds.push_back(kShowStart);
    bounds.push_back(kShowEnd);
    bounds.push_back(start + showsFor);
    std::sort(bounds.begin(), bounds.end());
    for (double bound : bounds) {
        if (start < bound && bound < end) {
            cuts.push_back(bound);
        }
    }
    cuts.push_back(end);
    std::vector<Stretch> stretches;
    if (start == end) {
        stretches.push_back({start, end, whyHidden(line, start, start, showsFor)});
    }
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        stretches.push_back(
            {cuts[i], cuts[i + 1], whyHidden(line, (cuts[i] + cuts[i + 1]) / 2, start, showsFor)});
    }
    mergeAlike(stretches);
    if (stretches.size() > 1) {
        std::vector<Stretch> lasting;
        for (size_t i = 0; i < stretches.size(); ++i) {
            if (stretches[i].to - stretches[i].from >= kShortest) {
                lasting.push_back(stretches[i]);
            } else if (!lasting.empty()) {
                lasting.back().to = stretches[i].to;
            } else if (i + 1 < stretches.size()) {
                stretches[i + 1].from = stretches[i].from;
            }
        }
        if (!lasting.empty()) {
            stretches = std::move(lasting);
            mergeAlike(stretches);
        }
    }
    const auto outside = [](const Stretch& s) { return s.to <= kShowStart || s.from >= kShowEnd; };
    if (!std::all_of(stretches.begin(), stretches.end(), outside)) {
        std::erase_if(stretches, outside);
    }
    return stretches;
}

}  // namespace

const std::vector<std::string>& Schedule::lanes() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Lane& lane : kLanes) {
            all.emplace_back(lane.name);
        }
        return all;
    }();
    return names;
}

const std::vector<Schedule::Section>& Schedule::sections() {
    static const std::vector<Section> all = {
        {kShowStart, 0.0, "lead-in"},
        {0.0, Show::kTitleEnd, "title words"},
        {Show::kTitleEnd, beats(section::kFirstDrop), "turntable"},
        {beats(section::kFirstDrop), Show::kGraffitiStart, "first drop: character"},
        {Show::kGraffitiStart, Show::kGraffitiEnd, "graffiti"},
        {Show::kGraffitiEnd, Show::kTowerStart, "morph and scratch"},
        {Show::kTowerStart, Show::kTowerEnd, "tower"},
        {Show::kTowerEnd, beats(section::kMorphReturn), "crew"},
        {beats(section::kMorphReturn), section::kLateScratchSeconds, "morph again"},
        {section::kLateScratchSeconds, kShowEnd, "late scratch, the end"},
    };
    return all;
}

Schedule::Schedule(const Show& show) {
    // In the order the frame draws them, which breaks ties between equal starts.
    addWindows();
    for (int lane = 0; lane < static_cast<int>(std::size(kLanes)); ++lane) {
        if (kLanes[lane].line == kFlashes) {
            addFlashes(show, lane);
        } else if (kLanes[lane].line != kWindows) {
            addTimeline(show, lane);
        }
    }
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const Row& a, const Row& b) { return a.start < b.start; });
}

// One row per stretch of the entry.
void Schedule::addEntry(Row row, int line, double showsFor) {
    row.entry = entries_++;
    for (Stretch& stretch : stretchesOf(line, row.entryStart, row.entryEnd, showsFor)) {
        row.start = stretch.from;
        row.end = stretch.to;
        row.seen = stretch.why.empty() ? Seen::Drawn : Seen::Hidden;
        row.why = std::move(stretch.why);
        rows_.push_back(row);
    }
}

void Schedule::addTimeline(const Show& show, int lane) {
    const int line = kLanes[lane].line;
    // A layer's first entry is its row; a list puts the repeats of a row after it.
    std::map<const Layer*, const Timeline::Entry*> first;
    for (const Timeline::Entry& entry : show.timeline(static_cast<Show::Line>(line)).entries()) {
        if (!entry.layer) {
            continue;
        }
        const std::string origin = originOf(*entry.layer);
        Row row{};
        row.entryStart = entry.start;
        row.entryEnd = entry.end;
        row.lane = lane;
        row.label = labelOf(show, *entry.layer, origin);
        row.blend = blendOf(*entry.layer);
        row.source = origin.empty() ? kComposition : origin.substr(0, origin.find(' '));
        const auto [earlier, isFirst] = first.emplace(entry.layer, &entry);
        if (!isFirst) {
            const double later = entry.start - earlier->second->start;
            const size_t colon = row.source.rfind(':');
            row.repeat = colon == std::string::npos
                             ? format("the same layer again, %.2f s later", later, 0)
                             : "repeat of line " + row.source.substr(colon + 1) +
                                   format(", %.2f s later", later, 0);
        }
        addEntry(std::move(row), line, entry.layer->showsFor());
    }
}

void Schedule::addFlashes(const Show& show, int lane) {
    for (const FlashEntry& flash : show.flashes().entries) {
        Row row{};
        row.entryStart = flash.start;
        row.entryEnd = flash.end;
        row.lane = lane;
        row.label = flash.kind == Flash::kBlack ? "black" : "white";
        row.blend = "-";
        row.source = flash.origin.empty() ? kComposition : flash.origin;
        addEntry(std::move(row), kFlashes, std::numeric_limits<double>::infinity());
    }
}

// The stretches where the frame order changes: these decide which timelines show at all.
void Schedule::addWindows() {
    const auto window = [this](double start, double end, const char* what) {
        rows_.push_back({start, end, start, end, Seen::Window, "", kWindowLane, entries_++, what,
                         "-", kComposition, ""});
    };
    window(kShowStart, Show::kOpeningCapture.to, "opening capture");
    window(Show::kGraffitiWindow.from, Show::kGraffitiWindow.to, "graffiti over the scene");
    window(Show::kTowerWindow.from, Show::kTowerWindow.to, "tower scene alone");
}

std::string Schedule::Row::what() const {
    return lanes()[static_cast<size_t>(lane)] + ": " + label;
}

std::string Schedule::Row::notes() const {
    std::string out = repeat;
    const auto add = [&out](const std::string& note) { out += (out.empty() ? "" : "; ") + note; };
    if (start != entryStart || end != entryEnd) {
        add(format("entry %.3f to %.3f", entryStart, entryEnd));
    }
    if (seen == Seen::Hidden) {
        add("not drawn: " + why);
    }
    return out;
}

std::string Schedule::text() const {
    std::string out =
        "# tarvel --schedule: what the show draws when, in show order. Times in seconds, ends\n"
        "# past the show's end shown at 185 s; bar:beat of the start in bars of four beats from\n"
        "# 1:1 at 0 s. An entry the frame order hides in part is split; \"hidden\" says why.\n"
        "#   start      end  seen     bar  what                                               "
        "blend pair                      source; notes\n";
    static const char* const kSeen[] = {"drawn", "hidden", "window"};
    char line[1024];
    for (const Row& row : rows_) {
        const std::string notes = row.notes();
        std::snprintf(line, sizeof line, "%9.3f %8.3f  %-6s %6s  %-50s %-31s %s%s%s\n", row.start,
                      row.end, kSeen[static_cast<int>(row.seen)],
                      BeatPosition::at(row.start).barText().c_str(), row.what().c_str(),
                      row.blend.c_str(), row.source.c_str(), notes.empty() ? "" : "; ",
                      notes.c_str());
        out += line;
    }
    return out;
}
