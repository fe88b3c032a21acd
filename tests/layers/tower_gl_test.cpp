// The tower scene on a small crafted data set: a wall (the "tower") seen head-on, one box
// between the light and the wall, the light held still; the other models far away.
#include "layers/tower.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/beat.h"
#include "base/frame_state.h"
#include "base/keys.h"
#include "camera/camera.h"
#include "image/test_images.h"
#include "objects/light_particles.h"
#include "objects/nobject.h"
#include "objects/test_models.h"
#include "render/world.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "support/test_ui.h"

namespace {

namespace fs = std::filesystem;
using testing_support::GlState;
using testing_support::readPixel;

constexpr double kFrame = 1.0 / 60.0;

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<uint8_t> greyJpeg(uint8_t grey) {
    return test_images::jpegBytes(8, 8, [grey](int, int) {
        return test_images::Rgb{grey, grey, grey};
    });
}

// Model files are in tenths of the scene's units: the scene scales them by 0.1.
std::vector<uint8_t> box(float x, float y, float z, float half) {
    return test_models::bytesOf(test_models::single(test_models::cube({x, y, z}, half)));
}

// A closed slab whose front, facing +z in the plane z, is finely divided so that lighting
// computed at its corners varies smoothly across it; its sides and back are one strip per edge
// of the grid, so every edge has a face on either side.
std::vector<uint8_t> slab(float half, float z) {
    constexpr int kCells = 24;
    const float back = z - 2 * half;
    gen::ThreeDsObject wall;
    wall.name = "wall";
    for (float depth : {z, back}) {
        for (int j = 0; j <= kCells; ++j) {
            for (int i = 0; i <= kCells; ++i) {
                wall.vertices.push_back(
                    {-half + 2 * half * i / kCells, -half + 2 * half * j / kCells, depth});
            }
        }
    }
    const int layer = (kCells + 1) * (kCells + 1);
    auto at = [&](int i, int j, int d) {
        return static_cast<uint16_t>(d * layer + j * (kCells + 1) + i);
    };
    auto quad = [&](uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
        wall.faces.push_back({a, b, c, 1, -1});
        wall.faces.push_back({a, c, d, 1, -1});
    };
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            quad(at(i, j, 0), at(i + 1, j, 0), at(i + 1, j + 1, 0), at(i, j + 1, 0));
            quad(at(i, j, 1), at(i, j + 1, 1), at(i + 1, j + 1, 1), at(i + 1, j, 1));
        }
    }
    for (int k = 0; k < kCells; ++k) {
        quad(at(k, 0, 1), at(k + 1, 0, 1), at(k + 1, 0, 0), at(k, 0, 0));  // bottom
        quad(at(k, kCells, 0), at(k + 1, kCells, 0), at(k + 1, kCells, 1), at(k, kCells, 1));
        quad(at(0, k, 0), at(0, k + 1, 0), at(0, k + 1, 1), at(0, k, 1));  // left
        quad(at(kCells, k, 1), at(kCells, k + 1, 1), at(kCells, k + 1, 0), at(kCells, k, 0));
    }
    return test_models::bytesOf(test_models::single(wall));
}

// An open square of two faces in the plane z, wound clockwise seen from +z: its front
// faces away from a viewer on the +z side.
std::vector<uint8_t> backFacingSquare(float x, float y, float z, float half) {
    gen::ThreeDsObject square;
    square.name = "square";
    square.vertices = {{x - half, y - half, z},
                       {x + half, y - half, z},
                       {x + half, y + half, z},
                       {x - half, y + half, z}};
    square.faces = {{0, 2, 1, 1, -1}, {0, 3, 2, 1, -1}};
    return test_models::bytesOf(test_models::single(square));
}

class TowerGl : public ::testing::Test {
protected:
    void SetUp() override {
        ui = &testing_support::installScriptedUi(false);
        root = fs::path(::testing::TempDir()) / ("tower_scene_" + std::to_string(::getpid()));
        fs::remove_all(root);
        const fs::path v = root / "vintra";
        // The wall's front at z = −1, 12 wide, a closed slab: an open sheet's volume is its
        // own cap, which leaks. The occluder a 2-unit box at (−3, 0, 2).
        writeFile(v / "tower2.3ds", slab(60, -10));
        writeFile(v / "tower/t1.3ds", box(-30, 0, 20, 10));
        for (int i = 2; i <= 9; ++i) {
            writeFile(v / ("tower/t" + std::to_string(i) + ".3ds"), box(1000, 1000, 1000, 1));
        }
        writeFile(v / "codedby.3ds", box(1000, -1000, 1000, 1));
        writeFile(v / "zorbel.3ds", box(-1000, 1000, 1000, 1));
        for (const char* texture :
             {"tower/noise8.jpg", "tower/text.jpg", "coded_by.jpg", "zorbel.jpg"}) {
            writeFile(v / texture, greyJpeg(200));
        }
        // A white light picture leaves the light map neutral; black noise and a black
        // brightening picture leave the overlay neutral.
        writeFile(v / "light.jpg", greyJpeg(255));
        writeFile(v / "noise7.jpg", greyJpeg(0));
        writeFile(v / "flash/white.jpg", greyJpeg(0));
        std::string still;
        for (int i = 0; i < 6; ++i) {
            still += "-6 0 6 0 0 0 0 1 0\n";
        }
        writeFile(v / "cameras/2_tower2.pos", std::vector<uint8_t>(still.begin(), still.end()));

        previous = fs::current_path();
        fs::current_path(root);
        if (world == nullptr) {
            world = new World();
        }
        viewer.setView(0, 0, 20, 0, 0, 0, 0, 1, 0);
        camera = &viewer;
    }
    void TearDown() override {
        camera = nullptr;
        fs::current_path(previous);
        fs::remove_all(root);
    }

