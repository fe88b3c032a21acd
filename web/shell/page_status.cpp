// What the page asks the running show: its time and the music's, which the page shows
// to its tests and its log panel. Exported by name (web/web.cmake), so no browser header
// is needed here.
#include "base/frame_state.h"
#include "platform/sound/sound.h"
#include "show/music.h"

extern "C" {

double tarvel_show_time() {
    return showTime;
}

// Where the music heard now is in the track, by the audio output's own clock; -1 before
// the music has started or without a stream.
double tarvel_music_time() {
    if (!music || !music->stream || !music->playing)
        return -1;
    return platform::sound::audibleSeconds(music->stream);
}
}
