#include "render/gl_entry_points.h"

bool stencilWrapAvailable = false;
