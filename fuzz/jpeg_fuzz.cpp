// Feeds arbitrary bytes to the JPEG reader through its in-memory path.
#include <cstdint>

#include "image/jpg_image.h"
#include "platform/jpeg.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LogWindow quietLog(false);
    logWindow = &quietLog;
    // Legal but huge pictures only cost time here; the size guard has its own tests.
    platform::JpegProperties header;
    header.jpgBytes = data;
    header.jpgSizeBytes = size;
    if (platform::readJpegHeader(header) == platform::JpegResult::Ok &&
        long{header.jpgWidth} * header.jpgHeight > (1L << 22)) {
        return 0;
    }
    JPGImage image;
    image.loadFromMemory(data, size);
    return 0;
}
