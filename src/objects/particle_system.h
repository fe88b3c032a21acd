// A fixed array of point masses moved by a simple damped Euler step. Derived systems decide
// how particles are born and aged (age) and how they are drawn (render, seen from a view).
#pragma once

#include <cstddef>
#include <vector>

#include "objects/vector3.h"
#include "objects/viewpoint.h"

struct Particle {
    Vector3 force{0, 0, 0};
    Vector3 position{0, 0, 0};
    Vector3 velocity{0, 0, 0};
    float mass = 1.0f;
};

class ParticleSystem {
public:
    explicit ParticleSystem(size_t count);
    virtual ~ParticleSystem() = default;

    virtual void age() {}
    virtual void render(const Viewpoint* /*view*/) {}

    // age, the motion step, render.
    void update(const Viewpoint* view);
    // The same without drawing, for callers that step several times per drawn frame.
    void advance();

    // velocity += force / mass · step; position += velocity · step; velocity ×= damping
    // component-wise; force = 0. For every particle, or for one.
    void moveStep();
    void move(Particle& p) const;

    size_t count() const { return particles.size(); }

    std::vector<Particle> particles;
    Vector3 damping{0.99, 0.99, 0.99};
    float step = 0.1f;
};
