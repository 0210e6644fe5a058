#pragma once

struct Controls;
class QWidget;

// The two toggle panels under the route grid.

// C_bi(150)-(158): consecutive runs and repetition shapes to exclude.
void build_special_exclusions(QWidget *window, Controls &c);

// C_max(0)-(8) smallest digit "0"-"8", C_max(9)-(17) largest digit "1"-"9".
void build_min_max_digits(QWidget *window, Controls &c);
