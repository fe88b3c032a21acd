// Files the show writes for its author (a recorded camera path). The desktop has them on
// disk already; a page, whose files vanish with it, offers each as a download.
#pragma once

#include <string>

namespace platform {

// `path` (as the show named it) has been written to; `complete` once it is closed.
void offerWrittenFile(const std::string& path, bool complete);

}  // namespace platform
