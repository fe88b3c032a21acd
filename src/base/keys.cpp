#include "base/keys.h"

uint8_t keys[256] = {};
