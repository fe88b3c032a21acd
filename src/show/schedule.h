// What the show draws when, as an author reads it: every entry of the show's timelines,
// every flash and the windows of the frame order, in show order, named as the author knows
// them. An entry is listed in the stretches the frame order draws it and those it hides,
// each hidden stretch with its reason; ends past the show's end are shown at the end, the
// stored times kept beside; a row a tag list repeats is marked as the repeat of its line.
// Authors ask it "what plays at 93 s?"; the golden-schedule test keeps a copy of it for the
// generated data set, and --schedule --svg draws it.
#pragma once

#include <string>
#include <vector>

class Show;
class Timeline;
class Layer;

class Schedule {
public:
    explicit Schedule(const Show& show);

    enum class Seen { Drawn, Hidden, Window };

    struct Row {
        double start;  // this stretch of the entry, within the show's run
        double end;
        double entryStart;  // the entry as stored
        double entryEnd;
        Seen seen;
        std::string why;    // of a hidden stretch: why the picture does not show it
        int lane;           // in lanes()
        int entry;          // the same for every stretch of one entry
        std::string label;  // the picture, position file, frames, model or scene
        std::string blend;
        std::string source;  // "LIST:LINE", or "the composition"
        std::string repeat;  // "repeat of line 8, 109.44 s later", or empty

        // The lane and the label: "front tags: crown.jpg".
        std::string what() const;
        // The repeat, the stored times where the stretch shows only part of the entry, and
        // why a hidden stretch is hidden, joined by "; ".
        std::string notes() const;
    };

    // The stretches of the show by what the viewer sees.
    struct Section {
        double start;
        double end;
        const char* name;
    };

    // The lanes in the order the frame draws them, the frame order's windows first.
    static const std::vector<std::string>& lanes();
    static const std::vector<Section>& sections();

    // A header and one line per row: start, end, seen, bar, what, blend pair, source, notes.
    std::string text() const;
    // Every stretch of every entry, in show order.
    const std::vector<Row>& rows() const { return rows_; }

private:
    void addTimeline(const Show& show, int line);
    void addFlashes(const Show& show, int lane);
    void addWindows();
    void addEntry(Row row, int line, double showsFor);

    std::vector<Row> rows_;
    int entries_ = 0;
};
