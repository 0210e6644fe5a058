#pragma once

struct Controls;
class QWidget;

// The two toggle panels under the route grid.

// The special exclusions: consecutive runs and repetition shapes to exclude.
void build_special_exclusions(QWidget *window, Controls &c);

// The smallest-digit and largest-digit rows of C_max.
void build_min_max_digits(QWidget *window, Controls &c);
