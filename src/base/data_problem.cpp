#include "base/data_problem.h"

#include "platform/path.h"

std::function<void(const std::string& path, const std::string& reason)> DataProblem::teller;

void DataProblem::tell(const std::string& path, const std::string& reason) {
    if (teller) {
        teller(path, reason);
    }
}

void DataProblem::tellMissingOr(const char* path, const std::string& otherwise) {
    if (path) {
        tell(path, platform::fileExists(path) ? otherwise : "missing");
    }
}
