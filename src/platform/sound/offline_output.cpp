#include "platform/sound/offline_output.h"

#include <cmath>

#include "platform/sound/mixer.h"

namespace platform::sound {

bool OfflineOutput::start(Mixer& mixer) {
    mixer_ = &mixer;
    elapsed_ = 0;
    blocks_ = 0;
    return true;
}

// The mixed sound always reaches at least as far as the elapsed time; the small margin
// keeps a step that lands exactly on a block edge from pulling one block more.
void OfflineOutput::advance(double seconds) {
    if (!mixer_ || !(seconds > 0))
        return;
    elapsed_ += seconds;
    double blocksDue = elapsed_ * mixer_->rate() / Mixer::kBlockFrames;
    auto due = static_cast<int64_t>(std::ceil(blocksDue - 1e-6));
    for (; blocks_ < due; ++blocks_)
        mixer_->mixBlock();
}

}  // namespace platform::sound
