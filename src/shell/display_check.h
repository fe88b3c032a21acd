// Whether the show can have the window it was asked for. Without any display a plain start
// records the show instead; a request that only a window can meet (--windowed,
// --fullscreen, and the authoring options --loop and --watch) is refused and says how to
// record. A display that is named but does not open is an error naming it, never an
// invisible show.
#pragma once

#include "shell/options.h"

// False after one line on standard error when `options` asks for a window where there is
// no display at all: a usage error, before anything is loaded.
bool windowRequestPossible(const Options& options);

// The line for a display that is named but could not be opened; returns false.
bool reportUnopenableDisplay();
