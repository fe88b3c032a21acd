// The fill unit of a --bench run: what one full-window textured, blended pass costs at the
// run's size on this machine, now. Frame times divided by it compare across machines of
// different speed and across runs on a busy one.
#pragma once

class FillUnit {
public:
    static constexpr int kPasses = 300;
    // A large window stops measuring after this long, with no fewer than kMinimumPasses.
    static constexpr double kBudgetMilliseconds = 3000;
    static constexpr int kMinimumPasses = 40;

    struct Result {
        double milliseconds = 0;  // the median pass
        int passes = 0;
    };

    // Times full-window passes over a width × height viewport, each finished before the
    // next starts. Needs a current GL context; leaves its state as found and the colour
    // buffer cleared.
    static Result measure(int width, int height, int passes = kPasses);
};
