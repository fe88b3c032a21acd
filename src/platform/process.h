// Ending the process: every way out runs the restore hooks (a changed display mode
// goes back) before the process exits. Tests install a handler instead of exiting.
#pragma once

#include <functional>

namespace platform {

// Runs the restore hooks, flushes standard streams and ends the process with `status`
// (−1 reaches the parent as 255). With a test handler installed, calls it and returns.
void exitProcess(int status);

// Runs once, on the first exitProcess or restoreAll.
void addRestoreHook(std::function<void()> hook);
void restoreAll();

// Hands memory freed by the heap back to the system. After a reload has replaced many
// pictures, the freed blocks lie between live ones, and the heap keeps them otherwise.
void releaseFreedMemory();

// Tests: replaces the real exit; pass nullptr to restore it.
void setExitHandler(std::function<void(int)> handler);

}  // namespace platform
