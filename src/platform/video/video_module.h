// Video files are written by a module of its own (see program_module.h), loaded the first
// time one is made: FFmpeg and what it pulls in are mapped only when a video is recorded.
#pragma once

#include <memory>

#include "platform/video/recording_file.h"

namespace platform::video {

// The module's file name and the function it offers: a new video file.
inline constexpr const char* kVideoModuleName = "tarvel-video.so";
inline constexpr const char* kVideoModuleEntry = "tarvel_video_file_create";

// A video file from the module; when the module cannot be loaded, one whose open fails
// with the reason.
std::unique_ptr<RecordingFile> makeVideoFile();

}  // namespace platform::video
