#include "shell/schedule_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/data_file.h"
#include "base/log.h"
#include "platform/pending_file.h"
#include "show/loudness.h"
#include "show/schedule.h"
#include "show/schedule_chart.h"

namespace {

int writeText(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

int writeChart(const Schedule& schedule, const std::string& file) {
    // Without the music the chart is drawn all the same, its loudness curve left out.
    const Loudness loudness(data::kMusic.path);
    const std::string svg = ScheduleChart(schedule, loudness).svg();
    platform::PendingFile pending(file);
    std::string error;
    if (pending.open(error)) {
        if (std::fwrite(svg.data(), 1, svg.size(), pending.stream()) != svg.size()) {
            error = std::strerror(errno);
        } else if (pending.commit(error)) {
            logWindow->say(LogLevel::Info, LogModule::Shell, "tarvel: wrote %s", file.c_str());
            return 0;
        }
    }
    logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot write %s: %s", file.c_str(),
                   error.c_str());
    return 1;
}

}  // namespace

int writeSchedule(const Show& show, const std::string& svgFile) {
    const Schedule schedule(show);
    return svgFile.empty() ? writeText(schedule.text()) : writeChart(schedule, svgFile);
}
