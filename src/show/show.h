// The production itself: builds every layer of the show at start-up and paints the whole
// frame each frame, drawing its timelines in a fixed order around the scene capture.
#pragma once

#include "render/gl/gl.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/beat.h"
#include "base/data_file.h"
#include "base/timeline.h"
#include "render/gl_errors.h"
#include "show/show_clock.h"

class TagList;
class Flash;
class CameraList;
class Copy2Texture;
class FrameAnim;
class TextModel;
class TurntableLayer;
class SpinneLayer;
class Tower;
class Camera;

class Show {
public:
    // Window bounds of the frame order.
    static constexpr double kTitleEnd = beats(section::kTitleEnd);  // opening capture, inclusive
    static constexpr double kGraffitiStart = beats(section::kGraffitiStart);  // exclusive
    static constexpr double kGraffitiEnd = beats(section::kGraffitiEnd);
    static constexpr double kTowerStart = beats(section::kTowerStart);  // exclusive
    static constexpr double kTowerEnd = beats(section::kTowerEnd);

    // A stretch of show time in which the frame is painted another way, its bounds exclusive
    // or inclusive as the frame order tests them.
    struct Window {
        double from;
        double to;
        bool toIncluded;  // from is always exclusive
        constexpr bool contains(double t) const {
            return from < t && (t < to || (toIncluded && t == to));
        }
    };
    static constexpr Window kOpeningCapture{-1e300, kTitleEnd, true};
    static constexpr Window kGraffitiWindow{kGraffitiStart, kGraffitiEnd, false};
    static constexpr Window kTowerWindow{kTowerStart, kTowerEnd, false};
    static constexpr bool openingCaptured(double t) { return kOpeningCapture.contains(t); }
    static constexpr bool graffitiOver(double t) { return kGraffitiWindow.contains(t); }
    static constexpr bool towerAlone(double t) { return kTowerWindow.contains(t); }
    // Where the frame order may change: every window bound.
    static constexpr double kWindowBounds[] = {kOpeningCapture.to, kGraffitiWindow.from,
                                               kGraffitiWindow.to, kTowerWindow.from,
                                               kTowerWindow.to};

    // The show's timelines, in the order the frame draws them.
    enum class Line {
        Title,
        Camera,
        BackTags,
        Nick,
        LateScratch,
        Scratch,
        FrontTags,
        Crew,
        Graffiti,
        Tower,
        Info,
        Count
    };

    // A list file the show reads into a timeline (or the flashes): one row of kListSources.
    struct ListSource {
        enum class Kind { Cameras, Flashes, Tags };
        // When start-up reads it. The order does not shape the picture: a list's 666 columns
        // draw from a random sequence of its own, seeded from its path as data_file.h
        // spells it (respelling the path moves the picks).
        enum class Read { First, AfterTitles, AfterTower };
        DataList files;  // the list and where its rows' files are
        Kind kind;
        Line line = Line::Count;       // the timeline it fills (not for the flashes)
        GLenum source = GL_SRC_ALPHA;  // a tag list's blend pair
        GLenum destination = GL_ONE;
        bool repeatLate = false;   // tags: again 125.76 s later, from 20.64 s on
        bool repeatTwice = false;  // tags: again 109.44 s and 119.04 s later
        bool reloadedByF12 = false;
        Read read = Read::AfterTower;
    };
    static const std::vector<ListSource> kListSources;

    // Why what a timeline draws at show time t does not reach the picture.
    enum class Hidden {
        No,
        TowerAlone,       // inside the tower window only the tower, cuts, flashes and info
        GraffitiClear,    // drawn before the graffiti window's clear, which wipes it
        OutsideGraffiti,  // the graffiti are drawn only inside their window
        OutsideTower,     // the tower only inside its window
        AfterOpening,     // the title words only while the opening is captured
    };
    // Read off the frame order that drawFrame follows; the flashes are drawn last in every
    // frame and never hidden.
    static Hidden hiddenAt(Line line, double t);

    Show();
    ~Show();

    // Updates the clock and draws everything for the current show time.
    void drawShow();
    // The same in two steps, so the shell can carry out a transport request in between:
    // false when the show has ended.
    bool advanceClock();
    // Draws the frame at the clock's show time.
    void drawFrame();

    ShowClock& clock() { return clock_; }
    const ShowClock& clock() const { return clock_; }

    // F12 answered with Yes: clear and re-read the lists that F12 reloads.
    void reloadLists();

    // A list file of the show and how to read it again into its timeline alone, leaving
    // the clock and the music as they are.
    struct ListFile {
        const char* path;
        std::function<void()> reload;
    };
    // Every list file the show reads; the camera list comes first.
    std::vector<ListFile> listFiles();

    // What an author calls a layer the show places itself ("turntable", "morph", a title
    // word's model file under vintra/); empty for the layers the lists add.
    std::string layerName(const Layer* layer) const;

    Timeline& timeline(Line line) { return timelines_[static_cast<size_t>(line)]; }
    const Timeline& timeline(Line line) const { return timelines_[static_cast<size_t>(line)]; }
    const Flash& flashes() const { return *flashes_; }

private:
    void readLists(ListSource::Read stage);
    void readList(const ListSource& list);
    void clearList(const ListSource& list);

    void buildOpening();
    void buildScratch();
    void buildTower();
    void buildLateScratch();

    // Pictures are held from this long before their layer's entry (see picture_keeping.h).
    static constexpr double kPictureLead = 4.0;
    void holdPicturesAround(double t, bool mayLoad);

    void drawCameraCuts(double t);
    void drawTowerWindow(double t);
    void drawNormal(double t);
    void drawOpeningCapture(double t);
    void drawScene(double t);

    ShowClock clock_;
    Camera* startCamera_ = nullptr;
    std::array<Timeline, static_cast<size_t>(Line::Count)> timelines_;
    GlLayerCheck layerCheck_;
    // The list readers, by row of kListSources.
    std::vector<std::unique_ptr<TagList>> tagLists_;
    std::unique_ptr<CameraList> cameraList_;
    std::unique_ptr<Flash> flashes_;

    std::unique_ptr<Copy2Texture> sceneCapture_;
    std::unique_ptr<TextModel> onceAgainText_;
    std::unique_ptr<TextModel> anotherText_;
    std::unique_ptr<TextModel> lastMinuteText_;
    std::unique_ptr<TextModel> productionText_;
    std::unique_ptr<TextModel> presentedByText_;
    std::unique_ptr<TurntableLayer> turntable_;
    std::unique_ptr<Copy2Texture> titleCapture_;
    std::unique_ptr<FrameAnim> nickAnim_;
    std::unique_ptr<Tower> tower_;
    std::unique_ptr<SpinneLayer> spinne_;
    std::unique_ptr<FrameAnim> lateScratchAnim_;
    std::unique_ptr<FrameAnim> scratchAnim_;
};
