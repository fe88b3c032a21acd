// The process-wide state of the shell: the key-state table, the window flags and the
// global objects created by preInit and worldInit. Nothing here is ever freed.
#pragma once

#include <cstdint>

class LogWindow;
class World;
class LoadingScreen;
class Camera;
class Music;
class Text;
class Light;
class Show;

// 1 while the key with that Windows virtual-key code is down; consumers clear an entry
// to consume a press.
extern uint8_t keys[256];

extern bool active;      // false while the window is minimised
extern bool fullscreen;  // chosen at start-up, toggled by F1
extern bool frozen;      // Space: no drawing, time runs on
extern int screenWidth;
extern int screenHeight;
extern int framesDrawn;

extern World* world;
extern LoadingScreen* loadingScreen;
extern Camera* camera;  // the current camera; camera cuts re-point it
extern Music* music;
extern Text* text;
extern Light* light;
extern Show* show;

// Windows virtual-key codes used by the show's key tables.
namespace vk {
constexpr int kReturn = 0x0D;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kNumpad0 = 0x60;
constexpr int kQ = 0x51;
constexpr int kF1 = 0x70;
constexpr int kF5 = 0x74;
constexpr int kF8 = 0x77;
constexpr int kF11 = 0x7A;
constexpr int kF12 = 0x7B;
}  // namespace vk
