#include "support/gl_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/window.h"
#include "render/gl/gl.h"

namespace testing_support {

namespace {

std::unique_ptr<platform::Window> layerWindow;

platform::Window& glesWindow() {
    if (!layerWindow) {
        layerWindow = std::make_unique<platform::Window>();
        platform::Window::Options options;
        options.title = "tarvel GL layer tests";
        options.gles = true;
        std::string detail;
        if (layerWindow->create(options, detail) != platform::Window::Error::None) {
            ADD_FAILURE() << "no GL ES 3.0 window: " << detail;
        }
        render::gl::attachLayerToCurrentContext();
    }
    layerWindow->makeCurrent();
    return *layerWindow;
}

// GL's initial state for everything the layer keeps, so that both contexts start alike
// whatever the tests before left in the test window's.
void initialState() {
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_BLEND, GL_DEPTH_TEST,
                       GL_CULL_FACE, GL_STENCIL_TEST, GL_SCISSOR_TEST}) {
        glDisable(cap);
    }
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glCullFace(GL_BACK);
    const GLfloat white[] = {1, 1, 1, 1}, black[] = {0, 0, 0, 1}, towards[] = {0, 0, 1, 0};
    glLoadIdentity();
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2}) {
        glLightfv(light, GL_AMBIENT, black);
        glLightfv(light, GL_DIFFUSE, light == GL_LIGHT0 ? white : black);
        glLightfv(light, GL_SPECULAR, light == GL_LIGHT0 ? white : black);
        glLightfv(light, GL_POSITION, towards);
    }
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
    for (GLenum unit : {GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) {
        glActiveTexture(unit);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glBindTexture(GL_TEXTURE_2D, 0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 1.0f);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glColor4f(1, 1, 1, 1);
    // Whatever an earlier test left queued is not this scene's.
    while (glGetError() != GL_NO_ERROR) {
    }
}

Picture drawOnce(const std::function<void()>& scene, int width, int height) {
    initialState();
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    scene();
    Picture picture{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return picture;
}

// GLES_TEST_PICTURES=DIR keeps both pictures of every scene there, as PPM files named
// after the test, to look at a difference.
void keepPictures(const BothWays& both) {
    const char* directory = std::getenv("GLES_TEST_PICTURES");
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (directory == nullptr || test == nullptr) {
        return;
    }
    for (const auto* picture : {&both.gl, &both.gles}) {
        const std::string path = std::string(directory) + "/" + test->name() +
                                 (picture == &both.gl ? "-gl.ppm" : "-gles.ppm");
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            continue;
        }
        std::fprintf(file, "P6 %d %d 255\n", picture->width, picture->height);
        for (int y = picture->height - 1; y >= 0; --y) {
            for (int x = 0; x < picture->width; ++x) {
                std::fwrite(&picture->rgba[(static_cast<size_t>(y) * picture->width + x) * 4], 1, 3,
                            file);
            }
        }
        std::fclose(file);
    }
}

}  // namespace

void destroyLayerWindow() {
    layerWindow.reset();
    testWindow().makeCurrent();
}

double Picture::litShare() const {
    size_t lit = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        lit += (rgba[i] | rgba[i + 1] | rgba[i + 2]) != 0;
    }
    return rgba.empty() ? 0 : static_cast<double>(lit) / static_cast<double>(rgba.size() / 4);
}

std::string Comparison::describe() const {
    char text[160];
    std::snprintf(text, sizeof text, "PSNR %.1f dB, worst 5x5 block %.2f at x %d, y %d", decibels,
                  worstBlock, worstX, worstY);
    return text;
}

Comparison BothWays::comparison() const {
    Comparison result;
    double squares = 0;
    for (size_t i = 0; i < gl.rgba.size(); ++i) {
        if (i % 4 != 3) {
            const double d = gl.rgba[i] - gles.rgba[i];
            squares += d * d;
        }
    }
    const double mean = squares / (static_cast<double>(gl.rgba.size()) * 0.75);
    result.decibels = mean > 0 ? 10 * std::log10(255.0 * 255.0 / mean) : 99;
    constexpr int kBlock = 5;
    for (int y = 0; y < gl.height; y += kBlock) {
        for (int x = 0; x < gl.width; x += kBlock) {
            double total = 0;
            int count = 0;
            for (int by = y; by < std::min(y + kBlock, gl.height); ++by) {
                for (int bx = x; bx < std::min(x + kBlock, gl.width); ++bx) {
                    for (int c = 0; c < 3; ++c) {
                        const size_t i = (static_cast<size_t>(by) * gl.width + bx) * 4 + c;
                        total += std::abs(gl.rgba[i] - gles.rgba[i]);
                        ++count;
                    }
                }
            }
            if (total / count > result.worstBlock) {
                result.worstBlock = total / count;
                result.worstX = x;
                result.worstY = y;
            }
        }
    }
    return result;
}

BothWays drawBothWays(const std::function<void()>& scene, int width, int height) {
    BothWays both;
    render::gl::useRenderer(render::gl::Renderer::Gl);
    both.gl = drawOnce(scene, width, height);
    glesWindow();
    render::gl::useRenderer(render::gl::Renderer::Gles);
    both.gles = drawOnce(scene, width, height);
    render::gl::useRenderer(render::gl::Renderer::Gl);
    testWindow().makeCurrent();
    keepPictures(both);
    return both;
}

}  // namespace testing_support
