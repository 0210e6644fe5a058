#include "filters/shrink_run.h"

#include "filters/families.h"

void run_shrink(const Selections &selections, ShrinkState &state, const ProgressStep &step)
{
    fill_candidate_matrix(state);
    CandidateMatrix &m = *state.matrix;
    for (const Family &family : families()) {
        family.mark(selections, m);
        // Half-way, after the big/small grid, the window repaints once.
        if (family.row == BigSmallRow && step)
            step(0.5);
    }
    state.BaseSetActive = read_base_set(selections.baseSetText, m);
    apply_tolerance(m, selections.total, state.BaseSetActive);
    if (step)
        step(0.8);
}
