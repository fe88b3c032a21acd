// `tarvel --schedule`: the schedule as text on standard output, or with --svg drawn into an
// SVG file (written under a temporary name and renamed when complete).
#pragma once

#include <string>

class Show;

// The exit status: 0 when written, 1 (after a line naming the file and the reason) when not.
int writeSchedule(const Show& show, const std::string& svgFile);
