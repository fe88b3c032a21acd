// The keys as an author meets them, in one table: `--help` prints it, and the manual
// page's KEYS section and the README's key table are written from it (a test holds both
// to it, word for word). When each key acts is as the code has it: the authoring keys only
// while the log is on, the overlay's key in authoring mode (the log or --watch).
#pragma once

#include <span>
#include <string>

struct KeyHelp {
    enum class When { Always, LogOn, Authoring };
    enum class Format { Terminal, Manual, Markdown };

    const char* keys;
    const char* effect;
    When when;

    static std::span<const KeyHelp> all();
    // The whole table in the form of --help, of the manual page (roff) or of the README.
    static std::string describe(Format format);
};
