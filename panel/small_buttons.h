#pragma once

#include <QString>

class ColorButton;
class QWidget;

// The small buttons every condition group carries. Positions are in twips
// relative to the parent; the sizes are fixed for the whole window.

// A "说明" button C_teshu_sm(index), sitting on the top edge of its group.
ColorButton *make_help_button(QWidget *parent, int index, int leftTwips, int topTwips);
constexpr int HelpButtonWidth = 480, HelpButtonHeight = 255;

// A "清" button C_cls(index).
ColorButton *make_clear_button(QWidget *parent, int index, int leftTwips, int topTwips);
