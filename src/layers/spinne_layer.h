// The morphing creature: a shape blended towards a second one by an amount that pulses
// with a sine and swells with the loudness of the music at the frame's show time.
#pragma once

#include <memory>

#include "base/layer.h"
#include "base/scope_source.h"
#include "layers/morph.h"

class SpinneLayer : public Layer {
public:
    SpinneLayer();

    void setFrequency(double radiansPerSecond) { frequency = radiansPerSecond; }
    void draw(const Frame& frame) override;

    // The loudness of one music snapshot of 256 values in 0 … 1000 (500 is silence).
    static double levelOf(const int values[256]);
    // The morph's blend: 0.1 at silence, up to 0.6 at level 1.
    static double blendAmount(double t, double frequency, double level);

    // The pulse's level at show time `time`: the loudness of the music there; without music
    // to follow, the level set by setLevel, falling by `decay` with every 1/60 s of show time
    // after the time it was set (what falling by `decay` after each drawn frame gave at the
    // 60 frames a second of the offline modes, now the same at any rate and after a seek).
    double levelAt(double time) const;
    // Stops following the music: from show time `time` on the level falls from `value`.
    void setLevel(double value, double time);

    std::unique_ptr<Morph> morph;
    double frequency = 39.0;
    double decay = 0.9;  // per 1/60 s of show time
    double level = 0.0;  // as set, at levelTime
    double levelTime = 0.0;
    bool followMusic = true;
    ScopeSource* scope = nullptr;  // the music it follows; without one the level is 0
    // The amount passed to the morph by the last draw.
    float lastAmount = 0.0f;
};
