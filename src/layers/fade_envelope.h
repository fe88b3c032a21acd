// The fade envelope shared by tags, flashes and frame animations: a linear rise over
// fadeIn, a plateau over hold, a linear fall over fadeOut, zero after. Each edge includes
// its end point.
#pragma once

// Level 0 … 1 at local time t (seconds). A zero fade-in gives 1 at t = 0.
inline double fadeLevel(double t, double fadeIn, double hold, double fadeOut) {
    if (t <= fadeIn) {
        return fadeIn > 0 ? (1 / fadeIn) * t : 1.0;
    }
    double plateauEnd = fadeIn + hold;
    if (t <= plateauEnd) {
        return 1.0;
    }
    if (t <= plateauEnd + fadeOut) {
        return 1 - (1 / fadeOut) * (t - plateauEnd);
    }
    return 0.0;
}
