// The frame times of a --bench run as files: an SVG chart of frame time over show time,
// with the show's section boundaries and lines at 16.7 ms (60 fps) and 33.3 ms (30 fps),
// and a CSV table with one row per frame.
#pragma once

#include <string>

#include "shell/frame_stats.h"

std::string frameChartSvg(const FrameStats& stats);
std::string frameTableCsv(const FrameStats& stats);

// --bench's --chart and --csv files (empty names are skipped); false after printing the
// one-line failure.
bool writeBenchFiles(const FrameStats& stats, const std::string& chartFile,
                     const std::string& csvFile);
