// Parts of the program that bring large libraries with them (FFmpeg for video files, GTK for
// the dialogs) are modules of their own, loaded the first time they are needed, so a run
// that never needs them never maps those libraries. A module takes the program's own
// symbols from the program, which exports them.
#pragma once

#include <string>

namespace platform {

// The address of `entry` in the module `fileName`, looked for beside the program (the build
// tree) and then where the installation puts it. Loaded once and kept. Null with the reason.
void* programModuleEntry(const char* fileName, const char* entry, std::string& reason);

}  // namespace platform
