#include "layers/morph.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/feedback.h"
#include "objects/test_models.h"
#include "shell/log_window.h"
#include "support/gl_context.h"
#include "support/test_ui.h"

namespace {

using testing_support::capturePolygons;
using testing_support::FeedbackPolygon;

// count faces in the plane z with one material and texture coordinates (u, u) everywhere.
std::string shapeFile(const std::string& name, int count, float z, float u) {
    gen::ThreeDsModel model = test_models::single(test_models::strip(count, z));
    model.materials.push_back({"skin", {}, {}, {}, "", 100});
    model.objects[0].uvs.assign(model.objects[0].vertices.size(), {u, u});
    for (auto& face : model.objects[0].faces) {
        face.material = 0;
    }
    return test_models::writeTemp(name, test_models::bytesOf(model));
}

// Window coordinates of the first corner of strip face i in the plane z.
void expectFirstCorner(const FeedbackPolygon& polygon, double x, double y, double z,
                       const std::string& what) {
    ASSERT_EQ(polygon.size(), 3u) << what;
    EXPECT_NEAR(polygon[0].x, (x + 1) * 400, 1e-2) << what;
    EXPECT_NEAR(polygon[0].y, (y + 1) * 300, 1e-2) << what;
    EXPECT_NEAR(polygon[0].z, (z + 1) / 2, 1e-4) << what;
}

double stripX(int i) {
    return -0.9 + 0.17 * (i % 10);
}

TEST(MorphGl, PairsTheShorterListCyclically) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(true);
    testing_support::resetFrame();
    Morph morph;
    EXPECT_NE(shellLog->text().find("Morph Object."), std::string::npos);
    morph.setStartFile(shapeFile("start4.3ds", 4, -0.5f, 0).c_str());
    morph.setEndFile(shapeFile("end6.3ds", 6, 0.5f, 1).c_str());
    morph.initMoprh();
    ASSERT_EQ(morph.startFaceCount(), 4u);
    ASSERT_EQ(morph.endFaceCount(), 6u);

    const auto atStart = capturePolygons([&] { morph.draw(0.0f); });
    ASSERT_EQ(atStart.size(), 6u);
    const int startOf[6] = {0, 1, 2, 3, 0, 1};
    for (int i = 0; i < 6; ++i) {
        expectFirstCorner(atStart[i], stripX(startOf[i]), -0.9, -0.5, "amount 0");
    }
    const auto atEnd = capturePolygons([&] { morph.draw(1.0f); });
    ASSERT_EQ(atEnd.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        expectFirstCorner(atEnd[i], stripX(i), -0.9, 0.5, "amount 1");
    }
    const auto midway = capturePolygons([&] { morph.draw(0.5f); });
    ASSERT_EQ(midway.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        expectFirstCorner(midway[i], (stripX(startOf[i]) + stripX(i)) / 2, -0.9, 0,
                          "amount 0.5, face " + std::to_string(i));
        EXPECT_NEAR(midway[i][0].tex[0], 0.5, 1e-6);
        EXPECT_NEAR(midway[i][0].tex[1], 0.5, 1e-6);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MorphGl, RefusesToRunOutOfOrder) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    Morph morph;
    EXPECT_TRUE(capturePolygons([&] { morph.draw(0.5f); }).empty());
    morph.initMoprh();
    morph.setStartFile(shapeFile("start1.3ds", 1, 0, 0).c_str());
    morph.initMoprh();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "Run initMoprh() first.");
    EXPECT_EQ(ui.messages[1].text, "Set start morph object first.");
    EXPECT_EQ(ui.messages[2].text, "Set end morph object first.");
}

TEST(MorphGl, OneShapeWithoutFacesIsRefused) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    Morph morph;
    morph.setStartFile(shapeFile("start3.3ds", 3, 0, 0).c_str());
    morph.setEndFile("./no/such/end.3ds");
    morph.initMoprh();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Loading ./no/such/end.3ds in NObject.cpp failed");
    EXPECT_EQ(morph.endFaceCount(), 0u);
    EXPECT_TRUE(capturePolygons([&] { morph.draw(0.5f); }).empty());
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
