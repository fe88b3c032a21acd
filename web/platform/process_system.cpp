// Ending the program in a page: the page cannot exit, so the main loop stops where it is
// (the last frame stays on the canvas), the page is told the status, and the call unwinds
// to the browser without returning, as an exit does.
#include "platform/process_system.h"

#include <emscripten/emscripten.h>

#include "platform/process.h"

namespace platform {
namespace {

// clang-format off
EM_JS(void, pageEnded, (int status), {
    const page = Module["tarvelPage"];
    if (page && page.ended)
        page.ended(status);
});
// clang-format on

}  // namespace

void endProcessNow(int status) {
    emscripten_cancel_main_loop();
    pageEnded(status);
    emscripten_exit_with_live_runtime();
}

// The page's heap is the browser's: nothing to hand back.
void releaseFreedMemory() {}

}  // namespace platform
