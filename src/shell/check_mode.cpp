#include "shell/check_mode.h"

#include <cstdio>

#include "show/data_set_check.h"

int runCheck(const std::string& dataDirectory) {
    DataSetCheck check(dataDirectory);
    const bool whole = check.run();
    std::string out;
    for (const std::string& problem : check.problems()) {
        out += problem + "\n";
    }
    out += check.summary() + "\n";
    const bool written = std::fputs(out.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return whole && written ? 0 : 1;
}
