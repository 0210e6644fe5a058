#pragma once

#include "core/sheet_layout.h"

// The regions of the window that hold no condition control, and the sizes of
// the small controls, in twips.
namespace Regions {
constexpr Region TabRow{60, 0, 14475, 405};
constexpr Region SetOperationPanel{60, 420, 5925, 2985};
// The free corner right of the base-set box: server status and link labels.
constexpr Region FeedLabels{10440, 7560, 1740, 1620};
constexpr Region DanPicture{60, 390, 13500, 7200};

constexpr int ClientWidth = 14535;
constexpr int ClientHeight = 9195;

// Sizes of the small controls.
constexpr int DigitButtonWidth = 300, DigitButtonHeight = 270;
constexpr int RatioButtonWidth = 510, RatioButtonHeight = 270;
constexpr int ClearButtonWidth = 375, ClearButtonHeight = 300;
}
