#pragma once

#include "core/matrix.h"
#include "reference_rules.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

// Helpers for engine tests: a fresh zeroed matrix, counts of a row, and the
// comparison of a row with a brute-force reference on the four digits.

inline std::unique_ptr<CandidateMatrix> emptyMatrix()
{
    return std::make_unique<CandidateMatrix>();
}

inline int markedCount(const CandidateMatrix &m, int row)
{
    int count = 0;
    for (int c = 0; c < kCandidateCount; ++c)
        count += m.cells[row][c];
    return count;
}

inline bool isMarked(const CandidateMatrix &m, int row, int candidate)
{
    return m.cells[row][candidate] == 1;
}

inline int countWhere(const std::function<bool(const Digits &)> &holds)
{
    int count = 0;
    for (int n = 0; n < kCandidateCount; ++n)
        count += holds(digitsOf(n)) ? 1 : 0;
    return count;
}

// Empty when `row` holds exactly 1 where the reference rejects and 0
// elsewhere, and every other row is still 0; else the first difference.
inline QString differenceFromReference(const CandidateMatrix &m, int row,
                                       const std::function<bool(const Digits &)> &rejects)
{
    for (int r = 0; r < kMatrixRowCount; ++r) {
        for (int c = 0; c < kCandidateCount; ++c) {
            const int expected = r == row && rejects(digitsOf(c)) ? 1 : 0;
            if (m.cells[r][c] != expected)
                return QStringLiteral("row %1, candidate %2: %3 instead of %4")
                    .arg(r).arg(c, 4, 10, QLatin1Char('0')).arg(m.cells[r][c]).arg(expected);
        }
    }
    return {};
}

#define COMPARE_WITH_REFERENCE(matrix, row, rejects) \
    QCOMPARE(differenceFromReference(matrix, row, rejects), QString())
