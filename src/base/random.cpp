#include "base/random.h"

#include <cstdint>

namespace {
uint32_t state = 1;
}

int nextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fff);
}

void resetRandom() {
    state = 1;
}
