#include "filters/backtest.h"

#include "filters/candidate_digits.h"
#include "filters/exclusions.h"

#include <algorithm>
#include <bit>
#include <vector>

FamilySet active_families(const CandidateMatrix &matrix)
{
    FamilySet active = 0;
    for (const Family &family : families()) {
        if (!matrix.row(family.row).empty())
            active |= family_bit(family);
    }
    return active;
}

QList<BacktestRow> backtest(const CandidateMatrix &matrix, std::span<const int> numbers)
{
    // Every family's marks are read once, whatever the number of draws.
    std::vector<FamilySet> markedBy(kCandidateCount);
    for (const Family &family : families())
        matrix.row(family.row).forEach([&](int c) { markedBy[c] |= family_bit(family); });
    const CandidateSet &kill = matrix.row(KillRow);
    QList<BacktestRow> rows;
    rows.reserve(qsizetype(numbers.size()));
    for (const int n : numbers) {
        Q_ASSERT(n >= 0 && n < kCandidateCount);
        rows.append({n, !kill.contains(n), std::popcount(unsigned(markedBy[n])), markedBy[n]});
    }
    return rows;
}

BacktestSummary summarize_backtest(std::span<const BacktestRow> rows)
{
    BacktestSummary summary;
    summary.draws = int(rows.size());
    for (const BacktestRow &row : rows) {
        summary.kept += row.kept ? 1 : 0;
        for (int f = 0; f < kFamilyCount; ++f)
            summary.markedBy[f] += (row.markedBy >> f) & 1;
    }
    return summary;
}

SurvivorDistribution survivor_distribution(const CandidateMatrix &matrix)
{
    SurvivorDistribution d;
    const CandidateDigits &cd = candidate_digits();
    matrix.row(KillRow).complement().forEach([&](int c) {
        const auto &digits = cd.digits[c];
        const auto [smallest, largest] = std::minmax_element(digits.begin(), digits.end());
        ++d.survivors;
        ++d.sums[digits[0] + digits[1] + digits[2] + digits[3]];
        ++d.spans[*largest - *smallest];
        ++d.shapes[repetition_shape(c)];
    });
    return d;
}
