// The main loop in a page: one pass per animation frame of the browser.
#include <emscripten/emscripten.h>

#include "platform/frame_driver.h"

namespace platform {
namespace {

std::function<bool()> passes;
std::function<void()> whenFinished;

void runOnePass() {
    if (!passes()) {
        emscripten_cancel_main_loop();
        whenFinished();
    }
}

}  // namespace

void runPasses(std::function<bool()> pass, std::function<void()> finished) {
    passes = std::move(pass);
    whenFinished = std::move(finished);
    emscripten_set_main_loop(runOnePass, 0, 1);
}

}  // namespace platform
