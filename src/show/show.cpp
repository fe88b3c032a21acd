#include "show/show.h"

#include "platform/memory.h"
#include "render/gl/gl.h"

#include <utility>

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

#include "base/beat_position.h"
#include "base/data_file.h"
#include "base/picture_keeping.h"
#include "render/world.h"
#include "show/music.h"

namespace {

void advanceLoading() {
    if (loadingScreen) {
        loadingScreen->advance();
    }
}

void applyCamera(double t) {
    if (camera) {
        camera->apply(t);
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

// When the layers the show places itself play: in beats where they keep to the grid, in
// seconds where they do not. Two entries run past the show's end (185 s), so they play
// until it stops.
constexpr double kTitleWordsEnd = 20.0;       // s: the first four words go together
constexpr int kPresentedByEnd = 50;           // beat (24 s): the fifth stays longer
constexpr int kOpeningEnd = 150;              // beat (72 s): the character and the turntable
constexpr int kMorphStart = 160;              // beat (76.8 s)
constexpr int kScratchStart = 168;            // beat (80.64 s)
constexpr double kScratchAgainStart = 133.0;  // s
constexpr double kScratchAgainEnd = 167.0;    // s
constexpr double kMorphAgainEnd = 5000.0;     // s: until the show stops
constexpr double kTowerEntryEnd = 1000.0;     // s: until the show stops; seen in its window
constexpr double kLateScratchEnd = 182.0;     // s

// A title word, written in one beat and held for two.
std::unique_ptr<TextModel> makeTitle(const char* path) {
    auto title = std::make_unique<TextModel>(path);
    title->initWriter(kBeatSeconds, beats(2));
    return title;
}

}  // namespace

// Adding a list-driven scene: its paths in base/data_file.h, a row here, its layer, its
// draw call in the frame order and its producer in the generator. The camera list comes
// first: a saved position file reloads it.
const std::vector<Show::ListSource> Show::kListSources = {
    {.files = data::kCameraList,
     .kind = ListSource::Kind::Cameras,
     .line = Line::Camera,
     .reloadedByF12 = true,
     .read = ListSource::Read::First},
    {.files = data::kFlashList,
     .kind = ListSource::Kind::Flashes,
     .reloadedByF12 = true,
     .read = ListSource::Read::First},
    {.files = data::kBackTagList,
     .kind = ListSource::Kind::Tags,
     .line = Line::BackTags,
     .repeatLate = true,
     .reloadedByF12 = true,
     .read = ListSource::Read::First},
    {.files = data::kFrontTagList,
     .kind = ListSource::Kind::Tags,
     .line = Line::FrontTags,
     .source = GL_SRC_COLOR,
     .repeatTwice = true,
     .reloadedByF12 = true,
     .read = ListSource::Read::First},
    {.files = data::kGraffitiList,
     .kind = ListSource::Kind::Tags,
     .line = Line::Graffiti,
     .reloadedByF12 = true,
     .read = ListSource::Read::AfterTitles},
    {.files = data::kCrewList,
     .kind = ListSource::Kind::Tags,
     .line = Line::Crew,
     .read = ListSource::Read::AfterTower},
    {.files = data::kInfoList,
     .kind = ListSource::Kind::Tags,
     .line = Line::Info,
     .source = GL_ONE_MINUS_SRC_COLOR,
     .destination = GL_SRC_COLOR,
     .read = ListSource::Read::AfterTower},
};

Show::Show() {
    for (Timeline& line : timelines_) {
        line.setCheck(&layerCheck_);
    }
    clock_.musicPending = true;
    advanceLoading();

    tagLists_.resize(kListSources.size());
    readLists(ListSource::Read::First);
    sceneCapture_ = std::make_unique<Copy2Texture>();

    advanceLoading();
    buildOpening();
    advanceLoading();
    readLists(ListSource::Read::AfterTitles);
    advanceLoading();
    buildScratch();
    advanceLoading();
    buildTower();
    advanceLoading();
    buildLateScratch();
    advanceLoading();
    advanceLoading();
    advanceLoading();
    readLists(ListSource::Read::AfterTower);

    if (camera) {
        camera->setView(0, 0, 20, 0, 0, 0, 0, 1, 0);
    }
    startCamera_ = camera;
    clock_.startTime = clock_.now();
}

Show::~Show() = default;

void Show::readLists(ListSource::Read stage) {
    for (const ListSource& list : kListSources) {
        if (list.read == stage) {
            readList(list);
        }
    }
}

// The first read makes the row's reader; later reads go through the same one.
void Show::readList(const ListSource& list) {
    switch (list.kind) {
        case ListSource::Kind::Cameras:
            if (!cameraList_)
                cameraList_ = std::make_unique<CameraList>(&timeline(list.line));
            cameraList_->read(list.files.path);
            break;
        case ListSource::Kind::Flashes:
            if (!flashes_)
                flashes_ = std::make_unique<Flash>();
            flashes_->read(list.files.path);
            break;
        case ListSource::Kind::Tags: {
            auto& tags = tagLists_[static_cast<size_t>(&list - kListSources.data())];
            if (!tags) {
                tags = std::make_unique<TagList>(&timeline(list.line));
                tags->repeatLate = list.repeatLate;
                tags->repeatTwice = list.repeatTwice;
                tags->setDirectory(list.files.directory);
            }
            tags->read(list.files.path, list.source, list.destination);
            break;
        }
    }
}

void Show::clearList(const ListSource& list) {
    if (list.kind == ListSource::Kind::Flashes) {
        flashes_->clear();
    } else {
        timeline(list.line).clear();
    }
}

void Show::buildOpening() {
    nickAnim_ = std::make_unique<FrameAnim>();
    nickAnim_->loadFramesLater(data::kNickFrames.path, data::kNickFrames.count);
    nickAnim_->setFrameRate(12.5);
    nickAnim_->setFade(0, 1000, 0);
    nickAnim_->setPeak(1.0);
    nickAnim_->setBlend(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
    timeline(Line::Nick).add(beats(section::kFirstDrop), beats(kOpeningEnd), nickAnim_.get());
    // The turntable also frames the first view with the current camera.
    turntable_ = std::make_unique<TurntableLayer>();
    timeline(Line::Nick).add(0, beats(kOpeningEnd), turntable_.get());

    onceAgainText_ = makeTitle(data::kTitleOnceAgain.path);
    anotherText_ = makeTitle(data::kTitleAnother.path);
    lastMinuteText_ = makeTitle(data::kTitleLastMinute.path);
    lastMinuteText_->setOffset(10, 0, 0);
    productionText_ = makeTitle(data::kTitleProduction.path);
    presentedByText_ = makeTitle(data::kTitlePresentedBy.path);
    // A word a bar.
    const struct {
        TextModel* word;
        double end;
    } words[] = {{onceAgainText_.get(), kTitleWordsEnd},
                 {anotherText_.get(), kTitleWordsEnd},
                 {lastMinuteText_.get(), kTitleWordsEnd},
                 {productionText_.get(), kTitleWordsEnd},
                 {presentedByText_.get(), beats(kPresentedByEnd)}};
    for (int i = 0; i < static_cast<int>(std::size(words)); ++i) {
        timeline(Line::Title)
            .add(beats(i * BeatPosition::kBeatsPerBar), words[i].end, words[i].word);
    }
    titleCapture_ = std::make_unique<Copy2Texture>();
}

void Show::buildScratch() {
    scratchAnim_ = std::make_unique<FrameAnim>();
    scratchAnim_->loadFramesLater(data::kScratchFrames.path, data::kScratchFrames.count);
    scratchAnim_->setFade(3.84, 30.0, 1.92);
    scratchAnim_->setFrameRate(9.6);
    timeline(Line::Scratch)
        .add(beats(kScratchStart), beats(section::kTowerStart), scratchAnim_.get());
    timeline(Line::Scratch).add(kScratchAgainStart, kScratchAgainEnd, scratchAnim_.get());
    spinne_ = std::make_unique<SpinneLayer>();
    spinne_->setFrequency(83.0);
    spinne_->scope = music;
    timeline(Line::Scratch).add(beats(kMorphStart), beats(section::kTowerStart), spinne_.get());
    timeline(Line::Scratch).add(beats(section::kMorphReturn), kMorphAgainEnd, spinne_.get());
}

void Show::buildTower() {
    // The models come in over the lead-in's first frames, not while the show starts.
    tower_ = std::make_unique<Tower>(Tower::Loading::Spread);
    // The scene is seen only in the tower window: its light walks from the window's start.
    tower_->setOrigin(beats(section::kTowerStart - section::kFirstDrop));
    timeline(Line::Tower).add(beats(section::kFirstDrop), kTowerEntryEnd, tower_.get());
}

void Show::buildLateScratch() {
    lateScratchAnim_ = std::make_unique<FrameAnim>();
    lateScratchAnim_->loadFramesLater(data::kLateScratchFrames.path,
                                      data::kLateScratchFrames.count);
    lateScratchAnim_->setFade(2.0, 14.0, 1.0);
    timeline(Line::LateScratch)
        .add(section::kLateScratchSeconds, kLateScratchEnd, lateScratchAnim_.get());
}

std::string Show::layerName(const Layer* layer) const {
    using data::inDataSet;
    const std::pair<const Layer*, std::string> names[] = {
        {turntable_.get(), "turntable"},
        {nickAnim_.get(), "character"},
        {onceAgainText_.get(), inDataSet(data::kTitleOnceAgain.path)},
        {anotherText_.get(), inDataSet(data::kTitleAnother.path)},
        {lastMinuteText_.get(), inDataSet(data::kTitleLastMinute.path)},
        {productionText_.get(), inDataSet(data::kTitleProduction.path)},
        {presentedByText_.get(), inDataSet(data::kTitlePresentedBy.path)},
        {spinne_.get(), "morph"},
        {scratchAnim_.get(), "scratch"},
        {lateScratchAnim_.get(), "late scratch"},
        {tower_.get(), "tower scene"},
    };
    for (const auto& [named, name] : names) {
        if (named != nullptr && named == layer) {
            return name;
        }
    }
    return {};
}

void Show::reloadLists() {
    for (const ListSource& list : kListSources) {
        if (list.reloadedByF12) {
            clearList(list);
            readList(list);
        }
    }
}

std::vector<Show::ListFile> Show::listFiles() {
    std::vector<ListFile> files;
    for (const ListSource& list : kListSources) {
        files.push_back({list.files.path, [this, &list] {
                             clearList(list);
                             readList(list);
                         }});
    }
    return files;
}

void Show::drawShow() {
    if (advanceClock()) {
        drawFrame();
    }
}

bool Show::advanceClock() {
    return clock_.updateClock();
}

void Show::drawFrame() {
    const double t = clock_.time;
    // What the show needs only later comes in a piece per frame, the tower's models first.
    const bool towerLoading = tower_ && tower_->prepareStep();
    holdPicturesAround(t, !towerLoading);
    if (towerAlone(t)) {
        drawTowerWindow(t);
    } else {
        drawNormal(t);
    }
}

void Show::holdPicturesAround(double t, bool mayLoad) {
    if (keepPicturesAround(timelines_, t, kPictureLead, mayLoad)) {
        platform::returnFreedMemory();
    }
}

// The camera of the cut playing at t. Between cuts it is the cut that ended last, held at
// its end; before the first, the camera the show started with. So the camera at t does not
// depend on which frames came before.
void Show::drawCameraCuts(double t) {
    Timeline& cuts = timeline(Line::Camera);
    const Timeline::Entry* ended = nullptr;
    bool playing = false;
    for (const Timeline::Entry& entry : cuts.entries()) {
        if (entry.start <= t && t <= entry.end) {
            playing = true;
        } else if (entry.end < t && (ended == nullptr || entry.end >= ended->end)) {
            ended = &entry;
        }
    }
    if (!playing && ended != nullptr) {
        ended->layer->draw(ended->end - ended->start);
    } else if (!playing) {
        camera = startCamera_;
    }
    cuts.draw(t);
}

// The tower scene alone; nothing is pushed here. The scene is seen through this frame's cut
// (were the cuts drawn after it, each cut's first frame would show the one before).
void Show::drawTowerWindow(double t) {
    drawCameraCuts(t);
    timeline(Line::Tower).draw(t);
    applyCamera(t);
    flashes_->draw(t);
    timeline(Line::Info).draw(t);
}

void Show::drawNormal(double t) {
    SavedState saved;
    glLoadIdentity();

    if (openingCaptured(t)) {
        drawOpeningCapture(t);
    } else {
        titleCapture_->release();  // until a seek brings the opening back
    }
    drawCameraCuts(t);
    applyCamera(t);
    drawScene(t);

    setInvertTexEnv();
    sceneCapture_->drawFullScreen(0, 1, 1);
    setNormalTexEnv();

    if (openingCaptured(t)) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE_MINUS_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
        titleCapture_->drawFullScreen(0, 1, 1);
        glDisable(GL_BLEND);
    }
    if (graffitiOver(t)) {
        // Everything drawn so far in this frame gives way to the graffiti.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        timeline(Line::Graffiti).draw(t);
        setInvertTexEnv();
        timeline(Line::FrontTags).draw(t);
        setNormalTexEnv();
    }
    flashes_->draw(t);
    timeline(Line::Info).draw(t);
}

// The frame order above, read the other way round: what each timeline's drawing comes to.
Show::Hidden Show::hiddenAt(Line line, double t) {
    if (towerAlone(t)) {
        const bool drawn = line == Line::Camera || line == Line::Tower || line == Line::Info;
        return drawn ? Hidden::No : Hidden::TowerAlone;
    }
    switch (line) {
        case Line::Tower:
            return Hidden::OutsideTower;
        case Line::Graffiti:
            return graffitiOver(t) ? Hidden::No : Hidden::OutsideGraffiti;
        case Line::FrontTags:  // drawn again after the graffiti clear
        case Line::Info:
            return Hidden::No;
        case Line::Title:
            if (!openingCaptured(t)) {
                return Hidden::AfterOpening;
            }
            break;
        default:
            break;
    }
    // The rest makes the scene, which the graffiti clear wipes.
    return graffitiOver(t) ? Hidden::GraffitiClear : Hidden::No;
}

// The title words, captured from the 512 × 512 corner for the opening overlay.
void Show::drawOpeningCapture(double t) {
    SavedState saved;
    glLoadIdentity();
    Copy2Texture::CaptureScope capture(*titleCapture_);
    timeline(Line::Title).draw(t);
}

// The main scene, drawn into the 512 × 512 corner and captured.
void Show::drawScene(double t) {
    Copy2Texture::CaptureScope capture(*sceneCapture_);
    setInvertTexEnv();
    timeline(Line::BackTags).draw(t);
    setNormalTexEnv();
    timeline(Line::Nick).draw(t);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    applyCamera(t);
    timeline(Line::LateScratch).draw(t);
    timeline(Line::Scratch).draw(t);
    timeline(Line::FrontTags).draw(t);
    timeline(Line::Crew).draw(t);
}
