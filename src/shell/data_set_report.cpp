#include "shell/data_set_report.h"

#include <set>

#include "base/data_problem.h"
#include "base/log.h"
#include "layers/list_lines.h"
#include "platform/path.h"
#include "shell/log_window.h"

void DataSetReport::install(const std::string& dataDirectory) {
    ListLines::reportSkipped = [dataDirectory](const char* path, int line, const char* text,
                                               const std::string& reason) {
        const std::string said =
            ListLines::skipLine(platform::pathUnder(dataDirectory, path), line, text, reason);
        logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: %s", said.c_str());
        if (shellLog) {
            shellLog->show(said);  // the terminal has it already, with the program's name
        }
    };
    DataProblem::teller = [dataDirectory, told = std::set<std::string>()](
                              const std::string& path, const std::string& reason) mutable {
        const std::string said = platform::pathUnder(dataDirectory, path) + ": " + reason;
        if (told.insert(said).second) {
            logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: %s", said.c_str());
        }
    };
}
