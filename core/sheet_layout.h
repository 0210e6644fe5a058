#pragma once

#include <QRect>
#include <QString>

// Plain layout values of the condition sheet, known to the engine so that one
// table can say where each condition control stands.

// Positions are planned in twips, 15 to a pixel.
constexpr int px(int twips) { return (twips + 7) / 15; }

constexpr QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Members of a control array are named like "C_bi(17)".
inline QString arrayName(const char *family, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(family)).arg(index);
}

// A region of the sheet, in twips from the top left of the window's client
// area, which the regions fill: 14535 x 9195.
struct Region
{
    int left, top, width, height;
    constexpr QRect rect() const { return twipRect(left, top, width, height); }
};

// The regions that hold condition controls.
namespace Regions {
// The five entry panels lie stacked at left 20, top 180 inside this strip,
// which starts under the tab row's buttons and ends above the positional kill.
constexpr Region TopPanels{60, 240, 5985, 1470};
constexpr Region TopPanelFrame{TopPanels.left + 20, TopPanels.top + 180, 5925, 1290};
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
}
