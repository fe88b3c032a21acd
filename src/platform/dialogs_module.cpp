// The desktop's dialogs are GTK's, in a module of their own (see program_module.h): an
// offline run (a benchmark, stills, a recording) never maps GTK and what it pulls in.
#include <cstdio>
#include <string>

#include "platform/program_module.h"
#include "platform/ui.h"

namespace platform {

std::unique_ptr<Ui> makeInteractiveUi() {
    using Create = Ui* (*)();
    std::string reason;
    auto create = reinterpret_cast<Create>(
        programModuleEntry("tarvel-dialogs.so", "tarvel_dialogs_create", reason));
    if (create == nullptr) {
        std::fprintf(stderr, "tarvel: the dialogs: %s\n", reason.c_str());
        return nullptr;
    }
    return std::unique_ptr<Ui>(create());
}

}  // namespace platform
