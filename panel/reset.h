#pragma once

struct Controls;
class QWidget;

// What the "清" or "全" button C_cls(index) does to its group.
void clear_panel(Controls &controls, int index);

// "清空条件": every condition back to its start, the tolerance boxes to "0",
// the set-operation boxes and the result list emptied.
void reset_all_conditions(QWidget *form, Controls &controls);
