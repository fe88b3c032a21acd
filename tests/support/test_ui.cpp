#include "support/test_ui.h"

#include <memory>

#include "shell/log_window.h"

namespace testing_support {

platform::ScriptedUi& installScriptedUi(bool logOn) {
    auto ui = std::make_unique<platform::ScriptedUi>();
    platform::ScriptedUi& ref = *ui;
    platform::setUi(std::move(ui));
    // The old log is left alive on purpose: objects may still point at it.
    logWindow = new LogWindow(logOn);
    logEnabled = logOn;
    return ref;
}

}  // namespace testing_support
