#include "show/show.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <map>
#include <string>
#include <vector>

#include "base/keys.h"
#include "camera/camera.h"
#include "camera/transport_requests.h"
#include "layers/camera_cut.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/transport.h"
#include "show/music.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "support/test_show.h"
#include "support/test_ui.h"

namespace {

// Records which timeline drew it in the current frame.
struct ProbeLayer : Layer {
    std::vector<std::string>* drawn;
    std::string name;
    ProbeLayer(std::vector<std::string>* d, std::string n) : drawn(d), name(std::move(n)) {}
    void draw(const Frame&) override { drawn->push_back(name); }
};

// A show built where no data exists (every loader reports and goes on), with one probe
// layer on each of its timelines.
class ShowFrameOrder : public ::testing::Test {
protected:
    void SetUp() override {
        // An empty directory: no data set to read, whatever directory the tests run in.
        previousDirectory = std::filesystem::current_path();
        emptyDirectory =
            std::filesystem::temp_directory_path() / ("tarvel-show-" + std::to_string(::getpid()));
        std::filesystem::create_directories(emptyDirectory);
        std::filesystem::current_path(emptyDirectory);
        ui = &testing_support::installScriptedUi(false);
        show = testing_support::buildShow(&tick);
        const std::map<std::string, Timeline*> timelines = {
            {"info", &show->timeline(Show::Line::Info)},
            {"camera", &show->timeline(Show::Line::Camera)},
            {"back", &show->timeline(Show::Line::BackTags)},
            {"front", &show->timeline(Show::Line::FrontTags)},
            {"title", &show->timeline(Show::Line::Title)},
            {"nick", &show->timeline(Show::Line::Nick)},
            {"tower", &show->timeline(Show::Line::Tower)},
            {"graffiti", &show->timeline(Show::Line::Graffiti)},
            {"scratch", &show->timeline(Show::Line::Scratch)},
            {"lateScratch", &show->timeline(Show::Line::LateScratch)},
            {"qelvo", &show->timeline(Show::Line::Crew)}};
        for (const auto& [name, timeline] : timelines) {
            timeline->clear();
            probes.push_back(std::make_unique<ProbeLayer>(&drawn, name));
            timeline->add(-10, 1000, probes.back().get());
        }
    }

    void TearDown() override {
        std::filesystem::current_path(previousDirectory);
        std::filesystem::remove_all(emptyDirectory);
        show.reset();
    }

    std::vector<std::string> frameAt(double t) {
        drawn.clear();
        tick = t;
        show->drawShow();
        return drawn;
    }

