// The matrix stacks (model-view, projection, one texture matrix per unit), the viewport,
// and the two GLU helpers the show calls, worked as GLU works them.
#include <cmath>
#include <cstring>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

// Mesa's depths: 32 model-view matrices, and as many of the others.
constexpr size_t kMaxStackDepth = 32;

Matrix& changeMatrix() {
    return context().currentMatrix();
}

void normalize(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        v[i] /= length;
    }
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

void MatrixMode(GLenum mode) {
    Context& c = context();
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    c.state.matrixMode = mode;
}

void LoadIdentity() {
    changeMatrix() = Matrix{};
}

void LoadMatrixf(const GLfloat* m) {
    std::memcpy(changeMatrix().m, m, sizeof(Matrix::m));
}

void MultMatrixf(const GLfloat* m) {
    changeMatrix().multiply(m);
}

void PushMatrix() {
    Context& c = context();
    auto& stack = c.currentStack();
    if (stack.size() >= kMaxStackDepth) {
        c.fail(GL_STACK_OVERFLOW);
        return;
    }
    stack.push_back(stack.back());
}

void PopMatrix() {
    Context& c = context();
    auto& stack = c.currentStack();
    if (stack.size() <= 1) {
        c.fail(GL_STACK_UNDERFLOW);
        return;
    }
    stack.pop_back();
}

void Translatef(GLfloat x, GLfloat y, GLfloat z) {
    changeMatrix().translate(x, y, z);
}

void Translated(double x, double y, double z) {
    Translatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void Rotated(double angle, double x, double y, double z) {
    changeMatrix().rotate(static_cast<float>(angle), static_cast<float>(x), static_cast<float>(y),
                          static_cast<float>(z));
}

void Ortho(double left, double right, double bottom, double top, double zNear, double zFar) {
    if (left == right || bottom == top || zNear == zFar) {
        context().fail(GL_INVALID_VALUE);
        return;
    }
    changeMatrix().ortho(static_cast<float>(left), static_cast<float>(right),
                         static_cast<float>(bottom), static_cast<float>(top),
                         static_cast<float>(zNear), static_cast<float>(zFar));
}

void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    Context& c = context();
    c.setBox(c.state.viewport, x, y, width, height);
}

void Perspective(double fovY, double aspect, double zNear, double zFar) {
    const double radians = fovY / 2 * M_PI / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) {
        return;
    }
    const double cotangent = std::cos(radians) / sine;
    float m[16] = {};
    m[0] = static_cast<float>(cotangent / aspect);
    m[5] = static_cast<float>(cotangent);
    m[10] = static_cast<float>(-(zFar + zNear) / deltaZ);
    m[11] = -1;
    m[14] = static_cast<float>(-2 * zNear * zFar / deltaZ);
    MultMatrixf(m);
}

void LookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
            double upX, double upY, double upZ) {
    float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                        static_cast<float>(centerZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    normalize(forward);
    float side[3];
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    float m[16] = {side[0], up[0], -forward[0], 0, side[1], up[1], -forward[1], 0,
                   side[2], up[2], -forward[2], 0, 0,       0,     0,           1};
    MultMatrixf(m);
    Translated(-eyeX, -eyeY, -eyeZ);
}

}  // namespace render::gles
