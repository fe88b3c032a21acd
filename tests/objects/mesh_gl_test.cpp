#include "objects/mesh.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "objects/feedback.h"
#include "objects/nobject.h"
#include "objects/test_models.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "support/test_ui.h"

namespace {

using testing_support::capturePolygons;
using testing_support::GlState;

size_t polygonsDrawn(NObject& object, int shadeType) {
    return capturePolygons([&] { object.draw(shadeType); }).size();
}

TEST(MeshGl, RevealDrawsTheShareOfFacesGivenByProgress) {
    testing_support::installScriptedUi();
    testing_support::resetFrame();
    NObject object;
    test_models::loadInto(object, test_models::single(test_models::strip(100, -0.5f)));
    ASSERT_EQ(object.getMesh(0).getFaceCount(), 100u);

    EXPECT_EQ(polygonsDrawn(object, 1), 100u) << "reveal is off until a total is set";
    object.setRevealTotal(10);
    const struct {
        double progress;
        size_t faces;
    } cases[] = {{5, 50}, {20, 100}, {10, 100}, {0.99, 9}, {0, 0}, {-3, 0}};
    for (const auto& c : cases) {
        object.setRevealProgress(c.progress);
        EXPECT_EQ(polygonsDrawn(object, 1), c.faces) << "progress " << c.progress;
    }
    object.setRevealProgress(5);
    EXPECT_EQ(polygonsDrawn(object, 2), 100u) << "reveal applies to Flat only";
    object.setRevealTotal(0);
    object.setRevealProgress(0);
    EXPECT_EQ(polygonsDrawn(object, 1), 0u) << "0/0 draws nothing";
}

TEST(MeshGl, RefusedShadeTypesDrawNothingAndRestoreTheStacks) {
    testing_support::resetFrame();
    NObject object;
    gen::ThreeDsModel model = test_models::single(test_models::strip(4, -0.5f));
    model.objects.push_back(test_models::strip(2, -0.4f));
    test_models::loadInto(object, model);

    const struct {
        int shade;
        std::vector<std::string> alerts;
    } cases[] = {
        {3, {"No such shade type: 3", "No such shade type: 3"}},
        {5, {"No such shade type: 5", "No such shade type: 5"}},
        {4, {"The object doesn't have a texture!"}},
        {6, {"The object doesn't have the shadow initiated!"}},
        {7, {"The object doesn't have an enviroment map loaded!"}},
        {8, {"The object doesn't have a bumpmap initiated!"}},
        {10, {"The display list doesn't exsist yet!"}},
        {11, {"The object doesn't have the radial initiated!"}},
        {12, {"The object doesn't have the radiallight initiated!"}},
    };
    for (const auto& c : cases) {
        platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
        const GlState before = GlState::capture();
        EXPECT_EQ(polygonsDrawn(object, c.shade), 0u) << "shade " << c.shade;
        const GlState after = GlState::capture();
        EXPECT_TRUE(before == after) << "shade " << c.shade << ": " << before.differences(after);
        ASSERT_EQ(ui.messages.size(), c.alerts.size()) << "shade " << c.shade;
        for (size_t i = 0; i < c.alerts.size(); ++i) {
            EXPECT_EQ(ui.messages[i].text, c.alerts[i]);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MeshGl, AFailedTextureIsReportedOnceAndTheObjectDrawsUntextured) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    NObject object, sibling;
    test_models::loadInto(object, test_models::single(test_models::strip(4, -0.5f)));
    object.loadTexture("no/such/picture.jpg", NObject::kJpgImage);
    sibling.loadTexture("no/such/picture.jpg", NObject::kJpgImage);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ERROR! Failed to load no/such/picture.jpg !");
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(polygonsDrawn(object, 4), 4u);
    }
    EXPECT_EQ(ui.messages.size(), 1u) << "no box on later frames";
}

TEST(MeshGl, LightMapWithoutPreparationWarnsAndStillDraws) {
    testing_support::resetFrame();
    NObject object;
    test_models::loadInto(object, test_models::single(test_models::strip(3, -0.5f)));
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    const GlState before = GlState::capture();
    EXPECT_EQ(polygonsDrawn(object, 9), 3u);
    EXPECT_TRUE(before == GlState::capture());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The object doesn't have the light initiated!");
}

// A 2 × 2 texture with linear filtering clamped to its edge, so that a coordinate of 0.5
// reads the average of the texels and 0.25 / 0.75 read them exactly.
GLuint makeTexture(const unsigned char (&texels)[12], int width, int height) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void expectNear(testing_support::Pixel p, int r, int g, int b, const char* where) {
    EXPECT_LE(std::abs(p.r - r), 3) << where << " red " << p.r << " expected " << r;
    EXPECT_LE(std::abs(p.g - g), 3) << where << " green " << p.g << " expected " << g;
    EXPECT_LE(std::abs(p.b - b), 3) << where << " blue " << p.b << " expected " << b;
}

TEST(MeshGl, LightMapProjectsBothUnitsFromTheLight) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);

    // Unit 0: red grows with s, green with t. Unit 1: blue grows with its coordinate p.
    const unsigned char xy[12] = {0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 255, 255};
    const unsigned char z[12] = {255, 255, 0, 255, 255, 255, 255, 255, 0, 255, 255, 255};
    Mesh mesh;
    const Vector3 quad[4] = {Vector3(-1, -1, 0), Vector3(1, -1, 0), Vector3(1, 1, 0),
                             Vector3(-1, 1, 0)};
    const Vector3 first[3] = {quad[0], quad[1], quad[2]};
    const Vector3 second[3] = {quad[0], quad[2], quad[3]};
    mesh.addFace(first);
    mesh.addFace(second);
    mesh.setLightTextures(makeTexture(xy, 2, 2), makeTexture(z, 2, 2));
    mesh.setLightRadius(2.0);
    const Vector3 light(0, 0, 0);
    for (size_t i = 0; i < mesh.getFaceCount(); ++i) {
        mesh.getFace(i).setLight(&light);
    }

    const GlState before = GlState::capture();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    mesh.draw(ShadeType::LightMap);
    glPopAttrib();
    EXPECT_TRUE(before == GlState::capture()) << before.differences(GlState::capture());

    // At the light: 0.5 on both units, so the averages of every texture.
    expectNear(testing_support::readPixel(400, 300), 128, 128, 128, "at the light");
    // Half a radius to the right: s = 0.75 reads the right column exactly.
    expectNear(testing_support::readPixel(600, 300), 255, 128, 128, "right of the light");
    expectNear(testing_support::readPixel(400, 450), 128, 255, 128, "above the light");
    expectNear(testing_support::readPixel(200, 150), 0, 0, 128, "below left");
}

TEST(MeshGl, LightMapCoordinatesAtTheLightAreCentred) {
    Face face;
    const Vector3 light(3, -4, 7);
    const Vector3 corners[3] = {light, Vector3(28, -4, 7), Vector3(3, -4, -43)};
    face.setPositions(corners);
    face.setLight(&light);
    const LightMapCoords c0 = face.lightMapCoords(0);
    EXPECT_EQ(c0.s, 0.5f);
    EXPECT_EQ(c0.t, 0.5f);
    EXPECT_EQ(c0.p, 0.5f);
    EXPECT_EQ(c0.q, 0.5f);
    EXPECT_FLOAT_EQ(face.lightMapCoords(1).s, 1.0f) << "the default radius is 50";
    EXPECT_FLOAT_EQ(face.lightMapCoords(2).p, -0.5f);
}

}  // namespace
