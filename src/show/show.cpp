#include "show/show.h"

#include <GL/gl.h>

#include "camera/camera.h"
#include "layers/camera_list.h"
#include "layers/copy2texture.h"
#include "layers/flash.h"
#include "layers/frame_anim.h"
#include "layers/loading_screen.h"
#include "layers/spinne_layer.h"
#include "layers/tag_list.h"
#include "layers/text_model.h"
#include "layers/tower.h"
#include "layers/turntable_layer.h"

#include "base/world.h"
#include "show/music.h"

namespace {

const char* const kCameraList = "./vintra/cameras/cameras.txt";
const char* const kFlashList = "./vintra/flash/flash.txt";
const char* const kBackTagList = "./vintra/tags/256/tagback.txt";
const char* const kFrontTagList = "./vintra/tags/front/tagfront.txt";

void advanceLoading() {
    if (loadingScreen) {
        loadingScreen->advance();
    }
}

void applyCamera() {
    if (camera) {
        camera->apply();
    }
}

void setInvertTexEnv() {
    if (world)
        world->setInvertTexEnv();
}

void setNormalTexEnv() {
    if (world)
        world->setNormalTexEnv();
}

// A title word, written in one beat and held for two.
std::unique_ptr<TextModel> makeTitle(const char* path) {
    auto title = std::make_unique<TextModel>(path);
    title->initWriter(kBeatSeconds, beats(2));
    return title;
}

}  // namespace

Show::Show() {
    musicPending = true;
    advanceLoading();

    backTags = std::make_unique<TagList>(&backTagTimeline);
    backTags->repeatLate = true;
    backTags->read(kBackTagList);

    frontTags = std::make_unique<TagList>(&frontTagTimeline);
    frontTags->repeatTwice = true;
    frontTags->setDirectory("./vintra/tags/front/");
    frontTags->read(kFrontTagList, GL_SRC_COLOR, GL_ONE);

    flashes = std::make_unique<Flash>();
    flashes->read(kFlashList);

    sceneCapture = std::make_unique<Copy2Texture>();

    cameraList = std::make_unique<CameraList>(&cameraTimeline);
    cameraList->read(kCameraList);

    advanceLoading();
    buildOpening();
    advanceLoading();
    buildGraffiti();
    advanceLoading();
    buildScratch();
    advanceLoading();
    buildTower();
    advanceLoading();
    buildLateScratch();
    advanceLoading();
    buildCrew();
    advanceLoading();
    advanceLoading();

    infoTags = std::make_unique<TagList>(&infoTimeline);
    infoTags->setDirectory("./vintra/info/");
    infoTags->read("./vintra/info/info.txt", GL_ONE_MINUS_SRC_COLOR, GL_SRC_COLOR);

    if (camera) {
        camera->setView(0, 0, 20, 0, 0, 0, 0, 1, 0);
    }
    startTime = now();
}

Show::~Show() = default;

