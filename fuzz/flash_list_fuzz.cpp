// Feeds arbitrary text to the flash list reader from memory and evaluates every flash it scheduled
// (drawing needs GL; the colours and levels do not).
#include <cmath>
#include <cstdint>
#include <string_view>

#include "layers/fade_envelope.h"
#include "layers/flash.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Flash* flash = [] {
        logWindow = new LogWindow(false);
        return new Flash();  // no data directory: both textures stay unset
    }();
    flash->clear();
    flash->readText(std::string_view(reinterpret_cast<const char*>(data), size), "flash.txt");
    double sink = 0;
    for (const FlashEntry& e : flash->entries) {
        for (double t : {e.start, (e.start + e.end) / 2, e.end}) {
            double level = fadeLevel(t - e.start, e.fadeIn, e.hold, e.fadeOut) * e.peak;
            Flash::Color c = Flash::colorFor(level, e.kind);
            sink += c.r + c.a;
        }
    }
    volatile double keep = sink;
    (void)keep;
    return 0;
}
