#include "shell/gl_window.h"

#include "render/gl/gl.h"

#include <string>

#include "base/log.h"
#include "platform/ui.h"
#include "render/picture_target.h"
#include "render/world.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "shell/startup.h"

namespace {

Letterbox letterbox(Letterbox::kDesignWidth, Letterbox::kDesignHeight);

void errorBox(const char* text) {
    platform::ui().messageBox(text, "ERROR", platform::Buttons::Ok, platform::Icon::Exclamation);
}

const char* creationErrorText(platform::Window::Error error) {
    switch (error) {
        case platform::Window::Error::Context:
            return "Can't Create A GL Rendering Context.";
        case platform::Window::Error::MakeCurrent:
            return "Can't Activate The GL Rendering Context.";
        default:
            return "Window Creation Error.";
    }
}

// Yes: fullscreen is off and start-up goes on in a window. No: the closing message.
bool useWindowedInstead(Session& session, const char* title) {
    auto answer = platform::ui().messageBox(
        "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
        "Mode Instead?",
        title, platform::Buttons::YesNo, platform::Icon::Exclamation);
    if (answer != platform::Answer::Yes) {
        platform::ui().messageBox("Program Will Now Close.", "ERROR", platform::Buttons::Ok,
                                  platform::Icon::Stop);
        return false;
    }
    session.fullscreen = false;
    return true;
}

// The framebuffer the frames are drawn into; multisampling the driver refuses is said in
// a line, and the show goes on without it.
void startPicture(const platform::Window::Options& options, int width, int height) {
    const int samples = pictureSamplesRequested();
    std::string note = mainWindow().samplesNote();
    if (options.offscreen && samples > 0) {
        if (!render::drawPictureOffscreen(width, height, samples, note)) {
            render::drawPictureInWindow(width, height);
        }
    } else {
        render::drawPictureInWindow(width, height);
    }
    if (!note.empty()) {
        logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: --samples %d: %s", samples,
                       note.c_str());
    }
}

}  // namespace

bool createWindow(Session& session, const char* title, int width, int height, int,
                  bool fullscreenFlag) {
    session.fullscreen = fullscreenFlag;
    std::string detail;
    if (!platform::Window::initVideo(offscreenRequested(), detail)) {
        errorBox("Window Creation Error.");
        return false;
    }
    if (session.fullscreen && session.modeSwitch &&
        !platform::Window::displayModeAvailable(width, height) &&
        !useWindowedInstead(session, title)) {
        return false;
    }
    platform::Window::Options options;
    options.title = title;
    options.width = width;
    options.height = height;
    options.fullscreen = session.fullscreen;
    options.modeSwitch = session.modeSwitch;
    options.offscreen = offscreenRequested();
    options.verticalSync = verticalSyncRequested() && !offscreenRequested();
    options.gles = glesRendererRequested();
    // Off the screen the picture is multisampled in a framebuffer object of its own.
    options.samples = options.offscreen ? 0 : pictureSamplesRequested();
    options.samplesInSoftware = pictureSamplesWereChosen();
    auto error = mainWindow().create(options, detail);
    // The mode was listed but the switch itself failed: the same question.
    if (error == platform::Window::Error::ModeRefused) {
        if (!useWindowedInstead(session, title)) {
            killWindow(session);
            return false;
        }
        options.fullscreen = false;
        error = mainWindow().create(options, detail);
    }
    if (error != platform::Window::Error::None) {
        killWindow(session);
        errorBox(creationErrorText(error));
        return false;
    }
    if (options.gles) {
        render::gl::attachLayerToCurrentContext();
    }
    render::gl::useRenderer(options.gles ? render::gl::Renderer::Gles : render::gl::Renderer::Gl);
    int pixelsWide = 0;
    int pixelsHigh = 0;
    mainWindow().drawableSize(pixelsWide, pixelsHigh);
    startPicture(options, pixelsWide, pixelsHigh);
    resizeScene(session, pixelsWide, pixelsHigh);
    preInit(session, [] {
        windowLetterbox().clearBars();
        mainWindow().swap();
    });
    worldInit(session);
    return true;
}

void killWindow(Session& session) {
    // Only one track ever plays, and nothing of this round outlives it: the next start-up
    // creates everything again.
    releaseStartupObjects(session);
    render::releasePicture();
    mainWindow().destroy();
}

void resizeScene(Session& session, int width, int height) {
    // A window of any shape shows the same picture: never a projection stretched to the
    // window, never more at the sides.
    letterbox = Letterbox(width, height);
    render::resizePicture(width, height);
    letterbox.apply();
    World::setNormalProjection(letterbox.picture());
    if (session.world) {
        session.world->initView(letterbox.picture());
    }
}

const Letterbox& windowLetterbox() {
    return letterbox;
}
