#pragma once

#include <QString>
#include <cstdint>

class ColorButton;
class QWidget;

// The two colour operations every toggle click and every clear goes through.

// mode 1 sets color_1, mode 2 sets color_2, mode 3 toggles between them (a
// button showing neither becomes color_1); any other mode does nothing.
void paint_toggle(ColorButton *button, uint8_t mode, int color_1, int color_2);

// Colours every ColorButton of form named name(i), first <= i <= last.
void paint_members(QWidget *form, const QString &name, int16_t first, int16_t last, int colour);
