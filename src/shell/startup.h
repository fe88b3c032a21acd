// The start-up sequence: preInit creates the global objects in their fixed order, worldInit
// builds the show, opens the music and starts the clock 4 seconds ahead.
#pragma once

#include <functional>

struct Session;

// `presentFrame` puts a finished loading frame on the screen (the window's, which owns it).
void preInit(Session& session, std::function<void()> presentFrame);
void worldInit(Session& session);
// Frees what preInit and worldInit created (the log stays until the next preInit). Called
// while their GL context is still current, so their GL names die with the right context.
void releaseStartupObjects(Session& session);
