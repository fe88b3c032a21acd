#include "shell/startup.h"

#include "platform/path.h"
#include "shell/gl_window.h"
#include "shell/globals.h"
#include "shell/log_window.h"
#include "show/music.h"
#include "show/show.h"
#include "text/text.h"

void preInit() {
    // The marker is only tested for; its content is never read.
    const bool markerFound = platform::fileExists("logga");
    logWindow = new LogWindow(markerFound);
    logEnabled = markerFound;
    mainWindow().focus();

    music = new Music();
    text = new Text();
    text->setPosition(0, 0);
    framesDrawn = 1;
    logWindow->print("preInit() ENDS.");
}

void worldInit() {
    logWindow->print("worldInit() STARTS...");
    show = new Show();
    logWindow->print("worldInit() ENDS.");
    music->open("./vintra/Ostrel.mp3");
    music->setVolume(255);
    show->startClock();
}
