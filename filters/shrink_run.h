#pragma once

#include "core/selections.h"
#include "core/shrink.h"
#include "filters/family_marks.h"

// Refills the matrix and runs every condition family, the base set and the
// total tolerance, in the order a shrink run needs. It sits above the
// families, which know nothing of one another. A window that runs again and
// again keeps its family marks, so that only what changed is marked anew.
void run_shrink(const Selections &selections, ShrinkState &state, FamilyMarks &marks, const ProgressStep &step = {});

// A run marking everything afresh.
void run_shrink(const Selections &selections, ShrinkState &state, const ProgressStep &step = {});
