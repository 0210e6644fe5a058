#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "core/typed_box.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
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

// Lists every n of 0-9999 for which isListed(n) holds, ascending.
ResultList list_numbers(const std::function<bool(int)> &isListed);

// The lines of a shown list: four numbers per line, each followed by one
// space; only the last line may hold fewer.
QStringList display_lines(const QString &numbers);

// Four digits with leading zeros.
QString four_digits(int n);

void fill_candidate_matrix(ShrinkState &state);

// Marks row 50 for every four-digit number of the base-set box and returns
// BaseSetActive.
int16_t read_base_set(QStringView boxText, CandidateMatrix &matrix);

// The entries of the base-set box a run does not read as typed: all of
// them while the box names 号码, else every entry that is not four digits.
UnreadEntries unread_base_set(QStringView boxText, QStringView hint);

// Per candidate, the sum of rows 1-49: how many conditions it failed, as the
// total tolerance judges it. Rows no family writes are summed all the same.
using FailureCounts = std::array<int16_t, kCandidateCount>;
FailureCounts failure_counts(const CandidateMatrix &matrix);

void apply_tolerance(CandidateMatrix &matrix, ToleranceRange total, int16_t baseSetActive);

// Survivors of the last run (row 0 = 0); sets ResultText.
ResultList collect_survivors(ShrinkState &state);

// Candidates eliminated by the last run (row 0 = 1); sets ResultText.
ResultList invert_result(ShrinkState &state);
