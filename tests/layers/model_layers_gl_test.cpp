#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/frame_state.h"
#include "base/keys.h"
#include "camera/camera.h"
#include "image/test_images.h"
#include "layers/spinne_layer.h"
#include "layers/text_model.h"
#include "layers/turntable_layer.h"
#include "objects/feedback.h"
#include "objects/test_models.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "support/test_ui.h"

namespace {

namespace fs = std::filesystem;
using testing_support::capturePolygons;
using testing_support::GlState;

// A fresh folder made the current directory for the life of the object, so the layers find
// their fixed "./vintra/..." files there.
class DataDirectory {
public:
    explicit DataDirectory(const std::string& name) {
        root = fs::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "vintra");
        previous = fs::current_path();
        fs::current_path(root);
    }
    ~DataDirectory() {
        fs::current_path(previous);
        fs::remove_all(root);
    }

    void writeModel(const char* path, const gen::ThreeDsModel& model) {
        write(path, test_models::bytesOf(model));
    }
    void writeJpeg(const char* path) {
        write(path, test_images::jpegBytes(8, 8, [](int, int) {
                  return test_images::Rgb{200, 200, 200};
              }));
    }

private:
    void write(const char* path, const std::vector<uint8_t>& bytes) {
        FILE* file = std::fopen(path, "wb");
        ASSERT_NE(file, nullptr) << path;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    fs::path root;
    fs::path previous;
};

// One triangle facing +z with its first corner at `corner`, sides `size` long, with uvs.
gen::ThreeDsModel triangle(test_models::Point corner, float size) {
    gen::ThreeDsObject object;
    object.name = "tri";
    object.vertices = {
        corner, {corner[0] + size, corner[1], corner[2]}, {corner[0], corner[1] + size, corner[2]}};
    object.uvs = {{0, 0}, {1, 0}, {0, 1}};
    object.faces.push_back({0, 1, 2, 1, -1});
    return test_models::single(object);
}

// Window x, y of a point in clip space with the identity matrices.
double windowX(double x) {
    return (x + 1) * 400;
}
double windowY(double y) {
    return (y + 1) * 300;
}

TEST(ModelLayers, WriterTimeWritesHoldsAndRunsBack) {
    EXPECT_DOUBLE_EQ(TextModel::writerTime(0.3, 0.48, 0.96), 0.3);
    EXPECT_DOUBLE_EQ(TextModel::writerTime(1.0, 0.48, 0.96), 1.0);
    EXPECT_NEAR(TextModel::writerTime(1.44, 0.48, 0.96), 0.48, 1e-12);
    EXPECT_NEAR(TextModel::writerTime(1.74, 0.48, 0.96), 0.18, 1e-12);
    EXPECT_LT(TextModel::writerTime(2.0, 0.48, 0.96), 0.0);
}

TEST(ModelLayers, SpinneAmountFollowsLoudness) {
    int silence[256];
    int loud[256];
    for (int i = 0; i < 256; ++i) {
        silence[i] = 500;
        loud[i] = i % 2 ? 1000 : 0;
    }
    EXPECT_DOUBLE_EQ(SpinneLayer::levelOf(silence), 0.0);
    EXPECT_DOUBLE_EQ(SpinneLayer::levelOf(loud), 2.56);
    for (double t : {0.0, 0.3, 17.0}) {
        EXPECT_DOUBLE_EQ(SpinneLayer::blendAmount(t, 83.0, 0.0), 0.1);
    }
    const double peak = M_PI / 2 / 83.0;
    EXPECT_NEAR(SpinneLayer::blendAmount(peak, 83.0, 1.0), 0.6, 1e-12);
    EXPECT_NEAR(SpinneLayer::blendAmount(3 * peak, 83.0, 1.0), 0.1, 1e-12);
}

TEST(ModelLayersGl, SpinneDrawsTheMorphAndDecaysItsLevel) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    DataDirectory data("spinne_data");
    data.writeModel("vintra/spnormal.3ds", test_models::single(test_models::strip(2, -0.5f)));
    data.writeModel("vintra/spinne.3ds", test_models::single(test_models::strip(2, 0.5f)));
    camera = nullptr;
    SpinneLayer spinne;
    spinne.setFrequency(83.0);

    const GlState before = GlState::capture();
    // Silence: a tenth of the way from z −0.5 to 0.5.
    auto polygons = capturePolygons([&] { spinne.draw(1.234); });
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_NEAR(polygons[0][0].z, (-0.4 + 1) / 2, 1e-4);
    EXPECT_NEAR(polygons[0][0].x, windowX(-0.9), 1e-2);
    EXPECT_EQ(GlState::capture(), before) << GlState::capture().differences(before);

