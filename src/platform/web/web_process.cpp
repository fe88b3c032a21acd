// Ending the program in a page: the page cannot exit, so the main loop stops where it is
// (the last frame stays on the canvas), the page is told the status, and the call unwinds
// to the browser without returning, as an exit does.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <vector>

#include "platform/process.h"

namespace platform {
namespace {

std::vector<std::function<void()>>& restoreHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

std::function<void(int)>& exitHandler() {
    static std::function<void(int)> handler;
    return handler;
}

// clang-format off
EM_JS(void, pageEnded, (int status), {
    const page = Module["tarvelPage"];
    if (page && page.ended)
        page.ended(status);
});
// clang-format on

}  // namespace

void addRestoreHook(std::function<void()> hook) {
    restoreHooks().push_back(std::move(hook));
}

void restoreAll() {
    auto hooks = std::move(restoreHooks());
    restoreHooks().clear();
    for (auto& hook : hooks) {
        hook();
    }
}

void setExitHandler(std::function<void(int)> handler) {
    exitHandler() = std::move(handler);
}

void exitProcess(int status) {
    if (exitHandler()) {
        exitHandler()(status);
        return;
    }
    restoreAll();
    std::fflush(nullptr);
    emscripten_cancel_main_loop();
    pageEnded(status);
    emscripten_exit_with_live_runtime();
}

// The page's heap is the browser's: nothing to hand back.
void releaseFreedMemory() {}

}  // namespace platform
