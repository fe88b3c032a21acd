#include "base/frame_state.h"

FrameState frameState;
