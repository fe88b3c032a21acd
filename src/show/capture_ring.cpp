#include "show/capture_ring.h"

#include <algorithm>

CaptureRing::CaptureRing(int blockLength, int totalLength)
    : blockLength_(blockLength),
      total_(totalLength),
      samples_(std::make_unique<std::atomic<int16_t>[]>(totalLength + kSlack)) {
    for (int i = 0; i < size(); ++i)
        samples_[i].store(0, std::memory_order_relaxed);
}

void CaptureRing::setSample(int index, int16_t value) {
    samples_[index].store(value, std::memory_order_relaxed);
}

void CaptureRing::write(const void* block, int frames, bool floatSamples) {
    int blocks = total_ / blockLength_;
    int current = writeBlock();
    int offset = current * blockLength_;
    // A block longer than the ring's blocks would run past its end: keep what fits.
    int count = std::clamp(frames, 0, size() - offset);
    if (floatSamples) {
        const float* pairs = static_cast<const float*>(block);
        for (int i = 0; i < count; ++i) {
            float mean = std::clamp((pairs[2 * i] + pairs[2 * i + 1]) / 2, -32768.0f, 32767.0f);
            setSample(offset + i, static_cast<int16_t>(mean));
        }
    } else {
        const int16_t* pairs = static_cast<const int16_t*>(block);
        for (int i = 0; i < count; ++i) {
            setSample(offset + i, static_cast<int16_t>((pairs[2 * i] + pairs[2 * i + 1]) >> 1));
        }
    }
    ++current;
    if (current >= blocks)
        current = 0;
    setWriteBlock(current);
}

void CaptureRing::readScope(int indices[kScopePoints], int values[kScopePoints]) const {
    int start = (writeBlock() + 1) * blockLength_;
    if (start >= total_)
        start -= total_;
    std::vector<int16_t> block(static_cast<size_t>(blockLength_));
    for (int i = 0; i < blockLength_; ++i)
        block[static_cast<size_t>(i)] = sample(start + i);
    scopeOf(block.data(), blockLength_, indices, values);
}

void CaptureRing::scopeOf(const int16_t* block, int blockLength, int indices[kScopePoints],
                          int values[kScopePoints]) {
    float step = static_cast<float>(blockLength) / kScopePoints;
    float position = 0.0f;
    for (int i = 0; i < kScopePoints; ++i) {
        int index = static_cast<int>(position);
        indices[i] = index;
        float amplitude = (block[index] + 32768) / 65536.0f * 1000.0f;
        values[i] = static_cast<int>(amplitude);
        position += step;
    }
}
