// Unit tests' set-up: a scripted ui and an enabled log that keeps its text, so tests can
// check the log lines and message boxes a piece of code produced.
#pragma once

#include "platform/scripted_ui.h"

namespace testing_support {

// Installs a fresh ScriptedUi and a fresh enabled LogWindow on it; returns the ui.
platform::ScriptedUi& installScriptedUi(bool logOn = true);

}  // namespace testing_support
