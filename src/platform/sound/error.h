// The sound layer's error codes: every failing call records one, and the music object
// turns it into its message text.
#pragma once

namespace platform::sound {

enum class Error : int {
    None = 0,
    AlreadyInitialised = 1,
    NotInitialised = 2,
    OutputInit = 3,
    OutputBusy = 4,
    PlayFailed = 5,
    OutputFormat = 6,
    CooperativeLevel = 7,
    CreateBuffer = 8,
    FileNotFound = 9,
    UnknownFormat = 10,
    FileLoad = 11,
    Memory = 12,
    FormatVersion = 13,
    InvalidParameter = 14,
};

}  // namespace platform::sound
