#pragma once

#include <QPoint>

class ColorButton;
class QWidget;
struct Controls;

// The small buttons every condition group carries: C_cls clears its group
// ("清") or selects a whole row ("全"); C_teshu_sm opens the group's help.
// Both arrays are connected elsewhere, once each.

// The set-operation panel's two "清" buttons and the base boxes T_jj they
// empty; every other C_cls belongs to a row of the condition table.
struct SetOperationClear
{
    int button;
    int box;
};
constexpr SetOperationClear kSetOperationClears[] = {{24, 0}, {26, 1}};

ColorButton *make_clear_button(QWidget *group, Controls &controls, int index, QPoint topLeft);

constexpr int HelpButtonWidth = 540, HelpButtonHeight = 270;    // twips; "胆码说明" is wider

// Sits on the top edge of its group.
ColorButton *make_help_button(QWidget *group, Controls &controls, int index, QPoint topLeft);
