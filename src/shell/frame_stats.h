// Frame times of a --bench run, per section of the show (median, 90th percentile, worst frame
// and the peak resident memory reached by its end), with the start-up time and its memory.
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
};

// Peak resident memory of the process in MiB.
double peakResidentMegabytes();
