// Frame times of a --bench run, per section of the show (median and 90th percentile in
// milliseconds and in fill units, worst frame and the peak resident memory reached by its
// end), with the fill unit, the start-up time and its memory.
#pragma once

#include <string>
#include <vector>

class FrameStats {
public:
    FrameStats();

    // `residentMiB` is the peak resident memory so far, read after the frame.
    void addFrame(double showTime, double milliseconds, double residentMiB = 0);
    void setStartupMilliseconds(double milliseconds, double residentMiB = 0) {
        startupMs_ = milliseconds;
        startupMiB_ = residentMiB;
    }

    // One full-window textured, blended pass at the run's size (see FillUnit); 0 leaves the
    // fill-unit columns out.
    void setFillUnit(double milliseconds, int passes, int width, int height);

    // The report printed at the end of the run.
    std::string report() const;

    struct Section {
        double start;
        double end;
        std::vector<double> frames;
        // The slowest frame, leaving out the run's very first one (it pays for the driver's
        // own start-up, whatever the show prepares).
        double worst = 0;
        double peakMiB = 0;
    };
    const std::vector<Section>& sections() const { return sections_; }

    struct Frame {
        double showTime;
        double milliseconds;
    };
    // Every frame, in the order drawn.
    const std::vector<Frame>& frames() const { return frames_; }

    // p in 0 … 1, nearest-rank over the sorted values.
    static double percentile(std::vector<double> values, double p);

private:
    std::vector<Section> sections_;
    std::vector<Frame> frames_;
    double startupMs_ = 0;
    double startupMiB_ = 0;
    double fillUnitMs_ = 0;
    int fillPasses_ = 0;
    int fillWidth_ = 0;
    int fillHeight_ = 0;
};

// Peak resident memory of the process in MiB.
double peakResidentMegabytes();
