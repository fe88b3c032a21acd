#include "shell/run_description.h"

std::string runDescription(const Options& options) {
    if (options.shot) {
        return "the still frame for " + options.shotFile + ", nothing written";
    }
    if (options.capture) {
        return "the recording of " + options.captureFile + ", nothing written";
    }
    if (options.bench) {
        return "the benchmark, nothing written";
    }
    return "the show";
}
