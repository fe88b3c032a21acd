#include "show/section_loop.h"

#include <cmath>

double SectionLoop::wrap(double time) const {
    const double length = end_ - start_;
    if (!(length > 0) || !std::isfinite(time)) {
        return start_;
    }
    const double over = std::fmod(time - start_, length);
    return over >= 0 ? start_ + over : start_;
}
