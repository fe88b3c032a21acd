// A file the show writes is offered by the page (web/page.js): kept beside the dropped ones
// and downloaded once it is complete. The page reads it from the file system by its path.
#include <emscripten/emscripten.h>
#include <unistd.h>

#include <string>

#include "platform/path.h"
#include "platform/written_file.h"

namespace platform {
namespace {

// clang-format off
EM_JS(void, pageWritten, (const char* path, bool complete), {
    const page = Module["tarvelPage"];
    if (page && page.written)
        page.written(UTF8ToString(path), complete);
});
// clang-format on

}  // namespace

void offerWrittenFile(const std::string& path, bool complete) {
    std::string file = resolvePath(path);
    if (file.empty() || file[0] != '/') {
        char cwd[1024];
        std::string directory = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
        file = directory + (directory.back() == '/' ? "" : "/") + file;
    }
    pageWritten(file.c_str(), complete);
}

}  // namespace platform