    spinne.followMusic = false;
    spinne.level = 1.0;
    polygons = capturePolygons([&] { spinne.draw(M_PI / 2 / 83.0); });
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_NEAR(spinne.lastAmount, 0.6f, 1e-6);
    EXPECT_NEAR(polygons[0][0].z, (0.1 + 1) / 2, 1e-4);
    EXPECT_DOUBLE_EQ(spinne.level, 0.9);
}

TEST(ModelLayersGl, TurntablePlatterTurnsAndBodyStays) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    DataDirectory data("turntable_data");
    // Model units are scaled by 0.01 on loading.
    data.writeModel("vintra/turnbody.3ds", triangle({-80, -80, 0}, 10));
    data.writeModel("vintra/turnunderdisc.3ds", triangle({20, 0, 10}, 10));
    data.writeModel("vintra/turndisc.3ds", triangle({20, 0, 20}, 10));
    data.writeJpeg("vintra/korrin.jpg");
    Camera showCamera;
    camera = &showCamera;
    TurntableLayer turntable;
    EXPECT_NEAR(showCamera.getEye().x, 7.72, 1e-5);
    EXPECT_NEAR(showCamera.getTarget().z, 10.21, 1e-5);
    camera = nullptr;

    const GlState before = GlState::capture();
    const double halfTurn = 0.5 / TurntableLayer::kTurnsPerSecond;
    for (double t : {0.0, halfTurn, 2 * halfTurn}) {
        const auto polygons = capturePolygons([&] { turntable.draw(t); });
        ASSERT_EQ(polygons.size(), 3u) << "body, under-disc and disc at " << t;
        EXPECT_NEAR(polygons[0][0].x, windowX(-0.8), 1e-2);
        EXPECT_NEAR(polygons[0][0].y, windowY(-0.8), 1e-2);
        // The platter's first corner (0.2, 0) is carried by (0.06, 0.35) and turned.
        const double sign = t == halfTurn ? -1 : 1;
        for (int part : {1, 2}) {
            EXPECT_NEAR(polygons[part][0].x, windowX(sign * 0.26), 1e-2) << part << " at " << t;
            EXPECT_NEAR(polygons[part][0].y, windowY(sign * 0.35), 1e-2) << part << " at " << t;
        }
    }
    EXPECT_EQ(GlState::capture(), before) << GlState::capture().differences(before);
}

class TextModelGl : public ::testing::Test {
protected:
    void SetUp() override {
        ui = &testing_support::installScriptedUi(false);
        testing_support::resetFrame();
        glMatrixMode(GL_PROJECTION);
        glFrustum(-1, 1, -0.75, 0.75, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        camera = nullptr;
        // A box where the word's own camera looks.
        data.writeModel("word.3ds",
                        test_models::single(test_models::cube({138.33f, -1.13f, 473.06f}, 1)));
        word = std::make_unique<TextModel>("word.3ds");
    }
    void TearDown() override { testing_support::resetFrame(); }

    platform::ScriptedUi* ui = nullptr;
    DataDirectory data{"text_model_data"};
    std::unique_ptr<TextModel> word;
};

TEST_F(TextModelGl, RefusesToDrawBeforeTheWriterIsSet) {
    EXPECT_TRUE(capturePolygons([&] { word->draw(1.0); }).empty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "Init writer first");
    EXPECT_EQ(ui->messages[0].caption, "Init writer first");
}

TEST_F(TextModelGl, IsWrittenHeldAndUnwrittenInItsOwnView) {
    word->initWriter(0.48, 0.96);
    const GlState before = GlState::capture();
    EXPECT_TRUE(capturePolygons([&] { word->draw(0.0); }).empty());
    const auto held = capturePolygons([&] { word->draw(1.0); });
    ASSERT_FALSE(held.empty());
    EXPECT_NEAR(held[0][0].x, 400, 60);
    EXPECT_NEAR(held[0][0].y, 300, 60);
    const auto unwriting = capturePolygons([&] { word->draw(1.74); });
    EXPECT_FALSE(unwriting.empty());
    EXPECT_LT(unwriting.size(), held.size());
    EXPECT_TRUE(capturePolygons([&] { word->draw(2.0); }).empty());
    EXPECT_EQ(GlState::capture(), before) << GlState::capture().differences(before);
    EXPECT_TRUE(ui->messages.empty());
}

}  // namespace
