#include "platform/frame_driver.h"

namespace platform {

void runPasses(std::function<bool()> pass, std::function<void()> finished) {
    while (pass()) {
    }
    finished();
}

}  // namespace platform
