#include "shell/authoring.h"

#include <cstdio>
#include <cstring>

#include "base/keys.h"
#include "base/log.h"
#include "layers/list_lines.h"

Authoring::Authoring(Show& show, std::string restingTitle)
    : reloader_(show), overlay_(std::move(restingTitle)) {}

void Authoring::reportSkippedRows() {
    ListLines::reportSkipped = [](const char* path, int line, const char* text) {
        // The row without its line end, so the report stays one line.
        const int length = static_cast<int>(std::strcspn(text, "\r\n"));
        // With the log on, its own lines reach the terminal already.
        if (!logEnabled) {
            logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: %s:%d: row skipped: %.*s",
                           path, line, length, text);
        }
        logWindow->print("%s:%d: row skipped: %.*s", path, line, length, text);
    };
}

void Authoring::beforeFrame() {
    reloader_.poll();
}

void Authoring::afterFrame(platform::Window& window, Text* text) {
    overlay_.draw(&window, text);
}

void Authoring::handleKeys(platform::Window& window) {
    if (keys[kOverlayKey]) {
        keys[kOverlayKey] = 0;
        overlay_.toggle(&window);
    }
}
