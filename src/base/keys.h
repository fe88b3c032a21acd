// The key-state table and the Windows virtual-key codes the show's key tables use. The
// shell's window fills the table; the main loop and the authoring keys read it and clear
// an entry to consume a press.
#pragma once

#include <cstdint>

// 1 while the key with that virtual-key code is down.
extern uint8_t keys[256];

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
