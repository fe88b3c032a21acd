// One row of a tag list, scanned and resolved (666 markers replaced by random values,
// beats turned into seconds) but not yet turned into a tag: the parsing needs no GL.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct TagRow {
    enum class Scan { Row, Skipped, PathTooLong };

    std::string imagePath;  // directory + name
    double start = 0, fadeIn = 0, hold = 0, fadeOut = 0;
    double x = 0, y = 0, z = 0, rotation = 0, peak = 0, zDrift = 0;
    int line = 0;  // of the list file, from 1

    // Scans one line against the twelve-column format and resolves it. Draws random values
    // only for a row that will be used.
    static Scan scan(const char* line, const char* directory, TagRow& row);

    // Every usable row of an open list file; over-long image paths are logged and left out.
    // `listPath` names the file when a skipped row is reported.
    static std::vector<TagRow> parseList(FILE* file, const char* directory,
                                         const char* listPath = nullptr);
};
