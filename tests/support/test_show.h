// GL tests' show: the whole Show built from whatever data lies in the current directory,
// with the start-up's objects it needs (a camera; no music) and a clock on a tick the test
// moves.
#pragma once

#include <memory>

#include "show/show.h"

namespace testing_support {

// Needs the GL context; the ui must be installed first.
std::unique_ptr<Show> buildShow(const double* tick);

}  // namespace testing_support
