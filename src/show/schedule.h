// What plays when: every entry of the show's timelines, every flash and the windows of the
// frame order, as one text line each in show order. Authors ask it "what plays at 93 s?";
// the golden-schedule test keeps a copy of it for the generated data set.
#pragma once

#include <string>
#include <vector>

class Show;
class Timeline;
class Layer;

class Schedule {
public:
    explicit Schedule(const Show& show);

    struct Row {
        double start;
        double end;
        std::string kind;  // "LANE: LAYER CLASS", or the flash's or window's kind
        std::string blend;
        std::string source;
        std::string lane;   // the timeline, or "flash", or "window"
        std::string label;  // the picture, position file or frames, else the layer
    };

    // A header and one line per entry: start, end, layer kind, blend pair, source.
    std::string text() const;
    // Every entry, in show order.
    const std::vector<Row>& rows() const { return rows_; }

private:
    void addTimeline(const char* name, const Timeline& timeline);
    void addFlashes(const Show& show);
    void addWindows();
    static std::string blendOf(const Layer& layer);
    static std::string sourceOf(const Layer& layer);
    static std::string labelOf(const Layer& layer, const std::string& source);

    std::vector<Row> rows_;
};
