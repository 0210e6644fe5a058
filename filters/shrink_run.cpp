#include "filters/shrink_run.h"

#include "filters/dan_groups.h"
#include "filters/digit_kills.h"
#include "filters/entered_lists.h"
#include "filters/exclusions.h"
#include "filters/patterns.h"

void run_shrink(const Selections &selections, ShrinkState &state, const ProgressStep &step)
{
    fill_candidate_matrix(state);
    CandidateMatrix &m = *state.matrix;
    entered_list_filters(selections.entered, m);
    filter_positional_kill(selections.positionalKill, m);
    filter_sum_span_group(selections.sumSpan, m);
    filter_dan_groups(selections.dan, m);
    filter_ratios(selections.ratios, m);
    filter_shapes(selections.shapes, m);
    filter_big_small_pattern(selections.patterns, m);
    if (step)
        step(0.5);
    filter_odd_even_pattern(selections.patterns, m);
    filter_prime_composite_pattern(selections.patterns, m);
    filter_route_pattern(selections.patterns, m);
    special_exclusions(selections.specialExclusions, m);
    min_max_digit_filter(selections.minMax, m);
    state.BaseSetActive = read_base_set(selections.baseSetText, m);
    apply_tolerance(m, selections.total, state.BaseSetActive);
    if (step)
        step(0.8);
}
