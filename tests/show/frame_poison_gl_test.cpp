// Every layer draws its picture from the frame it is handed: the whole show, on the data set
// the build generates, draws each of a set of moments twice, the second time with whatever
// is still process-wide set to something else first (the tick, the music and key table the
// shell keeps, the log switch, the GL's matrix, colour and light left by the frame before)
// and the clock updated at another time and then sent to the moment, as a seek between
// the update and the picture does. The two pictures must be the same, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/keys.h"
#include "base/log.h"
#include "camera/camera.h"
#include "platform/clock.h"
#include "platform/sound/sound.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "show/music.h"
#include "show/show.h"
#include "support/gl_context.h"
#include "support/test_ui.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> windowPixels() {
    std::vector<uint8_t> pixels(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// A tick far from any moment drawn.
class FarClock : public platform::Clock {
public:
    double nowSeconds() override { return 123456.0; }
};

// What is still shared by the whole process, set to values no frame should see.
struct Poison {
    FarClock farClock;
    Music* keptMusic = music;
    bool keptLog = logEnabled;
    uint8_t keptKeys[256] = {};

    Poison() {
        std::copy(std::begin(keys), std::end(keys), std::begin(keptKeys));
        platform::setClock(&farClock);
        music = nullptr;
        logEnabled = !logEnabled;
        std::fill(std::begin(keys), std::end(keys), 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(33, 1, 2, 3);
        glTranslatef(5, -7, 11);
        glColor4f(0.2f, 0.9f, 0.4f, 0.3f);
        const GLfloat elsewhere[] = {-500, 800, -300, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, elsewhere);
    }
    ~Poison() {
        platform::setClock(nullptr);
        music = keptMusic;
        logEnabled = keptLog;
        std::copy(std::begin(keptKeys), std::end(keptKeys), std::begin(keys));
    }
};

TEST(FramePoisonGl, EveryLayerDrawsTheSameFrameWhateverTheProcessHolds) {
    testing_support::installScriptedUi(false);
    const fs::path previous = fs::current_path();
    fs::current_path(TARVEL_TEST_DATA_SET);
    World world;
    loadExtensions();
    world.initView(kDesignPicture);
    world.initLights();
    Camera camera;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    Music track;
    double tick = 1000;
    {
        Show show({.camera = &camera, .music = &track, .advanceLoading = {}});
        track.open("./vintra/Ostrel.mp3");
        ASSERT_NE(track.stream, nullptr);
        music = &track;  // as the shell keeps it
        show.clock().now = [&tick] { return tick; };
        show.clock().endProcess = [](int) {};
        show.clock().frameRate = 60;
        show.clock().musicPending = false;
        const auto frameAt = [&](double t, double updatedAt) {
            testing_support::resetFrame();
            world.initView(kDesignPicture);
            tick += 1.0 / 60.0;
            show.clock().seek(updatedAt);
            show.advanceClock();
            show.clock().seek(t);
            show.drawFrame(kDesignPicture);
            return windowPixels();
        };
        // The lead-in's information sprite; the title words over the turntable and the back
        // sprites; a flash over the character; the graffiti, front sprites and a flash; the
        // morph on a kick with the scratches; the tower through its cut, then under a black
        // flash; the crew, front sprites and a flash; the morph and crew again; the credits.
        for (const double t : {-1.5, 8.4, 27.2, 50.6, 85.068, 100.0, 121.2, 123.4, 134.6, 170.5}) {
            const std::vector<uint8_t> clean = frameAt(t, t);
            std::vector<uint8_t> poisoned;
            {
                Poison poison;
                poisoned = frameAt(t, t + 37.0);
            }
            const auto lit =
                std::count_if(clean.begin(), clean.end(), [](uint8_t v) { return v != 0; });
            EXPECT_GT(lit, 1000) << "the frame at " << t << " shows something";
            EXPECT_TRUE(clean == poisoned) << "the frame at " << t << " changed";
        }
    }
    music = nullptr;
    platform::sound::close();
    fs::current_path(previous);
}

}  // namespace
