#include "shell/key_help.h"

#include <algorithm>
#include <array>

namespace {

using When = KeyHelp::When;

constexpr std::array kKeys{
    KeyHelp{"Escape, Q, F5", "quit", When::Always},
    KeyHelp{"Space", "freeze the picture (time runs on)", When::Always},
    KeyHelp{"F1", "switch between fullscreen and window (everything is reloaded)", When::Always},
    KeyHelp{"C", "log the camera position (and write it to the file Enter opened)", When::Always},
    KeyHelp{"V", "rewind the camera's paths", When::Always},
    KeyHelp{"H", "shake the camera", When::Always},
    KeyHelp{"F8", "pause until the box is closed", When::LogOn},
    KeyHelp{"F11", "jump to a typed time (whole seconds)", When::LogOn},
    KeyHelp{"F12", "reload the lists (if asked) and restart at 0 s", When::LogOn},
    KeyHelp{"W, S, A, D", "move the camera forward, back, left, right", When::LogOn},
    KeyHelp{"arrows", "turn the camera left, right, look up, down", When::LogOn},
    KeyHelp{"R, F, Z, X", "raise, lower, roll the camera", When::LogOn},
    KeyHelp{"Enter", "start or stop writing camera positions to a typed file", When::LogOn},
    KeyHelp{"L, 0", "load a camera path from a typed file, fly it (3 s)", When::LogOn},
    KeyHelp{"1, 9", "type the move speed in hundredths, type a view (nine numbers)", When::LogOn},
    KeyHelp{"keypad 4, 6, 8, 2",
            "tune the sprites' offsets; keypad 5 logs them, keypad 1 "
            "types their step",
            When::LogOn},
    KeyHelp{"F9", "the authoring overlay: frame rate, show time, beat and bar, sync",
            When::Authoring},
};

struct Group {
    When when;
    const char* terminal;
    const char* manual;
    const char* markdown;
};

constexpr Group kGroups[] = {
    {When::Always, "Keys, always:", "Always", "always"},
    {When::LogOn, "Keys with the file 'logga' in the data directory (the log window on):",
     "With the file logga in the data directory (the log window on)", "with `logga`"},
    {When::Authoring, "Keys with 'logga' or --watch:", "With logga or \\-\\-watch",
     "with `logga` or `--watch`"},
};

// roff takes "-" for a hyphen and "\-" for a minus, which options and keys are written with.
std::string roff(const char* text) {
    std::string out;
    for (const char* c = text; *c; ++c) {
        out += *c == '-' ? "\\-" : std::string(1, *c);
    }
    return out;
}

// "  F8                  pause …", the effect wrapped at 80 columns under itself.
std::string terminalLine(const KeyHelp& key) {
    constexpr size_t kEffectColumn = 22;
    constexpr size_t kWidth = 80;
    std::string line = std::string("  ") + key.keys;
    line.resize(std::max(line.size() + 2, kEffectColumn), ' ');
    std::string out;
    const std::string effect = key.effect;
    size_t at = 0;
    while (at < effect.size()) {
        size_t room = kWidth - line.size();
        size_t end = effect.size();
        if (end - at > room) {
            end = effect.rfind(' ', at + room);
            end = end == std::string::npos || end <= at ? at + room : end;
        }
        line += effect.substr(at, end - at);
        out += line + "\n";
        line.assign(kEffectColumn, ' ');
        at = end < effect.size() && effect[end] == ' ' ? end + 1 : end;
    }
    return out;
}

}  // namespace

std::span<const KeyHelp> KeyHelp::all() {
    return kKeys;
}

std::string KeyHelp::describe(Format format) {
    std::string out;
    if (format == Format::Markdown) {
        out += "| key | acts | effect |\n| --- | --- | --- |\n";
    }
    for (const Group& group : kGroups) {
        if (format == Format::Terminal) {
            out += std::string(group.terminal) + "\n";
        } else if (format == Format::Manual) {
            out += std::string(".SS ") + group.manual + "\n";
        }
        for (const KeyHelp& key : kKeys) {
            if (key.when != group.when) {
                continue;
            }
            switch (format) {
                case Format::Terminal:
                    out += terminalLine(key);
                    break;
                case Format::Manual:
                    out += ".TP\n.B " + roff(key.keys) + "\n" + roff(key.effect) + "\n";
                    break;
                case Format::Markdown:
                    out += std::string("| ") + key.keys + " | " + group.markdown + " | " +
                           key.effect + " |\n";
                    break;
            }
        }
    }
    return out;
}
