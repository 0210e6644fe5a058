#pragma once

#include "core/colours.h"

#include <QColor>

namespace Colour {
inline QColor toQColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The small figures that stand on the sheet's controls, such as omission.
inline QColor noteColour()
{
    return QColor(0xb0, 0x00, 0x00);
}
}
