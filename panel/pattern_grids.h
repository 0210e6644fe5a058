#pragma once

class QWidget;
struct Controls;

// The four grids of position patterns (big/small, odd/even, prime/composite
// and mod-3 route), each in its frame with its "清".
void build_pattern_grids(QWidget *window, Controls &controls);
