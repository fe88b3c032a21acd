// The program: options, the start-up dialog, the window and the main loop with the shell's
// keys; the offline modes render at a fixed step and write a still frame or frame times.
#pragma once

int runTarvel(int argc, char** argv);

// The show time of the frame last drawn (0 before the show is built).
double shownTime();

// One frame: clear, the show, count, frame-rate measure, swap.
struct Session;

void drawFrame(Session& session);
