#include "shell/progress_line.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRefreshSeconds = 0.25;

std::string minutesAndSeconds(double seconds) {
    const long long whole = std::llround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

}  // namespace

ProgressLine::ProgressLine(std::string label, long long totalFrames, double frameStep, FILE* out)
    : label_(std::move(label)),
      total_(std::max(1LL, totalFrames)),
      step_(frameStep),
      out_(out),
      terminal_(isatty(fileno(out)) != 0),
      start_(std::chrono::steady_clock::now()) {}

std::string ProgressLine::text(long long done, long long total, double showTime, double frameStep,
                               double wallSeconds) {
    const double showSeconds = static_cast<double>(done) * frameStep;
    const double speed = wallSeconds > 0 ? showSeconds / wallSeconds : 0;
    const double left =
        speed > 0 ? static_cast<double>(std::max(0LL, total - done)) * frameStep / speed : 0;
    char line[160];
    std::snprintf(line, sizeof line, "%lld/%lld frames, show time %.2f s, %.2fx real time, %s left",
                  done, total, showTime, speed, speed > 0 ? minutesAndSeconds(left).c_str() : "?");
    return line;
}

void ProgressLine::update(long long framesDone, double showTime) {
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (terminal_) {
        if (wall - lastPrinted_ < kRefreshSeconds && framesDone < total_)
            return;
        lastPrinted_ = wall;
        // \033[K clears what a longer earlier line left behind.
        std::fprintf(out_, "\r%s%s\033[K", label_.c_str(),
                     text(framesDone, total_, showTime, step_, wall).c_str());
        open_ = true;
    } else {
        const int tenth = static_cast<int>(std::min(10LL, framesDone * 10 / total_));
        if (tenth <= lastTenth_)
            return;
        lastTenth_ = tenth;
        std::fprintf(out_, "%s%s\n", label_.c_str(),
                     text(framesDone, total_, showTime, step_, wall).c_str());
    }
    std::fflush(out_);
}

void ProgressLine::finish() {
    if (open_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        open_ = false;
    }
}
