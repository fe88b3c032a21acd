#include "platform/window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/process.h"

namespace platform {
namespace {

bool videoReady = false;
bool unswitchableModes = false;
SDL_Window* fullscreenWindow = nullptr;
int lastDisplay = 0;  // the monitor the last window was on, for the next one

// Letters and digits follow the keyboard layout, the keypad its physical keys.
int virtualKey(const SDL_Keysym& sym) {
    SDL_Keycode k = sym.sym;
    switch (sym.scancode) {
        case SDL_SCANCODE_KP_0:
            return 0x60;
        case SDL_SCANCODE_KP_1:
            return 0x61;
        case SDL_SCANCODE_KP_2:
            return 0x62;
        case SDL_SCANCODE_KP_3:
            return 0x63;
        case SDL_SCANCODE_KP_4:
            return 0x64;
        case SDL_SCANCODE_KP_5:
            return 0x65;
        case SDL_SCANCODE_KP_6:
            return 0x66;
        case SDL_SCANCODE_KP_7:
            return 0x67;
        case SDL_SCANCODE_KP_8:
            return 0x68;
        case SDL_SCANCODE_KP_9:
            return 0x69;
        case SDL_SCANCODE_KP_ENTER:
            return 0x0D;
        default:
            break;
    }
    if (k >= SDLK_a && k <= SDLK_z)
        return 0x41 + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9)
        return 0x30 + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return 0x70 + (k - SDLK_F1);
    switch (k) {
        case SDLK_LEFT:
            return 0x25;
        case SDLK_UP:
            return 0x26;
        case SDLK_RIGHT:
            return 0x27;
        case SDLK_DOWN:
            return 0x28;
        case SDLK_ESCAPE:
            return 0x1B;
        case SDLK_SPACE:
            return 0x20;
        case SDLK_RETURN:
            return 0x0D;
        case SDLK_TAB:
            return 0x09;
        case SDLK_BACKSPACE:
            return 0x08;
        default:
            return 0;
    }
}

struct Placement {
    Uint32 flags;
    int x;
    int y;
    int width;
    int height;
};

// A resizable window; fullscreen either over the whole desktop of the last window's monitor
// or, with the old mode switch, at the window's size on the first.
Placement placementFor(const Window::Options& options) {
    if (options.fullscreen && options.modeSwitch) {
        return {SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS, 0, 0,
                options.width, options.height};
    }
    if (!options.fullscreen) {
        return {SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI, options.x,
                options.y, options.width, options.height};
    }
    Placement at{SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS |
                     SDL_WINDOW_ALLOW_HIGHDPI,
                 0, 0, options.width, options.height};
    // Borderless over the whole monitor already, for a desktop without a window manager to
    // carry out the fullscreen request.
    SDL_Rect desktop{};
    const int display = std::clamp(lastDisplay, 0, std::max(SDL_GetNumVideoDisplays() - 1, 0));
    if (SDL_GetDisplayBounds(display, &desktop) == 0) {
        at = {at.flags, desktop.x, desktop.y, desktop.w, desktop.h};
    }
    return at;
}

void restoreDisplayMode() {
    if (fullscreenWindow) {
        SDL_SetWindowFullscreen(fullscreenWindow, 0);
        SDL_ShowCursor(SDL_ENABLE);
        fullscreenWindow = nullptr;
    }
}

}  // namespace

bool Window::hasDisplay() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

bool Window::initVideo(bool offscreen, std::string& error) {
    if (videoReady) {
        return true;
    }
    if (offscreen || !hasDisplay()) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    videoReady = true;
    addRestoreHook(restoreDisplayMode);
    return true;
}

void Window::simulateUnswitchableModes(bool on) {
    unswitchableModes = on;
}

bool Window::displayModeAvailable(int width, int height) {
    if (unswitchableModes)
        return true;
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest)) {
        return false;
    }
    return closest.w == width && closest.h == height;
}

Window::~Window() {
    destroy();
}

Window::Error Window::create(const Options& options, std::string& detail) {
    if (!initVideo(options.offscreen, detail)) {
        return Error::NoVideo;
    }
    samplesNote_.clear();
    Options plain = options;
    plain.samples = 0;
    // Where a software rasteriser goes without samples, a plain window finds out which one
    // draws, and stays if it is.
    if (options.samples > 0 && !options.samplesInSoftware) {
        const Error error = open(plain, detail);
        if (error != Error::None) {
            return error;
        }
        if (drawsInSoftware()) {
            SDL_ShowWindow(window_);
            focus();
            return Error::None;
        }
        destroy();
    }
    Error error = open(options, detail);
    const bool refused =
        error == Error::WindowCreation || error == Error::Context || error == Error::MakeCurrent;
    if (options.samples > 0 && refused) {
        samplesNote_ = "no window with " + std::to_string(options.samples) +
                       " samples a pixel here (" + detail + ")";
        error = open(plain, detail);
    }
    if (error != Error::None) {
        return error;
    }
    SDL_ShowWindow(window_);
    focus();
    return Error::None;
}

