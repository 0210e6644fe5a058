#pragma once

#include <QString>

struct Controls;
class QWidget;

// Indexes whose two-digit form stands here are never cleared by the full
// reset: the "全" buttons, the base boxes it empties itself, and the
// indexes no "清" button has.
inline const QString ClearSkipList = QStringLiteral("13.14.15.16.17.18.19.24.26.28.30");

// What the "清" or "全" button C_cls(index) does to its group.
void clear_panel(Controls &controls, int index);

// "清空条件": every condition back to its start, the tolerance boxes to "0",
// the set-operation boxes and the result list emptied.
void reset_all_conditions(QWidget *form, Controls &controls);