    // A cleared frame in the show's normal view and lighting.
    void normalFrame() {
        testing_support::resetFrame();
        world->initView();
        world->initLights();
    }

    platform::ScriptedUi* ui = nullptr;
    fs::path root;
    fs::path previous;
    Camera viewer;
};

std::vector<uint8_t> readFrame() {
    std::vector<uint8_t> pixels(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Window position of a point on the wall (z = −1) seen from (0, 0, 20) through the scene's
// 45° projection.
int wallX(double x) {
    return static_cast<int>(400 + 400 * x / (21 * std::tan(22.5 * M_PI / 180) * 4 / 3));
}

TEST_F(TowerGl, TheOccluderShadowsTheWallAndSparksAddLight) {
    Tower scene;
    ASSERT_TRUE(ui->messages.empty()) << ui->messages[0].text;
    normalFrame();
    // A caller's state that is not GL's default, so that resetting it to the default is
    // not mistaken for restoring it.
    glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glOrtho(-3, 3, -2, 2, -4, 4);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0.5f, 0.25f, -1);
    const GlState before = GlState::capture();
    scene.draw(0.0);
    const GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glColor4f(1, 1, 1, 1);

    // The light at (−6, 0, 6) throws the box's shadow onto the wall from x = −2.3 to 3.3.
    const auto shadowed = readPixel(wallX(1), 300);
    const auto lit = readPixel(wallX(4.5), 300);
    EXPECT_NE(testing_support::readStencil(wallX(1), 300), 0) << "inside the shadow volume";
    EXPECT_EQ(testing_support::readStencil(wallX(4.5), 300), 0);
    EXPECT_LT(shadowed.r + 40, lit.r) << "shadow " << shadowed.r << ", lit " << lit.r;
    EXPECT_GT(shadowed.r, 20) << "a shadow keeps the unglowed light";

    // Off the wall, only the sparks at the light reach the black background.
    EXPECT_EQ(scene.lightPath->getEye(), Vector3(-6, 0, 6));
    const int lightX =
        static_cast<int>(400 + 400 * -6 / (14 * std::tan(22.5 * M_PI / 180) * 4 / 3));
    int brightest = 0;
    for (int dx = -6; dx <= 6; ++dx) {
        for (int dy = -6; dy <= 6; ++dy) {
            brightest = std::max(brightest, readPixel(lightX + dx, 300 + dy).r);
        }
    }
    EXPECT_GT(brightest, 60) << "the sparks at the light";
    EXPECT_EQ(readPixel(20, 20).r, 0);
}

TEST_F(TowerGl, TheLightFlaresOnEachBurstAndRestsAfterIt) {
    Tower scene;
    const Face& face = scene.tower->getMesh(0).getFace(0);
    for (int frame = 0; frame <= 11 * 30; ++frame) {
        const double t = frame * kFrame;
        normalFrame();
        scene.draw(t);
        const double burst = scene.beat.burstAt(t);
        if (burst == TowerBeat::kNoBurst) {
            ASSERT_FLOAT_EQ(face.lightRadius, 40.0f) << "before the first burst, at " << t;
        } else if (t - burst < Tower::kFlareTime) {
            ASSERT_FLOAT_EQ(face.lightRadius, Tower::flareRadius(t - burst)) << "at " << t;
        } else {
            ASSERT_NEAR(face.lightRadius, 25.0, 0.01) << "held after the flare, at " << t;
        }
    }
    EXPECT_EQ(scene.beat.burstsAt(11 * 30 * kFrame), 3) << "counted beats 3, 7 and 11";
    EXPECT_FLOAT_EQ(scene.lightRadiusAt(beats(2)), 265.0f) << "the flare starts at the burst";
    EXPECT_NEAR(Tower::flareRadius(0.48), 95.4, 0.1);
    EXPECT_NEAR(Tower::flareRadius(0.96), 25.0, 0.01);
}

// Whatever frames came before (another frame rate, none, a jump back), the scene at a time
// is the same picture: the sparks, the burst and the light are replayed to it.
TEST_F(TowerGl, TheFrameAtATimeIsTheSameHoweverTheSceneGotThere) {
    const double at = 2.5;  // after the first burst, with reborn sparks
    auto frameAfter = [&](const std::vector<double>& times) {
        Tower scene;
        for (const double t : times) {
            normalFrame();
            scene.draw(t);
        }
        return readFrame();
    };
    std::vector<double> at60, at25, back;
    for (int i = 0; i <= 150; ++i) {
        at60.push_back(i / 60.0);
    }
    for (int i = 0; i <= 62; ++i) {
        at25.push_back(i / 25.0);
    }
    at25.push_back(at);
    for (int i = 0; i <= 240; ++i) {
        back.push_back(i / 60.0);
    }
    back.push_back(at);
    const std::vector<uint8_t> whole = frameAfter(at60);
    size_t sparks = 0;
    for (size_t i = 0; i < whole.size(); i += 4) {
        sparks += whole[i] > 0 ? 1 : 0;
    }
    ASSERT_GT(sparks, 200u) << "the wall and the sparks are in the picture";
    EXPECT_TRUE(frameAfter({at}) == whole) << "a start at the time";
    EXPECT_TRUE(frameAfter(at25) == whole) << "25 frames a second";
    EXPECT_TRUE(frameAfter(back) == whole) << "from further on, back";
}

TEST_F(TowerGl, AnOpenModelKeepsItsFacesAndAClosedOneIsStillCulled) {
    // Text 2: an open square beside the wall, its back towards the viewer.
    writeFile(root / "vintra/tower/t2.3ds", backFacingSquare(85, 0, 0, 10));
    Tower scene;
    EXPECT_TRUE(scene.tower->getMesh(0).isClosed()) << "the wall is a closed slab";
    EXPECT_TRUE(scene.texts[0]->getMesh(0).isClosed()) << "the box is closed";
    EXPECT_FALSE(scene.texts[1]->getMesh(0).isClosed());
    normalFrame();
    scene.draw(0.0);
    EXPECT_GT(readPixel(wallX(8.5), 300).r, 10) << "the square's back faces are drawn";
    EXPECT_EQ(readPixel(wallX(8.5), 200).r, 0) << "the background above it";
}

TEST_F(TowerGl, AMissingTextTextureIsOneMessageAndTheTextsStillDraw) {
    fs::remove(root / "vintra/tower/text.jpg");
    Tower scene;
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load ./vintra/tower/text.jpg !");
    for (int frame = 0; frame < 3; ++frame) {
        normalFrame();
        scene.draw(frame * kFrame);
    }
    EXPECT_EQ(ui->messages.size(), 1u);
    // The occluder (text 1) is in front of the wall at (−3, 0, 2): drawn, lit, untextured.
    const int x = static_cast<int>(400 + 400 * -3 / (18 * std::tan(22.5 * M_PI / 180) * 4 / 3));
    EXPECT_GT(readPixel(x, 300).r, 30);
}

TEST_F(TowerGl, TheLightWalksItsPathAtSixtyStepsASecondWhateverTheFrameRate) {
    std::string spiral;
    for (int i = 0; i < 40; ++i) {
        spiral += std::to_string(i * 0.5) + " 0 3 0 0 0 0 1 0\n";
    }
    writeFile(root / "vintra/cameras/2_tower2.pos",
              std::vector<uint8_t>(spiral.begin(), spiral.end()));
    Tower at60, at20;
    for (int frame = 1; frame <= 60; ++frame) {
        normalFrame();
        at60.draw(frame / 60.0);
    }
    for (int frame = 1; frame <= 20; ++frame) {
        normalFrame();
        at20.draw(frame / 20.0);
    }
    EXPECT_EQ(at60.lightPath->getEye().x, at20.lightPath->getEye().x)
        << "one second of show time takes the light equally far";
    EXPECT_GT(at60.lightPath->getEye().x, 0.5);
}

// The show loads the scene a piece per frame and rehearses its passes: the rehearsal leaves
// nothing in the frame, and the scene then draws exactly as one loaded at once.
TEST_F(TowerGl, LoadedPieceByPieceTheSceneDrawsAsLoadedAtOnce) {
    std::vector<uint8_t> atOnce;
    {
        Tower scene;
        normalFrame();
        scene.draw(0.1);
        atOnce = readFrame();
    }
    Tower spread(Tower::Loading::Spread);
    EXPECT_EQ(spread.tower, nullptr);
    normalFrame();
    const std::vector<uint8_t> cleared = readFrame();
    int steps = 0;
    while (spread.prepareStep()) {
        ++steps;
        ASSERT_NE(spread.tower, nullptr);
    }
    EXPECT_TRUE(spread.ready());
    EXPECT_GT(steps, Tower::kTextCount + 3) << "a model per step, then the lists and passes";
    EXPECT_TRUE(readFrame() == cleared) << "the rehearsal left something in the frame";
    normalFrame();
    spread.draw(0.1);
    EXPECT_TRUE(readFrame() == atOnce);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A start inside the scene draws it whole at once, before any step ran.
TEST_F(TowerGl, AFirstDrawBeforeTheStepsLoadsTheRest) {
    Tower spread(Tower::Loading::Spread);
    normalFrame();
    spread.draw(0.0);
    EXPECT_TRUE(spread.ready());
    EXPECT_FALSE(spread.prepareStep());
    EXPECT_NE(readPixel(wallX(4.5), 300).r, 0) << "the lit wall";
}

}  // namespace
