#pragma once

#include "core/selections.h"
#include "core/shrink.h"

#include <functional>

// Called between stages so the window can show progress and repaint.
using ProgressStep = std::function<void(double fraction)>;

// Refills the matrix and runs every condition family, the base set and the
// total tolerance, in the order a shrink run needs. It sits above the
// families, which know nothing of one another.
void run_shrink(const Selections &selections, ShrinkState &state, const ProgressStep &step = {});
