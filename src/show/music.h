// The show's music: one MP3 stream played through our sound layer, with a capture unit
// that keeps a mono copy of the latest output for the morphing model.
#pragma once

class Music {
public:
    Music();

    void open(const char* path);
    void setVolume(int value);
    void play();
    void stop();
    void setPosition(int milliseconds);
    // 256 sample positions and amplitudes (0 … 999) from the capture ring.
    void readScope(int indices[256], int values[256]);
};
