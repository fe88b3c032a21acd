// The window in the browser: the page's canvas with a WebGL 2 context (8 alpha bits, depth
// and stencil). It fills its place on the page at the screen's real pixel size (or the
// share of it the page asks for), or has exactly the size asked for when the page holds
// one still (?at=T&size=WxH). Keys
// arrive as DOM key codes, which for every key the show uses are the Windows virtual-key
// codes already.
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <deque>

#include "platform/window.h"

namespace platform {
namespace {

const char* const kCanvas = "#canvas";

std::deque<WindowEvent> pending;
bool fillsPage = false;
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;

// The keys a page passes on. Escape and F1 belong to the page (leaving and entering
// fullscreen), and so does Space (play and pause, as on a video page); Q and F5 would end
// the show and leave an empty page: the browser keeps those. F11 and F12 are a desktop
// browser's own, so T and U stand in for them.
int virtualKey(unsigned long code) {
    constexpr unsigned long kForF11 = 0x54, kForF12 = 0x55;  // T, U
    if (code == kForF11)
        return 0x7A;
    if (code == kForF12)
        return 0x7B;
    const bool letter = code >= 0x41 && code <= 0x5A && code != 0x51;
    const bool digit = code >= 0x30 && code <= 0x39;
    const bool keypad = code >= 0x60 && code <= 0x69;
    const bool function = code >= 0x71 && code <= 0x7B && code != 0x74;
    const bool arrow = code >= 0x25 && code <= 0x28;
    const bool other = code == 0x0D || code == 0x09 || code == 0x08;
    return letter || digit || keypad || function || arrow || other ? static_cast<int>(code) : 0;
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* key, void*) {
    const int code = virtualKey(key->keyCode);
    if (code == 0 || key->ctrlKey || key->altKey || key->metaKey)
        return EM_FALSE;
    WindowEvent event;
    event.kind =
        type == EMSCRIPTEN_EVENT_KEYDOWN ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp;
    event.key = code;
    pending.push_back(event);
    return EM_TRUE;  // F8, F11 and F12 are the show's, not the browser's
}

// The share of the device's pixels the page draws at (?scale=, or fewer when frames fall
// behind); the browser scales the canvas up to its place.
// clang-format off
EM_JS(double, pageScale, (), {
    const page = Module["tarvelPage"];
    const scale = page && page.scale ? page.scale() : 1;
    return scale > 0 && scale <= 1 ? scale : 1;
});
// clang-format on

// The canvas's size on the page in the pixels it is drawn at.
void pageSize(int& width, int& height) {
    double cssWidth = 0;
    double cssHeight = 0;
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio() * pageScale();
    width = std::max(16, static_cast<int>(std::lround(cssWidth * ratio)));
    height = std::max(16, static_cast<int>(std::lround(cssHeight * ratio)));
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
    if (!fillsPage)
        return EM_FALSE;
    int width = 0;
    int height = 0;
    pageSize(width, height);
    int oldWidth = 0;
    int oldHeight = 0;
    emscripten_get_canvas_element_size(kCanvas, &oldWidth, &oldHeight);
    if (width != oldWidth || height != oldHeight) {
        emscripten_set_canvas_element_size(kCanvas, width, height);
        WindowEvent event;
        event.kind = WindowEvent::Kind::Size;
        event.width = width;
        event.height = height;
        pending.push_back(event);
    }
    return EM_FALSE;
}

}  // namespace

bool Window::hasDisplay() {
    return true;
}

bool Window::initVideo(bool, std::string&) {
    return true;
}

void Window::simulateUnswitchableModes(bool) {}

bool Window::displayModeAvailable(int, int) {
    return false;
}

Window::~Window() {
    destroy();
}

Window::Error Window::create(const Options& options, std::string& detail) {
    destroy();
    fillsPage = !options.offscreen;
    if (fillsPage) {
        int width = 0;
        int height = 0;
        pageSize(width, height);
        emscripten_set_canvas_element_size(kCanvas, width, height);
    } else {
        // One frame of exactly this size, shown at one canvas pixel per screen pixel.
        emscripten_set_canvas_element_size(kCanvas, options.width, options.height);
        const double ratio = emscripten_get_device_pixel_ratio();
        emscripten_set_element_css_size(kCanvas, options.width / ratio, options.height / ratio);
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // Copies of the frame into RGBA textures need alpha in the frame; over the page's black,
    // premultiplied alpha shows the colours as they are.
    attributes.alpha = EM_TRUE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_TRUE;
    // The browser's own multisampling: it resolves the canvas before the page shows it.
    attributes.antialias = options.samples > 0 ? EM_TRUE : EM_FALSE;
    attributes.premultipliedAlpha = EM_TRUE;
    attributes.preserveDrawingBuffer = EM_FALSE;
    context = emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0) {
        detail = "this browser gives the page no WebGL 2 context";
        return Error::Context;
    }
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        emscripten_webgl_destroy_context(context);
        context = 0;
        detail = "the WebGL 2 context cannot be made current";
        return Error::MakeCurrent;
    }
    context_ = reinterpret_cast<void*>(context);
    fullscreen_ = options.fullscreen;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onResize);
    return Error::None;
}

bool Window::switchDisplayMode(int, int, std::string&) {
    return false;
}

void Window::destroy() {
    if (context_ == nullptr)
        return;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, nullptr);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    emscripten_webgl_destroy_context(context);
    context = 0;
    context_ = nullptr;
    pending.clear();
}

// The browser shows the frame when the animation callback returns.
void Window::swap() {}

void Window::focus() {}

void Window::setTitle(const std::string& title) {
    emscripten_set_window_title(title.c_str());
}

void Window::drawableSize(int& width, int& height) const {
    emscripten_get_canvas_element_size(kCanvas, &width, &height);
}

bool Window::poll(WindowEvent& event) {
    if (pending.empty())
        return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

// The page cannot tell: the browser names no renderer.
bool Window::drawsInSoftware() const {
    return false;
}

int Window::depthBits() const {
    return context_ ? 24 : 0;
}

int Window::stencilBits() const {
    return context_ ? 8 : 0;
}

int Window::alphaBits() const {
    return context_ ? 8 : 0;
}

void* glProcAddress(const char* name) {
    return emscripten_webgl_get_proc_address(name);
}

}  // namespace platform
