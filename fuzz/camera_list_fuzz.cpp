// Feeds arbitrary text to the camera list reader from memory, twice over the same timeline as a
// reload does, in a directory holding a few real position files for rows to name.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "base/timeline.h"
#include "layers/camera_list.h"
#include "shell/log_window.h"

namespace {

void writePositionFiles() {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("tarvel-camera-fuzz-" + std::to_string(getpid()));
    fs::create_directories(root / "vintra/cameras");
    const char* files[][2] = {
        {"one.pos", "1 2 3 0 0 0 0 1 0\n"},
        {"two.pos", "0 0 5 0 0 0 0 1 0\n5 0 0 0 0 0 0 1 0\n0 5 0 0 0 0 0 0 1\n"},
        {"empty.pos", ""},
    };
    for (auto& [name, text] : files) {
        FILE* file = std::fopen((root / "vintra/cameras" / name).c_str(), "wb");
        if (file) {
            std::fputs(text, file);
            std::fclose(file);
        }
    }
    fs::current_path(root);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    logWindow = new LogWindow(false);
    writePositionFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Timeline timeline;
    CameraList list(&timeline);
    list.readText(text, "cameras.txt");
    timeline.clear();
    list.readText(text, "cameras.txt");
    return 0;
}
