// The production itself: builds every layer of the show at start-up and paints the whole
// frame each frame, drawing its timelines in a fixed order around the scene capture.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/beat.h"
#include "base/timeline.h"
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

class Show : public ShowClock {
public:
    // Window bounds of the frame order.
    static constexpr double kTitleEnd = beats(section::kTitleEnd);  // opening capture, inclusive
    static constexpr double kGraffitiStart = beats(section::kGraffitiStart);  // exclusive
    static constexpr double kGraffitiEnd = beats(section::kGraffitiEnd);
    static constexpr double kTowerStart = beats(section::kTowerStart);  // exclusive
    static constexpr double kTowerEnd = beats(section::kTowerEnd);

    Show();
    ~Show() override;

    // Updates the clock and draws everything for the current show time.
    void drawShow();

    // A list file of the show and how to read it again into its timeline alone, leaving
    // the clock and the music as they are.
    struct ListFile {
        const char* path;
        std::function<void()> reload;
    };
    // Every list file the show reads; the camera list comes first.
    std::vector<ListFile> listFiles();

    Timeline infoTimeline;
    std::unique_ptr<TagList> infoTags;
    std::unique_ptr<Copy2Texture> sceneCapture;
    Timeline cameraTimeline;
    std::unique_ptr<CameraList> cameraList;
    std::unique_ptr<Flash> flashes;
    std::unique_ptr<TagList> backTags;
    Timeline backTagTimeline;
    std::unique_ptr<TagList> frontTags;
    Timeline frontTagTimeline;
    std::unique_ptr<TextModel> onceAgainText;
    std::unique_ptr<TextModel> anotherText;
    std::unique_ptr<TextModel> lastMinuteText;
    std::unique_ptr<TextModel> productionText;
    std::unique_ptr<TextModel> presentedByText;
    std::unique_ptr<TurntableLayer> turntable;
    Timeline titleTimeline;
    Timeline nickTimeline;
    std::unique_ptr<Copy2Texture> titleCapture;
    std::unique_ptr<FrameAnim> nickAnim;
    Timeline towerTimeline;
    std::unique_ptr<Tower> tower;
    Timeline graffitiTimeline;
    std::unique_ptr<TagList> graffitiTags;
    std::unique_ptr<SpinneLayer> spinne;
    Timeline scratchTimeline;
    std::unique_ptr<FrameAnim> lateScratchAnim;
    Timeline lateScratchTimeline;
    std::unique_ptr<TagList> qelvoTags;
    Timeline qelvoTimeline;
    std::unique_ptr<FrameAnim> scratchAnim;

protected:
    void reloadLists() override;

private:
    void buildOpening();
    void buildGraffiti();
    void buildScratch();
    void buildTower();
    void buildLateScratch();
    void buildCrew();

    void drawTowerWindow(double t);
    void drawNormal(double t);
    void drawOpeningCapture(double t);
    void drawScene(double t);
};
