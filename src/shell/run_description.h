// What a run of the program is doing, in the words of the line a signal prints when it
// interrupts it: "the show", "the still frame for x.png", "the recording of x.mp4".
#pragma once

#include <string>

#include "shell/options.h"

std::string runDescription(const Options& options);
