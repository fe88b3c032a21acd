#include "platform/sound/silent_output.h"

#include <chrono>

#include "platform/sound/mixer.h"

namespace platform::sound {

bool SilentOutput::start(Mixer& mixer) {
    stop();
    running_.store(true);
    thread_ = std::thread(&SilentOutput::run, this, &mixer);
    return true;
}

void SilentOutput::stop() {
    running_.store(false);
    if (thread_.joinable())
        thread_.join();
}

// Block deadlines are counted from the start, so sleeping late never makes time drift.
void SilentOutput::run(Mixer* mixer) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const double blockSeconds = static_cast<double>(Mixer::kBlockFrames) / mixer->rate();
    for (long long block = 0; running_.load(); ++block) {
        auto due = start + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(block * blockSeconds));
        std::this_thread::sleep_until(due);
        if (!running_.load())
            break;
        mixer->mixBlock();
    }
}

}  // namespace platform::sound
