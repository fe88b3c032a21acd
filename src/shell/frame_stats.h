// Frame times of a --bench run, per section of the show, with the start-up time and the
// peak resident memory.
#pragma once

#include <string>
#include <vector>

class FrameStats {
public:
    FrameStats();

    void addFrame(double showTime, double milliseconds);
    void setStartupMilliseconds(double milliseconds) { startupMs_ = milliseconds; }

    // The report printed at the end of the run.
    std::string report() const;

    struct Section {
        double start;
        double end;
        std::vector<double> frames;
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
};

// Peak resident memory of the process in MiB.
double peakResidentMegabytes();
