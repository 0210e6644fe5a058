#pragma once

#include <QSize>

class QWidget;

// Sizes a top-level window to `wanted`, or smaller where its screen's
// available area has less room for the window and its frame, and moves it
// wholly into that area. The frame is known once the window is shown.
void fit_into_screen(QWidget *window, const QSize &wanted);
