#pragma once

class QWidget;
struct Controls;

// The left column of digit conditions: positional kill, sum/span/kill-all/AC,
// dan rows, ratios and shapes, each at its region of the window.
void build_left_column(QWidget *window, Controls &controls);
