// The one GL window: an SDL window with a compatibility-profile context (double buffer,
// 8 alpha bits, 16 depth bits or more, 8 stencil bits). Key events arrive as Windows
// virtual-key codes; minimise, restore, close and resize arrive as window messages. Sizes
// are the drawable's, in pixels (HiDPI included). Fullscreen covers the desktop of the
// window's monitor without a mode change, unless the old display-mode switch is asked for.
#pragma once

#include <string>

struct SDL_Window;

namespace platform {

struct WindowEvent {
    enum class Kind { Activate, Close, KeyDown, KeyUp, Size };
    Kind kind;
    bool minimised = false;  // Activate
    int key = 0;             // KeyDown, KeyUp: virtual-key code
    int width = 0;           // Size: the drawable, in pixels
    int height = 0;
};

class Window {
public:
    struct Options {
        std::string title;
        int width = 800;
        int height = 600;
        bool fullscreen = false;
        bool modeSwitch = false;  // fullscreen by switching the display to width × height
        bool offscreen = false;   // no display: an offscreen EGL context
        // Wait for the display's refresh on swap (adaptive where the driver offers it).
        bool verticalSync = false;
        bool gles = false;  // an OpenGL ES 3.0 context instead of a compatibility one
        // A multisampled framebuffer with this many samples a pixel (0: none), where the
        // driver offers one; without it the window goes without.
        int samples = 0;
        // False: a software rasteriser, where each sample costs the processor its fill,
        // gets a window without samples.
        bool samplesInSoftware = true;
        int x = 200;
        int y = 100;
    };

    enum class Error { None, NoVideo, ModeRefused, WindowCreation, Context, MakeCurrent };

    ~Window();

    // Initialises video once. Offscreen when `offscreen` or when there is no display.
    static bool initVideo(bool offscreen, std::string& error);
    static bool hasDisplay();

    // Whether the display can switch to width × height exactly.
    static bool displayModeAvailable(int width, int height);
    // Tests: a display that lists every mode but refuses to switch to any.
    static void simulateUnswitchableModes(bool on);

    Error create(const Options& options, std::string& detail);
    void destroy();
    bool isOpen() const { return window_ != nullptr; }

    void swap();
    // Tests with two windows: draw into this one's context from now on.
    void makeCurrent();
    bool poll(WindowEvent& event);
    void focus();
    void setTitle(const std::string& title);
    // The window's size in pixels, which on a HiDPI screen is more than its size in points.
    void drawableSize(int& width, int& height) const;

    // Why the window has fewer samples than asked for, or "" when it has them all (or was
    // asked for none on a software rasteriser).
    const std::string& samplesNote() const { return samplesNote_; }
    // Whether the context draws in software (llvmpipe, softpipe, SwiftShader).
    bool drawsInSoftware() const;

    int depthBits() const;
    int stencilBits() const;
    int alphaBits() const;

private:
    bool switchDisplayMode(int width, int height, std::string& detail);
    Error open(const Options& options, std::string& detail);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool fullscreen_ = false;
    std::string samplesNote_;
};

// Procedure lookup for the GL extension loader.
void* glProcAddress(const char* name);

}  // namespace platform
