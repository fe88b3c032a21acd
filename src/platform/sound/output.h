// Where the mixed sound goes: a real device, the program's own schedule (non-real-time),
// or nowhere at real-time pace. Each output drives the mixer block by block.
#pragma once

#include <cstdint>

namespace platform::sound {

class Mixer;

enum class OutputKind { Device, NonRealTime, Silent };

class Output {
public:
    virtual ~Output() = default;
    // Begins pulling blocks from the mixer; false when the output cannot be opened.
    virtual bool start(Mixer& mixer) = 0;
    // Stops pulling; no mixer call is in flight once it returns.
    virtual void stop() = 0;
    // Non-real-time output only: mixes the blocks that cover `seconds` more of time.
    virtual void advance(double seconds) { (void)seconds; }
    // Stereo frames already mixed but not yet heard.
    virtual int64_t bufferedFrames() const { return 0; }
};

}  // namespace platform::sound
