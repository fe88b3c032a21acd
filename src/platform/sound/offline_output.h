// The non-real-time output: nothing plays by itself; the program advances time and the
// mixer produces exactly the blocks that cover it, so a fixed frame step always yields
// the same samples.
#pragma once

#include <cstdint>

#include "platform/sound/output.h"

namespace platform::sound {

class OfflineOutput : public Output {
public:
    bool start(Mixer& mixer) override;
    void stop() override { mixer_ = nullptr; }
    void advance(double seconds) override;

private:
    Mixer* mixer_ = nullptr;
    double elapsed_ = 0;  // seconds the program has advanced
    int64_t blocks_ = 0;  // blocks mixed so far
};

}  // namespace platform::sound
