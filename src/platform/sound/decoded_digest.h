// A fingerprint of all that an MP3 file decodes to at the mixer's rate: the frame count and
// a 64-bit FNV-1a hash of the 16-bit samples. The page and the desktop compute it with the
// same code, so equal fingerprints say they hear the same music.
#pragma once

#include <string>

namespace platform::sound {

// "FRAMES:HASH" (the hash in 16 hex digits), or "" when the file does not open.
std::string decodedDigest(const std::string& path, int rate);

}  // namespace platform::sound
