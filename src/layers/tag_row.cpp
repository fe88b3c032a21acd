#include "layers/tag_row.h"

#include <cstring>

#include "base/beat.h"
#include "base/log.h"
#include "base/random.h"
#include "layers/list_lines.h"

namespace {

constexpr float kMarker = 666.0f;  // "pick a random value"
constexpr size_t kPathLimit = 1023;

float randomSpread() {
    return static_cast<float>(nextRandom() % 200) / 100.0f - 1.0f;
}

struct Fields {
    float start, fadeIn, hold, fadeOut, x, y, z, rotation, peak, zDrift, unit;
};

// The markers are replaced in this order, each draw only for a column that holds one.
void replaceMarkers(Fields& f) {
    if (f.x == kMarker) {
        f.x = randomSpread() * 0.5f;
    }
    if (f.y == kMarker) {
        f.y = randomSpread() * 0.5f;
    }
    if (f.z == kMarker) {
        f.z = randomSpread() * 0.5f - 1.0f;
    }
    if (f.rotation == kMarker) {
        f.rotation = static_cast<float>(nextRandom() % 360);
    }
    if (f.peak == kMarker) {
        f.peak = static_cast<float>(nextRandom() % 100) / 100.0f;
    }
    if (f.zDrift == kMarker) {
        f.zDrift = randomSpread();
    }
}

// Rounded back to single precision, as the row's numbers are held.
void convertBeats(Fields& f) {
    if (f.unit > 0) {
        f.fadeIn = static_cast<float>(f.fadeIn * kBeatSeconds);
        f.hold = static_cast<float>(f.hold * kBeatSeconds);
        f.fadeOut = static_cast<float>(f.fadeOut * kBeatSeconds);
        f.start = static_cast<float>(f.start * kBeatSeconds);
    }
}

}  // namespace

TagRow::Scan TagRow::scan(const char* line, const char* directory, TagRow& row) {
    if (!line || !directory) {
        return Scan::Skipped;
    }
    // A line never exceeds the reading buffer, so the name fits.
    char name[ListLines::kBufferSize];
    Fields f{};
    int read = std::sscanf(line, "%s\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\n", name, &f.start,
                           &f.fadeIn, &f.hold, &f.fadeOut, &f.x, &f.y, &f.z, &f.rotation, &f.peak,
                           &f.zDrift, &f.unit);
    if (read != 12) {
        return Scan::Skipped;
    }
    if (std::strlen(directory) + std::strlen(name) > kPathLimit) {
        row.imagePath.assign(name, 0, 60);  // enough to find the row
        return Scan::PathTooLong;
    }
    row.imagePath = std::string(directory) + name;
    replaceMarkers(f);
    convertBeats(f);
    row.start = f.start;
    row.fadeIn = f.fadeIn;
    row.hold = f.hold;
    row.fadeOut = f.fadeOut;
    row.x = f.x;
    row.y = f.y;
    row.z = f.z;
    row.rotation = f.rotation;
    row.peak = f.peak;
    row.zDrift = f.zDrift;
    return Scan::Row;
}

std::vector<TagRow> TagRow::parseList(FILE* file, const char* directory, const char* listPath) {
    std::vector<TagRow> rows;
    ListLines lines(file, listPath);
    TagRow row;
    while (const char* line = lines.next()) {
        switch (scan(line, directory, row)) {
            case Scan::Row:
                row.line = lines.lineNumber();
                rows.push_back(row);
                break;
            case Scan::PathTooLong:
                logWindow->print("Image path too long, row skipped: %s...", row.imagePath.c_str());
                break;
            case Scan::Skipped:
                lines.skipped();
                break;
        }
    }
    return rows;
}
