// Feeds arbitrary text to the camera list reader, twice over the same timeline as a reload
// does, in a directory holding a few real position files for rows to name.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "base/timeline.h"
#include "fuzz_file.h"
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
    std::string path = fuzzFile(data, size, "cameras.txt");
    Timeline timeline;
    CameraList list(&timeline);
    list.read(path.c_str());
    timeline.clear();
    list.read(path.c_str());
    return 0;
}
