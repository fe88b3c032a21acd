// Finds the show's data set: the first directory holding vintra/, looked for in the
// command line's --data, $TARVEL_DATA, the current directory, the data/ a build tree
// generates beside the program, the installed prefix beside the program and the XDG data
// directories.
#pragma once

#include <string>
#include <vector>

class DataSetSearch {
public:
    struct Place {
        std::string directory;  // the directory that should hold vintra/
        bool chosen;            // named by the user: looked at alone, never skipped
    };

    // `dataOption` is --data's value, empty when not given; `program` is the running
    // program's path, whose prefix may hold an installed data set.
    explicit DataSetSearch(const std::string& dataOption,
                           const std::string& program = runningProgram());

    // The path of the running program, from /proc.
    static std::string runningProgram();

    // True with found() set to the first place holding vintra/.
    bool find();
    const std::string& found() const { return found_; }

    // One line naming every place looked in and how to make a data set.
    std::string notFoundMessage() const;

    // The places in the order they are tried.
    const std::vector<Place>& places() const { return places_; }

private:
    void addBuildTree(const std::string& program);
    void addInstalledPrefix(const std::string& program);
    void addXdgDirectories();

    std::vector<Place> places_;
    std::vector<std::string> lookedIn_;
    std::string found_;
};
