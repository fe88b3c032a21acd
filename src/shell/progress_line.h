// A progress line for long offline work on standard error: frames done, show time, speed
// against real time and the time left. On a terminal one line is rewritten in place;
// otherwise a plain line is printed at every tenth of the work.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

class ProgressLine {
public:
    // `frameStep`: seconds of show time per frame.
    ProgressLine(std::string label, long long totalFrames, double frameStep, FILE* out = stderr);

    void update(long long framesDone, double showTime);
    // Ends the line in place on a terminal.
    void finish();

    // The text for a state of the work, without the label.
    static std::string text(long long done, long long total, double showTime, double frameStep,
                            double wallSeconds);

private:
    std::string label_;
    long long total_;
    double step_;
    FILE* out_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    double lastPrinted_ = -1;  // wall seconds, terminal
    int lastTenth_ = 0;        // plain lines
    bool open_ = false;        // a line is being rewritten
};
