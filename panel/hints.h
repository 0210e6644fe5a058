#pragma once

#include <QString>

// Hints the typed boxes start with. None holds a digit or "*", and the
// conditions recognise the others by "号码" and "例如", so a box still
// showing its hint takes no part in a run.
namespace Hints {
inline const QString StraightListNotice = QStringLiteral("号码之间用空格、逗号或换行隔开，双击清空");
inline const QString DoubleClickToClear = QStringLiteral("双击清空");
inline const QString SumValues = QStringLiteral("和值输入要保持2位数，例如：00 05 08 16");
inline const QString BaseSet = QStringLiteral("大底号码，双击清空");
}
