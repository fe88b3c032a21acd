// A section of show time played over and over while authoring: once show time reaches the
// section's end, it carries on from the section's start.
#pragma once

class SectionLoop {
public:
    SectionLoop(double start, double end) : start_(start), end_(end) {}

    double start() const { return start_; }
    double end() const { return end_; }
    // Whether `time` has reached the end and must go back.
    bool passed(double time) const { return time >= end_; }
    // The time to carry on at: the start plus whatever the frame overshot the end by.
    double wrap(double time) const;

private:
    double start_;
    double end_;
};