void Show::buildOpening() {
    nickAnim = std::make_unique<FrameAnim>();
    nickAnim->loadFrames("./vintra/nick/nick", 24);
    nickAnim->setFrameRate(12.5);
    nickAnim->setFade(0, 1000, 0);
    nickAnim->setPeak(1.0);
    nickAnim->setBlend(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
    nickTimeline.add(beats(section::kFirstDrop), beats(150), nickAnim.get());
    // The turntable also frames the first view with the current camera.
    turntable = std::make_unique<TurntableLayer>();
    nickTimeline.add(0, beats(150), turntable.get());

    onceAgainText = makeTitle("./vintra/text/once_again.3ds");
    anotherText = makeTitle("./vintra/text/another.3ds");
    lastMinuteText = makeTitle("./vintra/text/last_minute.3ds");
    lastMinuteText->setOffset(10, 0, 0);
    productionText = makeTitle("./vintra/text/production.3ds");
    presentedByText = makeTitle("./vintra/text/presented_by.3ds");
    titleTimeline.add(0, 20.0, onceAgainText.get());
    titleTimeline.add(beats(4), 20.0, anotherText.get());
    titleTimeline.add(beats(8), 20.0, lastMinuteText.get());
    titleTimeline.add(beats(12), 20.0, productionText.get());
    titleTimeline.add(beats(16), beats(50), presentedByText.get());
    titleCapture = std::make_unique<Copy2Texture>();
}

void Show::buildGraffiti() {
    graffitiTags = std::make_unique<TagList>(&graffitiTimeline);
    graffitiTags->setDirectory("./Vintra/Graffiti/");
    graffitiTags->read("./Vintra/Graffiti/phlicks.txt");
}

void Show::buildScratch() {
    scratchAnim = std::make_unique<FrameAnim>();
    scratchAnim->loadFramesLater("./vintra/Scratch1/Scratch", 40);
    scratchAnim->setFade(3.84, 30.0, 1.92);
    scratchAnim->setFrameRate(9.6);
    scratchTimeline.add(beats(168), beats(section::kTowerStart), scratchAnim.get());
    scratchTimeline.add(133.0, 167.0, scratchAnim.get());
    spinne = std::make_unique<SpinneLayer>();
    spinne->setFrequency(83.0);
    spinne->scope = music;
    scratchTimeline.add(beats(160), beats(section::kTowerStart), spinne.get());
    scratchTimeline.add(beats(section::kMorphReturn), 5000.0, spinne.get());
}

void Show::buildTower() {
    // The models come in over the lead-in's first frames, not while the show starts.
    tower = std::make_unique<Tower>(Tower::Loading::Spread);
    towerTimeline.add(beats(section::kFirstDrop), 1000.0, tower.get());
}

void Show::buildLateScratch() {
    lateScratchAnim = std::make_unique<FrameAnim>();
    lateScratchAnim->loadFramesLater("./vintra/Scratch2/Scratch", 15);
    lateScratchAnim->setFade(2.0, 14.0, 1.0);
    lateScratchTimeline.add(165.0, 182.0, lateScratchAnim.get());
}

void Show::buildCrew() {
    qelvoTags = std::make_unique<TagList>(&qelvoTimeline);
    qelvoTags->setDirectory("./Vintra/Qelvo/");
    qelvoTags->read("./Vintra/Qelvo/Qelvo.txt");
}

void Show::reloadLists() {
    cameraTimeline.clear();
    cameraList->read(kCameraList);
    flashes->clear();
    flashes->read(kFlashList);
    backTagTimeline.clear();
    backTags->read(kBackTagList);
    frontTagTimeline.clear();
    frontTags->read(kFrontTagList, GL_SRC_COLOR, GL_ONE);
    graffitiTimeline.clear();
    graffitiTags->read("./vintra/graffiti/phlicks.txt");
}

std::vector<Show::ListFile> Show::listFiles() {
    auto tags = [](TagList* list, Timeline* timeline, const char* path, GLenum source,
                   GLenum destination) {
        return ListFile{path, [=] {
                            timeline->clear();
                            list->read(path, source, destination);
                        }};
    };
    return {
        {kCameraList,
         [this] {
             cameraTimeline.clear();
             cameraList->read(kCameraList);
         }},
        {kFlashList,
         [this] {
             flashes->clear();
             flashes->read(kFlashList);
         }},
        tags(backTags.get(), &backTagTimeline, kBackTagList, GL_SRC_ALPHA, GL_ONE),
        tags(frontTags.get(), &frontTagTimeline, kFrontTagList, GL_SRC_COLOR, GL_ONE),
        tags(graffitiTags.get(), &graffitiTimeline, "./vintra/graffiti/phlicks.txt", GL_SRC_ALPHA,
             GL_ONE),
        tags(qelvoTags.get(), &qelvoTimeline, "./Vintra/Qelvo/Qelvo.txt", GL_SRC_ALPHA, GL_ONE),
        tags(infoTags.get(), &infoTimeline, "./vintra/info/info.txt", GL_ONE_MINUS_SRC_COLOR,
             GL_SRC_COLOR),
    };
}

void Show::drawShow() {
    if (!updateClock()) {
        return;
    }
    const double t = time;
    // What the show needs only later comes in a piece per frame.
    if (tower && !tower->prepareStep()) {
        if (!scratchAnim->loadNextFrame()) {
            lateScratchAnim->loadNextFrame();
        }
    }
    if (kTowerStart < t && t < kTowerEnd) {
        drawTowerWindow(t);
    } else {
        drawNormal(t);
    }
}

// The tower scene alone; nothing is pushed here.
void Show::drawTowerWindow(double t) {
    towerTimeline.draw(t);
    cameraTimeline.draw(t);
    applyCamera();
    flashes->draw(t);
    infoTimeline.draw(t);
}

void Show::drawNormal(double t) {
    SavedState saved;
    glLoadIdentity();

    if (t <= kTitleEnd) {
        drawOpeningCapture(t);
    }
    cameraTimeline.draw(t);
    applyCamera();
    drawScene(t);

    setInvertTexEnv();
    sceneCapture->drawFullScreen(0, 1, 1);
    setNormalTexEnv();

    if (t <= kTitleEnd) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE_MINUS_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
        titleCapture->drawFullScreen(0, 1, 1);
        glDisable(GL_BLEND);
    }
    if (kGraffitiStart < t && t < kGraffitiEnd) {
        // Everything drawn so far in this frame gives way to the graffiti.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        graffitiTimeline.draw(t);
        setInvertTexEnv();
        frontTagTimeline.draw(t);
        setNormalTexEnv();
    }
    flashes->draw(t);
    infoTimeline.draw(t);
}

// The title words, captured from the 512 × 512 corner for the opening overlay.
void Show::drawOpeningCapture(double t) {
    SavedState saved;
    glLoadIdentity();
    Copy2Texture::CaptureScope capture(*titleCapture);
    titleTimeline.draw(t);
}

// The main scene, drawn into the 512 × 512 corner and captured.
void Show::drawScene(double t) {
    Copy2Texture::CaptureScope capture(*sceneCapture);
    setInvertTexEnv();
    backTagTimeline.draw(t);
    setNormalTexEnv();
    nickTimeline.draw(t);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    applyCamera();
    lateScratchTimeline.draw(t);
    scratchTimeline.draw(t);
    frontTagTimeline.draw(t);
    qelvoTimeline.draw(t);
}
