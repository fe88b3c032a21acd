// The transport requests of a frame, raised by the authoring keys (F12 reload, F8 pause,
// F11 seek). The shell asks what each needs and then tells the clock to carry it out.
#pragma once

struct TransportRequests {
    bool reload = false;
    bool pause = false;
    bool seek = false;
    double seekTarget = 0;  // seconds (whole when typed)
};
