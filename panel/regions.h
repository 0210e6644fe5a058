#pragma once

#include "ui/geometry.h"

// The regions of the condition sheet, in twips from the top left of the
// window's client area, which they fill: 14535 x 9195.
struct Region
{
    int left, top, width, height;
    QRect rect() const { return twipRect(left, top, width, height); }
};

namespace Regions {
constexpr Region TabRow{60, 0, 14475, 405};
// The five entry panels lie stacked at left 20, top 180 inside this strip,
// which starts under the tab row's buttons and ends above the positional kill.
constexpr Region TopPanels{60, 240, 5985, 1470};
constexpr Region TopPanelFrame{TopPanels.left + 20, TopPanels.top + 180, 5925, 1290};
constexpr Region SetOperationPanel{60, 420, 5925, 2985};
constexpr Region PositionalKill{60, 1740, 5910, 1650};
constexpr Region SumSpan{60, 3450, 5910, 2010};
constexpr Region DanRows{60, 5490, 5925, 2055};
constexpr Region Ratios{60, 7560, 5925, 1035};
constexpr Region Shapes{60, 8610, 5925, 585};
constexpr Region BigSmallGrid{6030, 420, 2010, 3060};
constexpr Region OddEvenGrid{8100, 420, 2010, 3060};
constexpr Region PrimeCompositeGrid{10170, 420, 2010, 3060};
constexpr Region RouteGrid{6030, 3510, 6150, 3360};
constexpr Region SpecialExclusions{6030, 6900, 6135, 645};
constexpr Region MinMaxDigits{6030, 7560, 4395, 645};
constexpr Region BaseSetBox{6030, 8250, 4380, 945};
constexpr Region ResultColumn{12210, 420, 2325, 8355};
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
