// Feeds arbitrary bytes to the camera position reader and flies the result.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "camera/camera.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        logWindow = new LogWindow(false);
        return true;
    }();
    (void)ready;
    Camera cam;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (cam.loadPathFromBytes(bytes, "fuzz")) {
        for (float f : {0.0f, 0.37f, 1.0f}) {
            cam.placeAtFraction(f);
        }
        for (int i = 0; i < 64 && cam.advance(); ++i) {
        }
    }
    return 0;
}
