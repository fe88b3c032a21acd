// Files named on the command line belong to the directory the user started in, whatever
// directory the data set moves the program to; they are made absolute before it moves.
#pragma once

#include <string>

struct Options;

class OutputPaths {
public:
    // Remembers the current directory as the one relative names are taken from.
    OutputPaths();

    // `name` as an absolute path (unchanged when it already is one).
    std::string absolute(const std::string& name) const;

    // Makes --shot's, --capture's, --chart's and --csv's files absolute.
    void resolve(Options& options) const;

    // False with the reason when --shot's file could not be written: checked before
    // anything is loaded or rendered.
    static bool checkShotTarget(const std::string& file, std::string& error);

private:
    std::string startDirectory_;
};
