// Virtual-key codes, the numbering that the key-down and key-up messages carry in wParam.
#pragma once

namespace platform {

constexpr unsigned vkBack = 0x08;
constexpr unsigned vkTab = 0x09;
constexpr unsigned vkReturn = 0x0D;
constexpr unsigned vkShift = 0x10;
constexpr unsigned vkControl = 0x11;
constexpr unsigned vkMenu = 0x12;
constexpr unsigned vkPause = 0x13;
constexpr unsigned vkEscape = 0x1B;
constexpr unsigned vkSpace = 0x20;
constexpr unsigned vkLeft = 0x25;
constexpr unsigned vkUp = 0x26;
constexpr unsigned vkRight = 0x27;
constexpr unsigned vkDown = 0x28;
// '0' to '9' and 'A' to 'Z' are their own ASCII codes.
constexpr unsigned vkF1 = 0x70;  // F1 to F12 follow in order

}  // namespace platform
