// Every list row the readers skip is said once on standard error, in every mode, by file and
// line, the file named as the user would write it: under the data set's directory as it was
// given, not as "./vintra/…". With the log on, its own line says it there and on the terminal.
#pragma once

#include <string>

class SkippedRowReport {
public:
    // `dataDirectory`: the directory holding vintra/, as --data, $TARVEL_DATA or the search
    // named it; the program has changed into it.
    static void install(const std::string& dataDirectory);
};
