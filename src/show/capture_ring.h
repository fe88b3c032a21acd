// The music's capture ring: a mono copy of the latest mixed blocks, written by the sound
// layer's mixer thread and read by the morphing model on the main thread. Samples and the
// block index are atomics, so the unlocked sharing is well defined.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CaptureRing {
public:
    static constexpr int kScopePoints = 256;

    // `blockLength` samples per block, `totalLength` samples in all blocks.
    CaptureRing(int blockLength, int totalLength);

    // Mixer thread: stores the mono mix of one stereo block (16-bit pairs, or floats on the
    // 16-bit scale) at the current block and moves on to the next.
    void write(const void* block, int frames, bool floatSamples);
    // 256 positions (0, step, …) into the block after the one written next, and their
    // amplitudes scaled to 0 … 999.
    void readScope(int indices[kScopePoints], int values[kScopePoints]) const;
    // The same for any one block of mono samples.
    static void scopeOf(const int16_t* block, int blockLength, int indices[kScopePoints],
                        int values[kScopePoints]);

    int size() const { return total_ + kSlack; }
    int16_t sample(int index) const { return samples_[index].load(std::memory_order_relaxed); }
    void setSample(int index, int16_t value);
    int writeBlock() const { return writeBlock_.load(std::memory_order_relaxed); }
    void setWriteBlock(int block) { writeBlock_.store(block, std::memory_order_relaxed); }

private:
    static constexpr int kSlack = 16;  // samples past the last block

    int blockLength_;
    int total_;
    std::unique_ptr<std::atomic<int16_t>[]> samples_;
    std::atomic<int> writeBlock_{0};
};
