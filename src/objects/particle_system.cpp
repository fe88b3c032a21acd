#include "objects/particle_system.h"

ParticleSystem::ParticleSystem(size_t count) : particles(count) {}

void ParticleSystem::moveStep() {
    for (Particle& p : particles) {
        move(p);
    }
}

void ParticleSystem::move(Particle& p) const {
    p.velocity += p.force / p.mass * step;
    p.position += p.velocity * step;
    p.velocity = p.velocity.componentProduct(damping);
    p.force.clear();
}

void ParticleSystem::advance() {
    age();
    moveStep();
}

void ParticleSystem::update(const Viewpoint* view) {
    advance();
    render(view);
}