    std::filesystem::path previousDirectory;
    std::filesystem::path emptyDirectory;
    platform::ScriptedUi* ui = nullptr;
    std::unique_ptr<Show> show;
    std::vector<std::unique_ptr<ProbeLayer>> probes;
    std::vector<std::string> drawn;
    double tick = 0;
};

using Order = std::vector<std::string>;

// The cuts come first in every frame: everything the frame draws looks through their camera.
const Order kOpening = {"camera",  "title", "back",  "nick", "lateScratch",
                        "scratch", "front", "qelvo", "info"};
const Order kScene = {"camera", "back", "nick", "lateScratch", "scratch", "front", "qelvo", "info"};
const Order kGraffiti = {"camera", "back",  "nick",     "lateScratch", "scratch",
                         "front",  "qelvo", "graffiti", "front",       "info"};
const Order kTower = {"camera", "tower", "info"};  // the scene through this frame's cut

TEST_F(ShowFrameOrder, OpeningCaptureUpToAndIncluding1152) {
    EXPECT_EQ(frameAt(0.0), kOpening);
    EXPECT_EQ(frameAt(11.52), kOpening);
    EXPECT_EQ(frameAt(11.520001), kScene);
}

TEST_F(ShowFrameOrder, GraffitiWindowExcludesBothBounds) {
    EXPECT_EQ(frameAt(42.72), kScene);
    EXPECT_EQ(frameAt(42.720001), kGraffiti);
    EXPECT_EQ(frameAt(77.75), kGraffiti);
    EXPECT_EQ(frameAt(beats(162)), kScene);
    EXPECT_EQ(frameAt(77.76), kScene);
}

TEST_F(ShowFrameOrder, TowerWindowDrawsOnlyTheTowerCutsAndInformation) {
    EXPECT_EQ(frameAt(94.56), kScene);
    EXPECT_EQ(frameAt(94.560001), kTower);
    EXPECT_EQ(frameAt(122.39), kTower);
    EXPECT_EQ(frameAt(beats(255)), kScene);
    EXPECT_EQ(frameAt(122.4), kScene);
}

// Paints the whole window wherever it is drawn, whatever matrices it is given.
struct PaintLayer : Layer {
    void draw(const Frame&) override {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        for (GLenum off : {GL_DEPTH_TEST, GL_TEXTURE_2D, GL_LIGHTING, GL_CULL_FACE, GL_BLEND,
                           GL_STENCIL_TEST, GL_ALPHA_TEST, GL_FOG}) {
            glDisable(off);
        }
        glColor3f(0.9f, 0.5f, 0.2f);
        glRectf(-1, -1, 1, 1);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopAttrib();
    }
};

std::vector<uint8_t> windowPixels() {
    std::vector<uint8_t> pixels(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// What the schedule calls hidden is what the frame order wipes or never draws: a layer that
// paints the whole window changes the frame exactly where Show::hiddenAt says its timeline
// is seen, on both sides of every window bound.
TEST_F(ShowFrameOrder, HiddenAtIsWhatReachesThePicture) {
    std::vector<double> times = {-2.0, 30.0, 60.0, 110.0, 150.0};
    for (double bound : Show::kWindowBounds) {
        times.insert(times.end(), {bound, std::nextafter(bound, -1e9), std::nextafter(bound, 1e9)});
    }
    for (int line = 0; line < static_cast<int>(Show::Line::Count); ++line) {
        Timeline& timeline = show->timeline(static_cast<Show::Line>(line));
        for (int each = 0; each < static_cast<int>(Show::Line::Count); ++each) {
            show->timeline(static_cast<Show::Line>(each)).clear();
        }
        PaintLayer paint;
        for (double t : times) {
            timeline.clear();
            testing_support::resetFrame();
            frameAt(t);
            const std::vector<uint8_t> without = windowPixels();
            timeline.add(-10, 1000, &paint);
            testing_support::resetFrame();
            frameAt(t);
            const bool seen = windowPixels() != without;
            EXPECT_EQ(seen, Show::hiddenAt(static_cast<Show::Line>(line), t) == Show::Hidden::No)
                << "line " << line << " at " << std::setprecision(17) << t;
        }
        timeline.clear();
    }
}

// A frame looks through the cut of its time: the one playing (the later entry where two
// play), between cuts the one that ended last, held at its end, before the first the show's
// own camera; whichever frames came before, a seek back included.
TEST_F(ShowFrameOrder, AFrameLooksThroughTheCutOfItsTime) {
    std::string positions;
    for (int i = 0; i < 6; ++i) {
        positions += std::to_string(i * 2) + " 1 0  0 0 0  0 1 0\n";
    }
    CameraCut first, second, overlapping;
    for (CameraCut* cut : {&first, &second, &overlapping}) {
        ASSERT_TRUE(cut->getCamera()->loadPathFromBytes(positions, "cut.pos"));
        cut->setMoveTime(4);
    }
    Timeline& cuts = show->timeline(Show::Line::Camera);
    cuts.clear();
    cuts.add(10, 20, &first);
    cuts.add(30, 40, &second);
    cuts.add(35, 40, &overlapping);
    Camera* const own = show->camera();
    ASSERT_NE(own, nullptr);
    const struct {
        double time;
        Camera* camera;
        float fraction;  // along the cut's path
    } frames[] = {{5, own, 0},
                  {25, first.getCamera(), 1},
                  {12, first.getCamera(), 0.5f},
                  {32, second.getCamera(), 0.5f},
                  {37, overlapping.getCamera(), 0.5f},
                  {50, overlapping.getCamera(), 1},
                  {5, own, 0}};
    for (const auto& f : frames) {
        frameAt(f.time);
        ASSERT_EQ(show->camera(), f.camera) << "at " << f.time;
        if (f.camera != own) {
            EXPECT_EQ(f.camera->getEye(), f.camera->eyePath.atFraction(f.fraction))
                << "at " << f.time;
        }
    }
}

TEST_F(ShowFrameOrder, FramesLeaveNoStateBehindOutsideTheTowerWindow) {
    for (double t : {5.0, 30.0, 50.0, 140.0}) {
        auto before = testing_support::GlState::capture();
        frameAt(t);
        auto after = testing_support::GlState::capture();
        EXPECT_EQ(before.modelviewDepth, after.modelviewDepth) << t;
        EXPECT_EQ(before.attribDepth, after.attribDepth) << t;
        EXPECT_EQ(before.projectionDepth, after.projectionDepth) << t;
    }
}

TEST_F(ShowFrameOrder, ReloadAnsweredYesReadsTheListsAgainAndRestartsAtZero) {
    frameAt(60);
    ui->messageAnswers.push_back(platform::Answer::Yes);
    TransportRequests requests;
    requests.reload = true;
    const size_t before = ui->messages.size();
    tick = 70;
    ASSERT_TRUE(show->advanceClock());
    carryOutTransport(requests, *show);
    show->drawFrame();
    EXPECT_DOUBLE_EQ(show->clock().time, 0.0);
    // The tower's missing files may be reported in the same frame: it loads over the first
    // frames.
    std::vector<std::string> asked;
    for (size_t i = before; i < ui->messages.size(); ++i) {
        asked.push_back(ui->messages[i].text);
    }
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "Reloade lists too?"), 1);
    // Yes empties the list timelines (their files are missing here) and keeps the others.
    EXPECT_TRUE(show->timeline(Show::Line::Camera).entries().empty());
    EXPECT_TRUE(show->timeline(Show::Line::BackTags).entries().empty());
    EXPECT_TRUE(show->timeline(Show::Line::Graffiti).entries().empty());
    EXPECT_FALSE(show->timeline(Show::Line::Nick).entries().empty());
    EXPECT_FALSE(show->timeline(Show::Line::Info).entries().empty());
}

}  // namespace
