// What is wrong with the data set is told on standard error in every mode, in the form
// `tarvel --check` uses, by paths as the user would write them: under the data set's
// directory as it was given, not as "./vintra/…". A list row the readers skip is told once
// by file and line ("FILE:LINE: row skipped (REASON): ROW"), and a file that does not serve
// once with its reason ("FILE: missing"), beside the show's own message about it. With the
// log on, the skipped row is in the log too.
#pragma once

#include <string>

class DataSetReport {
public:
    // `dataDirectory`: the directory holding vintra/, as --data, $TARVEL_DATA or the search
    // named it; the program has changed into it.
    static void install(const std::string& dataDirectory);
};
