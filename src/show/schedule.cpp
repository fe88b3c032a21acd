#include "show/schedule.h"

#include <cxxabi.h>
#include "platform/gl/gl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "layers/camera_cut.h"
#include "layers/flash.h"
#include "layers/frame_anim.h"
#include "layers/tag.h"
#include "show/show.h"

namespace {

const char* const kComposition = "the composition";

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

std::string pair(GLint source, GLint destination) {
    return factorName(source) + "," + factorName(destination);
}

}  // namespace

Schedule::Schedule(const Show& show) {
    // In the order the frame draws them, which breaks ties between equal starts.
    addWindows();
    addTimeline("title", show.timeline(Show::Line::Title));
    addTimeline("camera", show.timeline(Show::Line::Camera));
    addTimeline("back tags", show.timeline(Show::Line::BackTags));
    addTimeline("nick", show.timeline(Show::Line::Nick));
    addTimeline("late scratch", show.timeline(Show::Line::LateScratch));
    addTimeline("scratch", show.timeline(Show::Line::Scratch));
    addTimeline("front tags", show.timeline(Show::Line::FrontTags));
    addTimeline("crew", show.timeline(Show::Line::Crew));
    addTimeline("graffiti", show.timeline(Show::Line::Graffiti));
    addTimeline("tower", show.timeline(Show::Line::Tower));
    addFlashes(show);
    addTimeline("info", show.timeline(Show::Line::Info));
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const Row& a, const Row& b) { return a.start < b.start; });
}

void Schedule::addTimeline(const char* name, const Timeline& timeline) {
    for (const Timeline::Entry& entry : timeline.entries()) {
        if (!entry.layer) {
            continue;
        }
        const std::string source = sourceOf(*entry.layer);
        rows_.push_back({entry.start, entry.end, std::string(name) + ": " + className(*entry.layer),
                         blendOf(*entry.layer), source, name, labelOf(*entry.layer, source)});
    }
}

void Schedule::addFlashes(const Show& show) {
    for (const FlashEntry& flash : show.flashes().entries) {
        const bool black = flash.kind == Flash::kBlack;
        rows_.push_back({flash.start, flash.end, black ? "flash: black" : "flash: white", "-",
                         flash.origin.empty() ? kComposition : flash.origin, "flash",
                         black ? "black" : "white"});
    }
}

// The stretches where the frame order changes: these decide which timelines show at all.
void Schedule::addWindows() {
    const auto window = [this](double start, double end, const char* what) {
        rows_.push_back(
            {start, end, std::string("window: ") + what, "-", kComposition, "window", what});
    };
    window(-4.0, Show::kTitleEnd, "opening capture");
    window(Show::kGraffitiStart, Show::kGraffitiEnd, "graffiti over the scene");
    window(Show::kTowerStart, Show::kTowerEnd, "tower scene alone");
}

std::string Schedule::blendOf(const Layer& layer) {
    if (const auto* tag = dynamic_cast<const Tag*>(&layer)) {
        return pair(tag->blendSrc, tag->blendDst);
    }
    if (const auto* anim = dynamic_cast<const FrameAnim*>(&layer)) {
        return pair(anim->blendSrc, anim->blendDst);
    }
    return "-";
}

std::string Schedule::sourceOf(const Layer& layer) {
    if (const auto* tag = dynamic_cast<const Tag*>(&layer); tag && !tag->origin.empty()) {
        return tag->origin;
    }
    if (const auto* cut = dynamic_cast<const CameraCut*>(&layer); cut && !cut->origin.empty()) {
        return cut->origin;
    }
    return kComposition;
}

// What a bar of the chart is called: the file a list row names, the frames of an
// animation, else the layer's class.
std::string Schedule::labelOf(const Layer& layer, const std::string& source) {
    if (source != kComposition && source.find(' ') != std::string::npos) {
        return source.substr(source.rfind(' ') + 1);
    }
    if (const auto* anim = dynamic_cast<const FrameAnim*>(&layer)) {
        std::string prefix = anim->pendingPrefix;
        if (prefix.starts_with("./vintra/")) {
            prefix.erase(0, 9);
        }
        return prefix + "1-" + std::to_string(anim->pendingCount) + ".jpg";
    }
    return className(layer);
}

std::string Schedule::text() const {
    std::string out =
        "# tarvel --schedule: every timeline entry, flash and frame-order window in show order\n"
        "#   start      end  layer                          blend pair                      "
        "source\n";
    char line[512];
    for (const Row& row : rows_) {
        std::snprintf(line, sizeof line, "%9.3f %8.3f  %-30s %-31s %s\n", row.start, row.end,
                      row.kind.c_str(), row.blend.c_str(), row.source.c_str());
        out += line;
    }
    return out;
}