// The window stays hidden until its context is the one it keeps.
Window::Error Window::open(const Options& options, std::string& detail) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, options.gles
                                                         ? SDL_GL_CONTEXT_PROFILE_ES
                                                         : SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    // 2.1 is SDL's own default, which gives the driver's newest compatibility context.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, options.gles ? 3 : 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, options.gles ? 0 : 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, options.samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, options.samples);

    const Placement at = placementFor(options);
    window_ = SDL_CreateWindow(options.title.c_str(), at.x, at.y, at.width, at.height,
                               at.flags | SDL_WINDOW_HIDDEN);
    if (!window_) {
        detail = SDL_GetError();
        return Error::WindowCreation;
    }
    if (options.fullscreen) {
        fullscreenWindow = window_;
        fullscreen_ = true;
        if (options.modeSwitch && !switchDisplayMode(options.width, options.height, detail)) {
            destroy();
            return Error::ModeRefused;
        }
        SDL_ShowCursor(SDL_DISABLE);
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        detail = SDL_GetError();
        destroy();
        return Error::Context;
    }
    if (SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context_)) != 0) {
        detail = SDL_GetError();
        destroy();
        return Error::MakeCurrent;
    }
    // Adaptive sync (-1) tears a late frame instead of waiting a whole refresh for it.
    if (!options.verticalSync || SDL_GL_SetSwapInterval(-1) != 0) {
        SDL_GL_SetSwapInterval(options.verticalSync ? 1 : 0);
    }
    return Error::None;
}

bool Window::drawsInSoftware() const {
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kRenderer = 0x1F01;  // GL_RENDERER
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const auto* name =
        getString && context_ ? reinterpret_cast<const char*>(getString(kRenderer)) : nullptr;
    if (name == nullptr) {
        return false;
    }
    for (const char* software : {"llvmpipe", "softpipe", "SwiftShader", "Software Rasterizer"}) {
        if (std::strstr(name, software) != nullptr) {
            return true;
        }
    }
    return false;
}

bool Window::switchDisplayMode(int width, int height, std::string& detail) {
    SDL_DisplayMode mode{};
    mode.w = width;
    mode.h = height;
    if (unswitchableModes || SDL_SetWindowDisplayMode(window_, &mode) != 0 ||
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) {
        detail = unswitchableModes ? "mode change refused" : SDL_GetError();
        return false;
    }
    return true;
}

void Window::makeCurrent() {
    if (window_ && context_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context_));
    }
}

void Window::destroy() {
    if (window_) {
        lastDisplay = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    }
    if (fullscreen_) {
        restoreDisplayMode();
        fullscreen_ = false;
    }
    if (context_) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
}

void Window::swap() {
    SDL_GL_SwapWindow(window_);
}

void Window::focus() {
    if (window_) {
        SDL_RaiseWindow(window_);
    }
}

void Window::setTitle(const std::string& title) {
    SDL_SetWindowTitle(window_, title.c_str());
}

void Window::drawableSize(int& width, int& height) const {
    width = height = 0;
    if (window_) {
        SDL_GL_GetDrawableSize(window_, &width, &height);
    }
}

bool Window::poll(WindowEvent& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                event = {WindowEvent::Kind::Close};
                return true;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                int key = virtualKey(e.key.keysym);
                if (key == 0)
                    break;
                event = {e.type == SDL_KEYDOWN ? WindowEvent::Kind::KeyDown
                                               : WindowEvent::Kind::KeyUp};
                event.key = key;
                return true;
            }
            case SDL_WINDOWEVENT:
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_MINIMIZED:
                        event = {WindowEvent::Kind::Activate};
                        event.minimised = true;
                        return true;
                    case SDL_WINDOWEVENT_RESTORED:
                    case SDL_WINDOWEVENT_SHOWN:
                        event = {WindowEvent::Kind::Activate};
                        event.minimised = false;
                        return true;
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        // The event counts points; drawing wants pixels.
                        event = {WindowEvent::Kind::Size};
                        drawableSize(event.width, event.height);
                        return true;
                    case SDL_WINDOWEVENT_CLOSE:
                        event = {WindowEvent::Kind::Close};
                        return true;
                    default:
                        break;
                }
                break;
            default:
                break;
        }
    }
    return false;
}

int Window::depthBits() const {
    int value = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &value);
    return value;
}

int Window::stencilBits() const {
    int value = 0;
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &value);
    return value;
}

int Window::alphaBits() const {
    int value = 0;
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &value);
    return value;
}

void* glProcAddress(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

}  // namespace platform
