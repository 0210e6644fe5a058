#include "filters/shrink_run.h"

void run_shrink(const Selections &selections, ShrinkState &state, FamilyMarks &marks, const ProgressStep &step)
{
    fill_candidate_matrix(state);
    CandidateMatrix &m = *state.matrix;
    state.BaseSetActive = marks.mark(selections, m, step);
    apply_tolerance(m, selections.total, state.BaseSetActive);
    if (step)
        step(0.8);
}

void run_shrink(const Selections &selections, ShrinkState &state, const ProgressStep &step)
{
    FamilyMarks fresh;
    run_shrink(selections, state, fresh, step);
}
