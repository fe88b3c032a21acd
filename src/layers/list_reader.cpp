#include "layers/list_reader.h"

#include <cstdio>

#include "base/data_problem.h"
#include "platform/path.h"

std::optional<std::string> ListReader::open(const char* path, const char* heading,
                                            const std::string& shown) {
    logWindow->print("%s%s", heading, shown.c_str());
    std::string text;
    if (!path || !platform::readFile(path, text)) {
        logWindow->print("File Not Found : %s\n", shown.c_str());
        DataProblem::tellMissingOr(path, "cannot be read");
        return std::nullopt;
    }
    return text;
}
