#pragma once

#include <QPoint>

class ColorButton;
class QWidget;
struct Controls;

// The small buttons every condition group carries: C_cls clears its group
// ("清") or selects a whole row ("全"); C_teshu_sm opens the group's help.
// Both arrays are connected elsewhere, once each.

ColorButton *make_clear_button(QWidget *group, Controls &controls, int index, QPoint topLeft);

constexpr int HelpButtonWidth = 540, HelpButtonHeight = 270;    // twips; "胆码说明" is wider

// Sits on the top edge of its group.
ColorButton *make_help_button(QWidget *group, Controls &controls, int index, QPoint topLeft);
