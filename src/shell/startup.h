// The start-up sequence: preInit creates the global objects in their fixed order, worldInit
// builds the show, opens the music and starts the clock 4 seconds ahead.
#pragma once

void preInit();
void worldInit();
