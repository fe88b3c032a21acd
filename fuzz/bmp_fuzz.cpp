// Feeds arbitrary bytes to the BMP reader through an in-memory stream.
#include <cstdint>
#include <cstdio>

#include "image/bmp_image.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    logWindow = new LogWindow(false);
    // The reader reports to standard output; keep the fuzzer's output readable.
    if (!std::freopen("/dev/null", "w", stdout)) {
        return 0;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) {
        return 0;
    }
    BMPImage image;
    image.loadFrom(file, "fuzz.bmp");
    std::fclose(file);
    return 0;
}
