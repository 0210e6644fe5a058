#pragma once

// Colours are numbers laid out as 0x00BBGGRR and compared as whole numbers;
// a toggle button's colour is the only record of its selection.
namespace Colour {
constexpr int Grey = 14737632;        // 224, 224, 224: unselected
constexpr int Green = 65280;          // 0, 255, 0: selected ratio, dan, count, min/max
constexpr int Yellow = 65535;         // 255, 255, 0: selected shape, pattern, exclusion
constexpr int LightGreen = 8454016;   // 128, 255, 128: active tab, normal action colour
constexpr int LightYellow = 8454143;  // 255, 255, 128: the reset action
constexpr int Red = 255;              // 255, 0, 0: an inverted result
constexpr int HelpBlue = 16315102;    // 222, 242, 248: help buttons

constexpr int bgr(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }
}
