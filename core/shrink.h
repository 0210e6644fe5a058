#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "core/typed_box.h"

#include <QString>
#include <QStringList>
#include <memory>

// What one shrink run leaves behind until the next.
struct ShrinkState
{
    std::unique_ptr<CandidateMatrix> matrix;
    QString ResultText;         // listed numbers, ascending, single spaces
    int16_t BaseSetActive = 0;
};

// A listed result: its numbers joined by single spaces, and how many.
struct ResultList
{
    int count = 0;
    QString text;
};

// Lists the members of the set, ascending.
ResultList list_numbers(const CandidateSet &listed);

// The lines of a shown list of numbers (single spaces between them): four
// numbers per line, each followed by one space; only the last line may hold
// fewer. A line is made when it is shown, so a list of thousands of lines
// costs nothing until it is looked at.
int display_line_count(const QString &numbers);
QString display_line(const QString &numbers, int line);
QStringList display_lines(const QString &numbers);

// Four digits with leading zeros.
QString four_digits(int n);

void fill_candidate_matrix(ShrinkState &state);

// Marks the base row for every four-digit number of the base-set box and
// returns BaseSetActive.
int16_t read_base_set(QStringView boxText, CandidateSet &baseRow);

// The entries of the base-set box a run does not read as typed: all of
// them while the box names 号码, else every entry that is not four digits.
UnreadEntries unread_base_set(QStringView boxText, QStringView hint);

// Per candidate, the sum of rows 1-49: how many conditions it failed, as the
// total tolerance judges it.
using FailureCounts = std::array<int16_t, kCandidateCount>;
FailureCounts failure_counts(const CandidateMatrix &matrix);

// Writes the kill row: a candidate survives when the number of rows 1-49
// marking it lies in the total tolerance and, with a base set active, it is
// in the base set.
void apply_tolerance(CandidateMatrix &matrix, ToleranceRange total, int16_t baseSetActive);

// Survivors of the last run (row 0 = 0); sets ResultText.
ResultList collect_survivors(ShrinkState &state);

// Candidates eliminated by the last run (row 0 = 1); sets ResultText.
ResultList invert_result(ShrinkState &state);
