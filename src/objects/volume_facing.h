// Sorting a shadow volume's primitives by the side they turn to the eye, so each of the two
// culled passes is handed only the half it keeps: the renderer then transforms every
// primitive once instead of twice. What is too near edge-on to call goes to both passes,
// whose culling still decides, so the counts are exactly those of drawing everything twice.
#pragma once

#include <vector>

class VolumeFacing {
public:
    // The eye in the object space of the modelview in force; false when the view is not a
    // perspective one (or cannot be inverted), and then nothing may be sorted.
    bool fromCurrentView();

    // Appends the primitive of `corners` homogeneous points (4 floats each) at `points` to
    // `front` when it faces the eye, `back` when it faces away, both when edge-on.
    void sort(const float* points, int corners, std::vector<float>& front,
              std::vector<float>& back) const;

private:
    double eye[3] = {0, 0, 0};
    bool mirrored = false;  // the view turns front faces round
};
