#include "objects/light_particles.h"

#include "base/data_file.h"
#include "base/random.h"
#include "image/texture_cache.h"
#include "objects/billboard.h"
#include "render/gl_state.h"

namespace {

constexpr const char* kLightImage = data::kLight.path;
constexpr float kGrey = 0.5f;  // additive: a spark adds at most half white
// A sprite's corners as two triangles, split along its 0–2 diagonal.
constexpr int kQuadTriangles[6] = {0, 1, 2, 0, 2, 3};

float randomShare(Random& random) {
    return static_cast<float>(random.next() % 100) / 100.0f;
}

// (1, 0, 0) turned by three random angles: the third drawn about x, the second about y,
// the first about z.
Vector3 randomDirection(Random& random) {
    const int first = random.next() % 360;
    const int second = random.next() % 360;
    const int third = random.next() % 360;
    return Vector3(1, 0, 0).rotate(third, second, first);
}

}  // namespace

LightParticles::LightParticles(size_t count, Random& random)
    : ParticleSystem(count),
      life(count, 0),
      maxLife(count, 0),
      sizeVariation(count, 0.0f),
      random_(&random) {
    damping.set(0.95, 0.99, 0.95);
    restart();
    lightPicture = TextureCache::shared().load(kLightImage, TextureCache::Kind::Jpg);
    lightTexture = *lightPicture;
}

void LightParticles::restart() {
    reset();
    for (float& variation : sizeVariation) {
        variation = randomShare(*random_) * variationScale;
    }
}

void LightParticles::placeAll(const Vector3& position) {
    for (Particle& p : particles) {
        p.position = position;
    }
}

void LightParticles::reset() {
    for (size_t i = 0; i < particles.size(); ++i) {
        Particle& p = particles[i];
        p.position = emitter;
        p.force.clear();
        const float speed = randomShare(*random_);
        p.velocity = randomDirection(*random_) * speed;
        p.mass = 1.0f;
        life[i] = lifeSpan > 0 ? random_->next() % lifeSpan : 0;
        maxLife[i] = life[i];
    }
}

void LightParticles::age() {
    for (size_t i = 0; i < particles.size(); ++i) {
        if (life[i] < 1 && respawn) {
            Particle& p = particles[i];
            p.position = emitter;
            const float speed = static_cast<float>(random_->next() % 100) / 500.0f;
            p.velocity = randomDirection(*random_) * speed;
            life[i] = maxLife[i] = lifeSpan;
            sizeVariation[i] = randomShare(*random_) * variationScale;
        }
        life[i] -= 1;
    }
}

void LightParticles::stepLiving() {
    age();
    for (size_t i = 0; i < particles.size(); ++i) {
        if (alive(i)) {
            move(particles[i]);
        }
    }
}

float LightParticles::opacity(size_t i) const {
    if (maxLife[i] <= 0) {
        return 0.0f;
    }
    return 1.0f - static_cast<float>(maxLife[i] - life[i]) / static_cast<float>(maxLife[i]);
}

// Every sprite is turned toward the eye on the CPU and the view is applied once, which
// draws the same quads as placing each one under its own copy of the view.
void LightParticles::render(const Viewpoint* view) {
    glMatrixMode(GL_MODELVIEW);
    SavedState saved;
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture);
    if (view != nullptr) {
        view->lookAt();
        const Vector3 eye = view->getEye();
        // Two triangles per sprite, not a quad: the driver splits a quad along one diagonal
        // or the other depending on whether anything in the same draw is clipped, and where
        // it cuts a long run of vertices into draws depends on what was drawn before. Given
        // as triangles, a spark comes out the same whatever came before it.
        glBegin(GL_TRIANGLES);
        for (size_t i = 0; i < particles.size(); ++i) {
            if (!alive(i)) {
                continue;
            }
            const Billboard b =
                Billboard::facing(eye, particles[i].position, size + sizeVariation[i]);
            glColor4f(kGrey, kGrey, kGrey, opacity(i));
            static constexpr float kTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            for (const int c : kQuadTriangles) {
                glTexCoord2fv(kTexCoords[c]);
                glVertex3fv(&b.corners[c].x);
            }
        }
        glEnd();
    }
}
