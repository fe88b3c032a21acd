// The browser build decodes its music in the browser and has no `--check`: no survey.
#include "platform/sound/mp3_survey.h"

namespace platform::sound {

Mp3Survey Mp3Survey::of(const std::string&) {
    Mp3Survey survey;
    survey.failure = "the browser build does not read MP3 files itself";
    return survey;
}

}  // namespace platform::sound
