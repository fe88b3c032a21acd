#include "camera/pos_reader.h"

#include <charconv>
#include <system_error>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads one number at `pos` after skipping white space, as the "%f" scan would.
// False at the end of the bytes or when no number starts there.
bool readNumber(std::string_view bytes, size_t& pos, float& value) {
    while (pos < bytes.size() && isBlank(bytes[pos])) {
        ++pos;
    }
    if (pos >= bytes.size()) {
        return false;
    }
    const char* first = bytes.data() + pos;
    const char* last = bytes.data() + bytes.size();
    // from_chars takes no leading '+', which the scan accepts.
    if (*first == '+' && first + 1 < last && first[1] != '-' && first[1] != '+') {
        ++first;
    }
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc()) {
        return false;
    }
    pos = static_cast<size_t>(end - bytes.data());
    return true;
}

}  // namespace

std::vector<CameraPosition> PosReader::parse(std::string_view bytes) {
    std::vector<CameraPosition> positions;
    size_t pos = 0;
    float v[9];
    for (;;) {
        for (float& value : v) {
            if (!readNumber(bytes, pos, value)) {
                return positions;
            }
        }
        positions.push_back(
            {Vector3(v[0], v[1], v[2]), Vector3(v[3], v[4], v[5]), Vector3(v[6], v[7], v[8])});
    }
}
