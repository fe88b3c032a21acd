// Where a layer reads the music's waveform just before a moment of show time: 256 sample
// indices and values in 0 … 1000 (500 is silence). The show's music stream provides it.
#pragma once

class ScopeSource {
public:
    static constexpr int kScopePoints = 256;

    virtual ~ScopeSource() = default;
    virtual void readScope(double showTime, int indices[kScopePoints],
                           int values[kScopePoints]) = 0;
};
