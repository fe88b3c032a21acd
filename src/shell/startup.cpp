#include "shell/startup.h"

#include "base/data_file.h"
#include "camera/camera.h"
#include "layers/loading_screen.h"
#include "platform/interruption.h"
#include "platform/path.h"
#include "platform/ui.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/gl_window.h"
#include "shell/log_window.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "show/light.h"
#include "show/music.h"
#include "show/show.h"
#include "text/text.h"

namespace {

template <typename T>
void release(T*& object) {
    delete object;
    object = nullptr;
}

}  // namespace

void preInit(Session& session, std::function<void()> presentFrame) {
    // The marker is only tested for; its content is never read.
    const bool markerFound = platform::fileExists("logga");
    delete shellLog;  // an earlier round's (F1)
    shellLog = new LogWindow(markerFound);
    logWindow = shellLog;
    logEnabled = markerFound;
    mainWindow().focus();

    session.world = new World();
    if (loadExtensions() != 0) {
        platform::ui().messageBox("Couldn't Initialize extentions", "", platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
    }
    // Loading takes a while: a signal meanwhile ends the program between two steps.
    session.loadingScreen = new LoadingScreen([present = std::move(presentFrame)] {
        present();
        platform::Interruption::endIfSignalled();
    });
    session.loadingScreen->advance();
    session.world->initView(windowLetterbox().picture());
    session.world->initLights();

    session.camera = new Camera();
    session.camera->setWorldUpTurning(false);
    music = new Music();
    session.text = new Text(windowLetterbox().picture().height);
    session.text->setPosition(0, 0);
    session.world->printFps = [&session](const char* line) {
        mainWindow().setTitle(line);
        session.text->setPictureHeight(windowLetterbox().picture().height);
        session.text->printText(line);
    };
    session.light = new Light();
    session.light->setPosition(-100, 0, -100);
    logWindow->print("preInit() ENDS.");
}

void worldInit(Session& session) {
    logWindow->print("worldInit() STARTS...");
    session.show =
        new Show({.camera = session.camera, .music = music, .advanceLoading = [&session] {
                      if (session.loadingScreen) {
                          session.loadingScreen->advance();
                      }
                  }});
    // Its pictures are not shown again.
    release(session.loadingScreen);
    logWindow->print("worldInit() ENDS.");
    music->open(data::kMusic.path);
    music->setVolume(255);
    session.show->clock().startClock();
}

void releaseStartupObjects(Session& session) {
    // The show first: its layers use the rest.
    release(session.show);
    release(session.camera);
    release(session.light);
    if (session.world)
        session.world->printFps = nullptr;
    release(session.text);
    release(music);
    release(session.loadingScreen);
    release(session.world);
}
