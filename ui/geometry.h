#pragma once

#include <QRect>
#include <QString>

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
