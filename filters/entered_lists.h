#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "core/typed_box.h"

#include <QString>
#include <QStringView>
#include <array>

// The seven typed lists of the top panels. All of them share one row, so a
// candidate rejected by several boxes still counts once.
void entered_list_filters(const EnteredListSelection &selection, CandidateMatrix &matrix);

// Each filter reads its own box's text; a box without a usable entry has no
// effect, except that a must-contain box holding digits but no entry of the
// right length rejects every candidate.
void kill_straight_list(QStringView boxText, CandidateMatrix &matrix);
void kill_compound_bets(QStringView boxText, CandidateMatrix &matrix);
void kill_two_code(QStringView boxText, CandidateMatrix &matrix);
void must_two_code(QStringView boxText, CandidateMatrix &matrix);
void kill_three_code(QStringView boxText, CandidateMatrix &matrix);
void must_three_code(QStringView boxText, CandidateMatrix &matrix);
void kill_position_patterns(QStringView boxText, CandidateMatrix &matrix);

// The filter of each box, T_ding(0) to (6): the order in which a run applies
// them, and the one place that pairs a box with its filter.
using EnteredListFilter = void (*)(QStringView boxText, CandidateMatrix &matrix);
extern const std::array<EnteredListFilter, kEnteredListBoxCount> kEnteredListFilters;

// What a run does not read of a box as typed, by the box's own rules: digit
// lists read entries of their length, the compound box whole lines of four
// fields, the positional box patterns up to the first token that is none.
UnreadEntries unread_compound_bets(QStringView boxText, QStringView hint);
UnreadEntries unread_position_patterns(QStringView boxText, QStringView hint);

// The same for each box, T_ding(0) to (6), beside kEnteredListFilters.
using UnreadInEnteredList = UnreadEntries (*)(QStringView boxText, QStringView hint);
extern const std::array<UnreadInEnteredList, kEnteredListBoxCount> kUnreadInEnteredLists;

// The positional box's text reduced to digits, "*" and spaces: every other
// character becomes a space, then five passes halve the runs of spaces (a run
// of up to 32 ends as one space, 33 to 64 as two), then the ends are trimmed.
QString clean_pattern_text(QStringView text);
