// `tarvel --check`: reads every list file of Show::kListSources and every file of
// DataFile::all() as the show would, plus each picture and camera path a row names, without
// GL and without drawing, and names every problem it finds: "FILE:LINE: reason" for a row,
// "FILE: reason" for a file, the files written as the user would write them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "show/data_file_check.h"
#include "show/show.h"

struct TagRow;
struct FlashRow;
struct CameraRow;

class DataSetCheck {
public:
    // `root`: the directory holding vintra/ as the user named it. The program has changed
    // into it, so the show's "./vintra/…" paths are read as they are.
    explicit DataSetCheck(std::string root);

    // Reads everything; true when no problem was found.
    bool run();

    // One line each, in the order found: lists in the show's reading order, then the files.
    const std::vector<std::string>& problems() const { return problems_; }
    // One line: whole or how many problems, and what was read.
    std::string summary() const;

private:
    void checkList(const Show::ListSource& list);
    void checkRow(const Show::ListSource& list, const char* line, const std::string& file,
                  int number);
    void checkTagRow(const TagRow& row, const char* directory, const std::string& at);
    void checkFlashRow(const FlashRow& row, const std::string& at);
    void checkCameraRow(const CameraRow& row, const std::string& at);
    // The row's own interval of show time: it must meet the show and not end before it starts.
    void checkInterval(double start, double end, const std::string& at);
    // A file a row names: a row problem when it is missing, a file problem (said once)
    // when it does not serve.
    void checkNamedFile(const std::string& path, DataFile::Kind kind, const char* what,
                        const std::string& at);
    // A file that is read whatever the lists say; false when it has a problem.
    void checkFile(const std::string& path, DataFile::Kind kind);
    // The music, decoded whole: a line for each thing the show would not play as written.
    void checkMusic(const std::string& path);
    // The problem of a file read before, or the reason from reading it now.
    const std::string& faultOf(const std::string& path, DataFile::Kind kind);

    std::string shown(const std::string& path) const;
    void problem(const std::string& line) { problems_.push_back(line); }

    std::string root_;
    DataFileCheck files_;
    std::vector<std::string> problems_;
    std::map<std::string, std::string> faults_;  // by resolved path: "" when it serves
    std::map<DataFile::Kind, int> counts_;       // files read, by kind
    int lists_ = 0;
    int rows_ = 0;
    double musicSeconds_ = 0;
};
