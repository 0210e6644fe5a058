#pragma once

#include <QString>

struct ConditionRow;
struct Controls;
class QWidget;

// A box that shows only its hint selects it whole when it gets the focus, so
// the first key typed replaces the hint; until then the hint stays its text.
void select_hints_on_focus(QWidget *window);

// A tab whose panel holds a typed list shows its caption in bold, so a list
// behind another tab is not forgotten. Colours are left to the tab switch.
void mark_tabs_holding_lists(Controls &controls);

// How the sheet names a typed condition box: a box alone on its top panel
// by the panel's caption, boxes sharing one by their labels, the sum list
// by its label, the base set as 大底.
QString typed_box_caption(const ConditionRow &row);
