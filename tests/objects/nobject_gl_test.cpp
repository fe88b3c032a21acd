#include "objects/nobject.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "image/test_images.h"
#include "objects/feedback.h"
#include "objects/test_models.h"
#include "render/projection_matrix.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/log_window.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "support/test_ui.h"

namespace {

using testing_support::GlState;

// Runs the body with the current directory switched to a fresh folder holding
// vintra/light.jpg (a plain grey picture) and vintra/tex.jpg.
class DataDirectory {
public:
    DataDirectory() {
        root = std::filesystem::path(::testing::TempDir()) /
               ("nobject_data_" + std::to_string(::getpid()));
        std::filesystem::create_directories(root / "vintra");
        writeJpeg("vintra/light.jpg", 128);
        writeJpeg("vintra/tex.jpg", 200);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(root);
    }
    ~DataDirectory() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(root);
    }

private:
    void writeJpeg(const char* name, uint8_t grey) {
        const auto bytes = test_images::jpegBytes(8, 8, [grey](int, int) {
            return test_images::Rgb{grey, grey, grey};
        });
        FILE* file = std::fopen((root / name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::filesystem::path root;
    std::filesystem::path previous;
};

// A background wall far behind a box, seen from the origin down −z through an endless
// frustum; the light sits between the eye and the box, so the box throws a ring of shadow on
// the wall around the part of the wall it hides.
class ShadowScene {
public:
    ShadowScene() {
        testing_support::resetFrame();
        ProjectionMatrix projection;
        projection.setFrustum(-1, 1, -1, 1, 1, ProjectionMatrix::kInfiniteFar);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(projection.m);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glBegin(GL_QUADS);
        glVertex3f(-100, -100, -30);
        glVertex3f(100, -100, -30);
        glVertex3f(100, 100, -30);
        glVertex3f(-100, 100, -30);
        glEnd();
        glPopAttrib();
    }
};

// Window x of a point at angle x/−z off the axis (frustum of half-width 1 at distance 1).
int windowX(double tangent) {
    return static_cast<int>(400 + tangent * 400);
}
int windowY(double tangent) {
    return static_cast<int>(300 + tangent * 300);
}

TEST(NObjectGl, ShadowVolumeCountsOnlyWhereTheBoxHidesTheLight) {
    testing_support::installScriptedUi(false);
    ShadowScene scene;
    NObject box;
    test_models::loadInto(box, test_models::single(test_models::cube({0, 0, -10}, 1)));
    box.initShadow();
    lightPosition[0] = 0;
    lightPosition[1] = 0;
    lightPosition[2] = -5;

    const GlState before = GlState::capture();
    box.draw(ShadeType::Shadow);
    EXPECT_TRUE(before == GlState::capture()) << before.differences(GlState::capture());
    ASSERT_NE(box.getLightVector(), nullptr);
    EXPECT_EQ(box.getLightVector()->z, -5.0f);

    // The box covers tangents up to 1/9; its shadow on the wall reaches 6.25/30.
    EXPECT_NE(testing_support::readStencil(windowX(0.15), 300), 0) << "wall in the shadow";
    EXPECT_NE(testing_support::readStencil(400, windowY(-0.15)), 0) << "below, shadowed";
    EXPECT_EQ(testing_support::readStencil(windowX(0.3), 300), 0) << "lit wall";
    EXPECT_EQ(testing_support::readStencil(windowX(-0.5), 300), 0) << "lit wall, left";
    EXPECT_EQ(testing_support::readPixel(windowX(0.15), 300).r, 255) << "the white wall stays";

    // With the light moved left the shadow falls on the wall at x 8.5 … 27.25 (tangents
    // 0.28 … 0.91), and the first wall point comes out of it.
    ShadowScene again;
    lightPosition[0] = -4;
    box.draw(ShadeType::Shadow);
    EXPECT_EQ(testing_support::readStencil(windowX(0.15), 300), 0);
    EXPECT_NE(testing_support::readStencil(windowX(0.5), 300), 0) << "shadow thrown right";
    EXPECT_EQ(testing_support::readStencil(windowX(-0.5), 300), 0);
    // Seen from the eye the far cap now covers tangents 0.5 … 1.25: only the side quads put
    // 0.35 in the shadow and take 0.95 out of it.
    EXPECT_NE(testing_support::readStencil(windowX(0.35), 300), 0) << "counted by a side";
    EXPECT_EQ(testing_support::readStencil(windowX(0.95), 300), 0) << "closed by a side";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A lone triangle facing both the light and the eye, behind the wall: its volume is its own
// cap, a front face that fails the depth test and decrements. The count wraps instead of
// sticking at 0, so the point is still marked as inside a volume.
TEST(NObjectGl, ALeakingVolumeLeavesANonZeroCount) {
    testing_support::installScriptedUi(false);
    ASSERT_EQ(loadExtensions(), 0);
    ASSERT_TRUE(stencilWrapAvailable);
    ShadowScene scene;
    gen::ThreeDsObject lone;
    lone.name = "lone";
    lone.vertices = {{-20, -20, -40}, {20, -20, -40}, {0, 20, -40}};
    lone.faces = {{0, 1, 2, 1, -1}};
    NObject triangle;
    test_models::loadInto(triangle, test_models::single(lone));
    triangle.initShadow();
    lightPosition[0] = lightPosition[1] = 0;
    lightPosition[2] = -35;
    triangle.draw(ShadeType::Shadow);
    EXPECT_EQ(testing_support::readStencil(400, 300), 255) << "decremented from 0, wrapped";
    EXPECT_EQ(testing_support::readStencil(windowX(-0.9), 300), 0) << "beside the triangle";
}

TEST(NObjectGl, ABoxFaceWithLitNeighboursGivesNoSides) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    NObject box;
    test_models::loadInto(box, test_models::single(test_models::cube({0, 0, 0}, 1)));
    box.initShadow();
    std::vector<Face*> faces;
    box.collectFaces(faces);
    for (Face* face : faces) {
        for (Face* neighbour : face->neighbours) {
            EXPECT_NE(neighbour, nullptr) << "a closed box has a neighbour across every edge";
        }
    }
    // Every face lit: no silhouette edge, so no side quads.
    for (Face* face : faces) {
        face->facing = true;
    }
    std::vector<float> sides;
    for (Face* face : faces) {
        face->appendSides(sides);
    }
    EXPECT_TRUE(sides.empty());
    // One face turned away: its three lit neighbours each get a side along the shared edge.
    faces[0]->facing = false;
    for (Face* face : faces) {
        if (face->facing) {
            face->appendSides(sides);
        }
    }
    EXPECT_EQ(sides.size(), 3u * 4 * 4) << "three quads of four homogeneous points";
}

TEST(NObjectGl, EveryShadeTypeLeavesNoStateBehind) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    DataDirectory data;
    testing_support::resetFrame();
    NObject object;
    test_models::loadInto(object, test_models::single(test_models::cube({0, 0, -5}, 1)));
    object.loadTexture("./vintra/tex.jpg", NObject::kJpgImage);
    object.initLight();
    object.initShadow();
    ASSERT_TRUE(ui.messages.empty()) << ui.messages[0].text;

    for (int shade : {1, 2, 4, 6, 9}) {
        const GlState before = GlState::capture();
        object.draw(shade);
        const GlState after = GlState::capture();
        EXPECT_TRUE(before == after) << "shade " << shade << ": " << before.differences(after);
        GLint unit = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
        EXPECT_EQ(unit, GL_TEXTURE0) << "shade " << shade;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "shade " << shade;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NObjectGl, InitLightMakesClampedTexturesThatDarkenTheFrame) {
    testing_support::installScriptedUi(false);
    DataDirectory data;
    testing_support::resetFrame();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    NObject object;
    test_models::loadInto(object, test_models::single(test_models::strip(1, -0.5f)));
    object.setLightRadius(100);
    object.initLight();
    lightPosition[0] = lightPosition[1] = lightPosition[2] = 0;
    object.draw(ShadeType::LightMap);
    // Grey 128 on both units multiplies white down to about 128 · 128 / 255.
    const testing_support::Pixel p = testing_support::readPixel(windowX(-0.88), windowY(-0.88));
    EXPECT_NEAR(p.r, 64, 4);
    EXPECT_NEAR(p.b, 64, 4);
}

// Two separate small triangles at z = −0.5 right of the centre.
gen::ThreeDsObject twoTriangles() {
    gen::ThreeDsObject pair;
    pair.name = "pair";
    pair.vertices = {{0.3f, -0.6f, -0.5f}, {0.5f, -0.6f, -0.5f}, {0.3f, -0.4f, -0.5f},
                     {0.6f, -0.6f, -0.5f}, {0.8f, -0.6f, -0.5f}, {0.6f, -0.4f, -0.5f}};
    pair.faces = {{0, 1, 2, 1, -1}, {3, 4, 5, 1, -1}};
    return pair;
}

// The light map of `model` over a white frame; the pair's faces get radii of their own, so
// that mesh gives per-corner coordinates instead of generating them.
testing_support::Pixel lightMappedPair(const gen::ThreeDsModel& model) {
    testing_support::resetFrame();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    NObject object;
    test_models::loadInto(object, model);
    object.setLightRadius(100);
    object.initLight();
    object.freeze();
    Mesh& pair = object.getMesh(object.getMeshCount() - 1);
    pair.getFace(0).lightRadius = 0.05f;
    pair.getFace(1).lightRadius = 0.06f;
    lightPosition[0] = lightPosition[1] = lightPosition[2] = 0;
    object.draw(ShadeType::LightMap);
    return testing_support::readPixel(windowX(0.35), windowY(-0.55));
}

// The flat, lit surface times the light map: in one pass as in two where a pixel has one
// face, and where two faces lie in one plane the light map counts once, not twice.
TEST(NObjectGl, FlatLightMappedInOnePassTakesTheLightMapOncePerPixel) {
    testing_support::installScriptedUi(false);
    DataDirectory data;
    gen::ThreeDsObject single;
    single.name = "single";
    single.vertices = {{-3, -3, -5}, {3, -3, -5}, {-3, 3, -5}};
    single.faces = {{0, 1, 2, 1, -1}};
    gen::ThreeDsObject doubled = single;
    doubled.faces.push_back(doubled.faces.front());
    auto drawn = [](const gen::ThreeDsObject& shape, bool onePass) {
        ShadowScene scene;
        NObject object;
        test_models::loadInto(object, test_models::single(shape));
        object.setLightRadius(100);
        object.initLight();
        object.freeze();
        lightPosition[0] = lightPosition[1] = lightPosition[2] = 0;
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        const GLfloat towardsTheEye[] = {0, 0, 1, 0};
        const GLfloat white[] = {1, 1, 1, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, towardsTheEye);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        const GlState before = GlState::capture();
        if (onePass) {
            object.drawFlatLightMapped();
        } else {
            object.draw(ShadeType::Flat);
            object.draw(ShadeType::LightMap);
        }
        EXPECT_TRUE(before == GlState::capture()) << before.differences(GlState::capture());
        glPopAttrib();
        return testing_support::readPixel(windowX(-0.2), windowY(-0.2));
    };
    const testing_support::Pixel twoPasses = drawn(single, false);
    const testing_support::Pixel onePass = drawn(single, true);
    EXPECT_NEAR(onePass.r, twoPasses.r, 2);
    EXPECT_NEAR(onePass.b, twoPasses.b, 2);
    EXPECT_GT(onePass.r, 20) << "lit, and the grey light map about quarters it";
    EXPECT_LT(onePass.r, 100);
    const testing_support::Pixel sharedPlane = drawn(doubled, true);
    EXPECT_NEAR(sharedPlane.r, onePass.r, 2);
    EXPECT_LT(drawn(doubled, false).r, onePass.r / 2) << "two passes darken twice there";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(NObjectGl, AMeshWithPerCornerLightCoordinatesDrawsThemAfterAGeneratedOne) {
    testing_support::installScriptedUi(false);
    DataDirectory data;
    const testing_support::Pixel alone = lightMappedPair(test_models::single(twoTriangles()));
    gen::ThreeDsModel both;
    both.objects.push_back(test_models::strip(1, -0.5f));  // one radius: generated planes
    both.objects.push_back(twoTriangles());
    const testing_support::Pixel after = lightMappedPair(both);
    EXPECT_NEAR(after.r, alone.r, 3) << "the first mesh's planes must not reach the second";
    EXPECT_LT(alone.r, 40) << "far outside its small radius the light map is dark";
}

TEST(NObjectGl, InitLightWithoutTheImageAlertsAndGoesOn) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    const auto previous = std::filesystem::current_path();
    const auto empty = std::filesystem::path(::testing::TempDir()) /
                       ("nobject_empty_" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    NObject object;
    object.initLight();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(empty);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ERROR! Failed to load ./vintra/light.jpg !");
    object.draw(ShadeType::LightMap);
    EXPECT_EQ(ui.messages.size(), 1u) << "prepared: no warning";
}

TEST(NObjectGl, LightVectorIsTheLightTurnedByTheOrientation) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    glRotatef(90, 0, 0, 1);
    glTranslatef(5, 0, 0);  // the translation is not applied to the light
    NObject object;
    glLoadIdentity();
    object.initShadow();
    lightPosition[0] = 1;
    lightPosition[1] = 2;
    lightPosition[2] = 3;
    object.draw(ShadeType::Shadow);
    const Vector3* light = object.getLightVector();
    ASSERT_NE(light, nullptr);
    // Rotation part applied as m[0] x + m[4] y + m[8] z …: (1, 2, 3) turns to (−2, 1, 3).
    EXPECT_NEAR(light->x, -2, 1e-5);
    EXPECT_NEAR(light->y, 1, 1e-5);
    EXPECT_NEAR(light->z, 3, 1e-5);
}

TEST(NObjectGl, Load3DSLogsMaterialsAndSetsTextureCoordinates) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(true);
    testing_support::resetFrame();
    gen::ThreeDsModel model = test_models::single(test_models::strip(2, -0.5f));
    model.materials.push_back({"plain", {}, {}, {}, "", 100});
    model.materials.push_back({"label", {}, {}, {}, "korrin.jpg", 100});
    model.objects[0].uvs = {{0, 0}, {1, 0}, {0, 1}, {0.25f, 0.5f}, {1, 0}, {0, 1}};
    for (auto& face : model.objects[0].faces) {
        face.material = 1;
    }
    const std::string path = test_models::writeTemp("textured.3ds", test_models::bytesOf(model));
    NObject object;
    ASSERT_TRUE(object.load3DS(path.c_str()));
    const std::string& log = shellLog->text();
    EXPECT_NE(log.find("Object::load3DS() -- file: " + path), std::string::npos) << log;
    EXPECT_NE(log.find("Has texture coords"), std::string::npos);
    EXPECT_NE(log.find("Material nr: 0 Name: plain"), std::string::npos);
    EXPECT_NE(log.find("Material nr: 1 Name: label"), std::string::npos);
    EXPECT_NE(log.find("Texture name: korrin.jpg"), std::string::npos);
    const Face& second = object.getMesh(0).getFace(1);
    EXPECT_TRUE(second.hasTexCoords);
    EXPECT_EQ(second.texCoords[0].x, 0.25f);
    EXPECT_EQ(second.texCoords[0].y, 0.5f);
    EXPECT_TRUE(ui.messages.empty());

    // The texture transform comes from the mesh's first material.
    const std::vector<uint8_t> bytes = test_models::bytesOf(model);
    L3DS reader;
    ASSERT_TRUE(reader.LoadFromMemory(bytes.data(), bytes.size()));
    TextureSlot& slot = reader.GetMaterial(1).GetTextureSlot(ModelMaterial::Texture1);
    slot.uScale = 2;
    slot.vScale = 4;
    slot.uOffset = 0.5f;
    slot.vOffset = -1;
    NObject scaled;
    scaled.buildMeshes(reader);
    const Face& face = scaled.getMesh(0).getFace(1);
    EXPECT_EQ(face.texCoords[0].x, 1.0f);
    EXPECT_EQ(face.texCoords[0].y, 1.0f);
}

TEST(NObjectGl, ModelWithoutMaterialsHasNoTextureCoordinates) {
    testing_support::installScriptedUi(true);
    testing_support::resetFrame();
    NObject object;
    test_models::loadInto(object, test_models::single(test_models::strip(2, -0.5f)));
    EXPECT_EQ(shellLog->text().find("Has texture coords"), std::string::npos);
    EXPECT_FALSE(object.getMesh(0).getFace(0).hasTexCoords);
}

TEST(NObjectGl, AMissingFileIsAlertedAndDrawsNothing) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    NObject object;
    EXPECT_FALSE(object.load3DS("./no/such/model.3ds"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Loading ./no/such/model.3ds in NObject.cpp failed");
    EXPECT_EQ(object.getMeshCount(), 0u);
    EXPECT_TRUE(testing_support::capturePolygons([&] { object.draw(1); }).empty());
}

TEST(NObjectGl, ScaleAndCollectFacesCoverEveryMesh) {
    testing_support::installScriptedUi(false);
    testing_support::resetFrame();
    NObject object;
    gen::ThreeDsModel model = test_models::single(test_models::strip(3, -0.5f));
    model.objects.push_back(test_models::strip(2, -0.25f));
    test_models::loadInto(object, model);
    object.scale(2);
    std::vector<Face*> faces;
    object.collectFaces(faces);
    ASSERT_EQ(faces.size(), 5u);
    EXPECT_EQ(faces[0], &object.getMesh(0).getFace(0));
    EXPECT_EQ(faces[4], &object.getMesh(1).getFace(1));
    EXPECT_FLOAT_EQ(faces[4]->vertices[0].z, -0.5f);
    EXPECT_FLOAT_EQ(faces[0]->vertices[0].x, -1.8f);
}

}  // namespace
