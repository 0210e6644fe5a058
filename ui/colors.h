#pragma once

#include "core/colours.h"

#include <QColor>

namespace Colour {
inline QColor toQColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
}
