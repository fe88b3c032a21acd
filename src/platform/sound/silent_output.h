// The output for a machine without a sound device: a thread mixes blocks at the pace a
// device would and drops them, so streams advance and DSP units run in real time.
#pragma once

#include <atomic>
#include <thread>

#include "platform/sound/output.h"

namespace platform::sound {

class SilentOutput : public Output {
public:
    ~SilentOutput() override { stop(); }
    bool start(Mixer& mixer) override;
    void stop() override;

private:
    void run(Mixer* mixer);

    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace platform::sound
