#include "shell/data_set_search.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool holdsDataSet(const std::string& directory) {
    std::error_code error;
    return fs::is_directory(fs::path(directory) / "vintra", error);
}

}  // namespace

std::string DataSetSearch::runningProgram() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

DataSetSearch::DataSetSearch(const std::string& dataOption, const std::string& program) {
    if (!dataOption.empty()) {
        places_.push_back({dataOption, true});
        return;
    }
    const std::string fromEnvironment = environment("TARVEL_DATA");
    if (!fromEnvironment.empty()) {
        places_.push_back({fromEnvironment, true});
        return;
    }
    places_.push_back({".", false});
    addBuildTree(program);
    addInstalledPrefix(program);
    addXdgDirectories();
}

// data/ beside a program run from its build tree, where the build generates the data set:
// build/default/tarvel plays build/default/data/vintra from any directory.
void DataSetSearch::addBuildTree(const std::string& program) {
    std::error_code error;
    const fs::path directory = fs::path(program).parent_path();
    if (!program.empty() && fs::is_regular_file(directory / "CMakeCache.txt", error)) {
        places_.push_back({(directory / "data").string(), false});
    }
}

// share/tarvel under the prefix the program runs from, so a moved installation still works.
void DataSetSearch::addInstalledPrefix(const std::string& program) {
    if (!program.empty()) {
        const fs::path prefix = fs::path(program).parent_path().parent_path();
        places_.push_back({(prefix / "share/tarvel").string(), false});
    }
}

void DataSetSearch::addXdgDirectories() {
    std::string home = environment("XDG_DATA_HOME");
    if (home.empty() && !environment("HOME").empty()) {
        home = environment("HOME") + "/.local/share";
    }
    if (!home.empty()) {
        places_.push_back({home + "/tarvel", false});
    }
    std::string dirs = environment("XDG_DATA_DIRS");
    if (dirs.empty()) {
        dirs = "/usr/local/share:/usr/share";
    }
    std::istringstream list(dirs);
    std::string dir;
    while (std::getline(list, dir, ':')) {
        if (!dir.empty()) {
            places_.push_back({dir + "/tarvel", false});
        }
    }
}

bool DataSetSearch::find() {
    lookedIn_.clear();
    for (const Place& place : places_) {
        lookedIn_.push_back(place.directory == "." ? "./vintra" : place.directory + "/vintra");
        if (holdsDataSet(place.directory)) {
            found_ = place.directory;
            return true;
        }
    }
    return false;
}

std::string DataSetSearch::notFoundMessage() const {
    std::string message = "no data set (looked for ";
    for (size_t i = 0; i < lookedIn_.size(); ++i) {
        message += (i ? ", " : "") + lookedIn_[i];
    }
    return message +
           "); make one with 'vintra-gen DIR/vintra' and pass --data DIR, or install the "
           "tarvel package";
}
