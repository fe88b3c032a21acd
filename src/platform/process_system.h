// What ending the process takes on each build, under platform/process.cpp: the system's
// calls on the desktop (process_system.cpp), the browser's in the page
// (web/platform/process_system.cpp). Each also defines releaseFreedMemory (process.h).
#pragma once

namespace platform {

// Ends the process with `status` once the restore hooks have run; on the desktop it does not
// return, in the page it unwinds to the browser.
void endProcessNow(int status);

}  // namespace platform
