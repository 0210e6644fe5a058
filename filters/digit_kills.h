#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "core/typed_box.h"

// Positional kill grid: a candidate has a position wrong when its digit there
// is struck; the number of wrong positions must lie in the grid's own
// tolerance range. Writes the positional-kill row.
void filter_positional_kill(const PositionalKillSelection &selection, CandidateMatrix &matrix);

// Sum tail, sum value, span, kill-all digits and AC value, in that order. All
// five share one row, so the panel counts once against the total tolerance.
void filter_sum_span_group(const SumSpanSelection &selection, CandidateMatrix &matrix);

void filter_sum_tail(const SumSpanSelection &selection, CandidateMatrix &matrix);
void filter_sum_value(const SumSpanSelection &selection, CandidateMatrix &matrix);
// The entries of the sum box a run does not read as typed: all of them
// while the box holds its hint, else every entry that is not one sum of two
// digits, such as "5", "37" or "30-36".
UnreadEntries unread_sum_values(QStringView boxText, QStringView hint);

void filter_span(const SumSpanSelection &selection, CandidateMatrix &matrix);
void filter_kill_all_digits(const SumSpanSelection &selection, CandidateMatrix &matrix);
void filter_ac_value(const SumSpanSelection &selection, CandidateMatrix &matrix);
