#include "shell/skipped_row_report.h"

#include "base/log.h"
#include "layers/list_lines.h"
#include "platform/path.h"

void SkippedRowReport::install(const std::string& dataDirectory) {
    ListLines::reportSkipped = [dataDirectory](const char* path, int line, const char* text,
                                               const std::string& reason) {
        const std::string said =
            ListLines::skipLine(platform::pathUnder(dataDirectory, path), line, text, reason);
        // With the log on, its own lines reach the terminal already.
        if (!logEnabled) {
            logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: %s", said.c_str());
        }
        logWindow->print("%s", said.c_str());
    };
}
