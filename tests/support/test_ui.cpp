#include "support/test_ui.h"

#include <memory>
#include <vector>

#include "shell/log_window.h"

namespace testing_support {

platform::ScriptedUi& installScriptedUi(bool logOn) {
    auto ui = std::make_unique<platform::ScriptedUi>();
    platform::ScriptedUi& ref = *ui;
    platform::setUi(std::move(ui));
    // Earlier logs stay alive until the program ends: objects may still point at them.
    static std::vector<std::unique_ptr<LogWindow>> logs;
    logs.push_back(std::make_unique<LogWindow>(logOn));
    shellLog = logs.back().get();
    logWindow = shellLog;
    logEnabled = logOn;
    return ref;
}

}  // namespace testing_support
