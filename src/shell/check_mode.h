// `tarvel --check`: the data set read whole without a display, every problem on a line of
// its own, then a summary; the exit status says whether it is whole.
#pragma once

#include <string>

// `dataDirectory`: the directory holding vintra/ as it was named; the program is in it.
// Returns 0 when the data set is whole, 1 when not (or when the output cannot be written).
int runCheck(const std::string& dataDirectory);
