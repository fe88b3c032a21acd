// The video writer module's one entry point (see video_module.h). The module leaves the
// program's own symbols (the pending files that a signal removes) to the program.
#include "platform/video/video_file.h"
#include "platform/video/video_module.h"

extern "C" __attribute__((visibility("default"))) platform::video::RecordingFile*
tarvel_video_file_create() {
    return new platform::video::VideoFile();
}
