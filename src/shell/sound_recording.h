// --capture FILE.wav: the sound of a range alone, mixed frame by frame at the fixed step
// exactly as a recording of the same range mixes it, but with nothing drawn: what a
// recording made in parts takes once for the whole range.
#pragma once

struct Session;

// The process's exit status.
int recordSoundAlone(Session& session);
