// What the page's player asks of the running show between frames: pause and play, a seek,
// the show's end held instead of ended, and what the player draws and lists: the schedule's
// rows and the key table. Single-threaded: the page calls these between animation frames.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "shell/key_help.h"
#include "shell/session.h"
#include "show/schedule.h"
#include "show/show.h"

namespace {

// clang-format off
EM_JS(void, pageHeldAtEnd, (int status), {
    const page = Module["tarvelPage"];
    if (page && page.ended)
        page.ended(status);
});
// clang-format on

ShowClock* runningClock() {
    Session* session = runningSession();
    return session && session->show ? &session->show->clock() : nullptr;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

const char* whenName(KeyHelp::When when) {
    switch (when) {
        case KeyHelp::When::Always:
            return "always";
        case KeyHelp::When::LogOn:
            return "log";
        case KeyHelp::When::Authoring:
            return "authoring";
    }
    return "always";
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tarvel_set_paused(int paused) {
    ShowClock* clock = runningClock();
    if (!clock || clock->paused() == (paused != 0))
        return;
    if (paused)
        clock->pause();
    else
        clock->resume();
}

EMSCRIPTEN_KEEPALIVE int tarvel_paused() {
    ShowClock* clock = runningClock();
    return clock && clock->paused() ? 1 : 0;
}

// The next frame shows `seconds` exactly (while paused, every frame until play).
EMSCRIPTEN_KEEPALIVE void tarvel_seek(double seconds) {
    if (ShowClock* clock = runningClock())
        clock->seek(seconds);
}

EMSCRIPTEN_KEEPALIVE double tarvel_end_time() {
    ShowClock* clock = runningClock();
    return clock ? clock->endTime : ShowClock::kEndTime;
}

// A page that ends its program leaves nothing to play again: at the end the clock holds
// the last frame (the one at the end time) and the page is told, as an exit would tell it.
EMSCRIPTEN_KEEPALIVE void tarvel_hold_at_end() {
    ShowClock* clock = runningClock();
    if (!clock)
        return;
    clock->endProcess = [clock](int status) {
        clock->pause();
        clock->seek(clock->endTime);
        pageHeldAtEnd(status);
    };
}

// {"end": …, "lanes": [names], "sections": [[start, end, name]], "rows": [[start, end, lane,
// seen (0 drawn, 1 hidden, 2 a window of the frame order), what]]}; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarvel_schedule() {
    static std::string json;
    Session* session = runningSession();
    if (!session || !session->show)
        return "";
    const Schedule schedule(*session->show);
    json = "{\"end\":" + number(tarvel_end_time()) + ",\"lanes\":[";
    const char* comma = "";
    for (const std::string& lane : Schedule::lanes()) {
        json += comma + quoted(lane);
        comma = ",";
    }
    json += "],\"sections\":[";
    comma = "";
    for (const Schedule::Section& section : Schedule::sections()) {
        json += comma;
        json += "[" + number(section.start) + "," + number(section.end) + "," +
                quoted(section.name) + "]";
        comma = ",";
    }
    json += "],\"rows\":[";
    comma = "";
    for (const Schedule::Row& row : schedule.rows()) {
        json += comma;
        json += "[" + number(row.start) + "," + number(row.end) + "," + std::to_string(row.lane) +
                "," + std::to_string(static_cast<int>(row.seen)) + "," + quoted(row.what()) + "]";
        comma = ",";
    }
    json += "]}";
    return json.c_str();
}

// The show's keys, one a line: keys, when (always, log, authoring) and effect, by tabs.
EMSCRIPTEN_KEEPALIVE const char* tarvel_key_help() {
    static std::string text;
    text.clear();
    for (const KeyHelp& key : KeyHelp::all())
        text += std::string(key.keys) + "\t" + whenName(key.when) + "\t" + key.effect + "\n";
    return text.c_str();
}
}
