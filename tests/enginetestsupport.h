#pragma once

#include "core/matrix.h"
#include "reference_rules.h"

#include <QString>
#include <array>
#include <functional>

// Helpers for engine tests: counts of a family's marks or of a row of the
// matrix, and the comparison of marks with a brute-force reference on the
// four digits.

inline int markedCount(const CandidateSet &marks)
{
    return marks.size();
}

inline int markedCount(const CandidateMatrix &m, int row)
{
    int count = 0;
    for (int c = 0; c < kCandidateCount; ++c)
        count += m.cell(row, c);
    return count;
}

inline bool isMarked(const CandidateSet &marks, int candidate)
{
    return marks.contains(candidate);
}

inline int countWhere(const std::function<bool(const Digits &)> &holds)
{
    int count = 0;
    for (int n = 0; n < kCandidateCount; ++n)
        count += holds(digitsOf(n)) ? 1 : 0;
    return count;
}

// Empty when the marks hold exactly the candidates the reference rejects;
// else the first difference.
inline QString differenceFromReference(const CandidateSet &marks, const std::function<bool(const Digits &)> &rejects)
{
    for (int c = 0; c < kCandidateCount; ++c) {
        const bool expected = rejects(digitsOf(c));
        if (marks.contains(c) != expected)
            return QStringLiteral("candidate %1: %2 instead of %3")
                .arg(c, 4, 10, QLatin1Char('0')).arg(marks.contains(c)).arg(expected);
    }
    return {};
}

#define COMPARE_WITH_REFERENCE(marks, rejects) \
    QCOMPARE(differenceFromReference(marks, rejects), QString())
