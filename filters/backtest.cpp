#include "filters/backtest.h"

#include "core/shrink.h"
#include "filters/candidate_digits.h"
#include "filters/exclusions.h"

#include <algorithm>
#include <memory>

namespace {
// Per candidate, the failure count and the families marking it: every row is
// read once, in order, whatever the number of draws.
struct CandidateVerdicts
{
    FailureCounts failures;
    std::array<FamilySet, kCandidateCount> markedBy{};
};

std::unique_ptr<CandidateVerdicts> verdictsOf(const CandidateMatrix &matrix)
{
    auto v = std::make_unique<CandidateVerdicts>();
    v->failures = failure_counts(matrix);
    // Gathered in an array of its own, which no row of the matrix can
    // overlap, and by a product rather than a choice: so the loop vectorises.
    std::array<FamilySet, kCandidateCount> markedBy{};
    for (const Family &family : families()) {
        const int16_t *marks = matrix.row(family.row);
        const FamilySet bit = family_bit(family);
        for (int c = 0; c < kCandidateCount; ++c)
            markedBy[c] |= FamilySet(bit * (marks[c] != 0));
    }
    v->markedBy = markedBy;
    return v;
}
}

FamilySet active_families(const CandidateMatrix &matrix)
{
    FamilySet active = 0;
    for (const Family &family : families()) {
        const int16_t *marks = matrix.row(family.row);
        if (std::any_of(marks, marks + kCandidateCount, [](int16_t m) { return m != 0; }))
            active |= family_bit(family);
    }
    return active;
}

QList<BacktestRow> backtest(const CandidateMatrix &matrix, std::span<const int> numbers)
{
    const std::unique_ptr<CandidateVerdicts> verdicts = verdictsOf(matrix);
    const int16_t *kill = matrix.row(KillRow);
    QList<BacktestRow> rows;
    rows.reserve(qsizetype(numbers.size()));
    for (const int n : numbers) {
        Q_ASSERT(n >= 0 && n < kCandidateCount);
        rows.append({n, kill[n] == 0, verdicts->failures[n], verdicts->markedBy[n]});
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
    const int16_t *kill = matrix.row(KillRow);
    const CandidateDigits &cd = candidate_digits();
    for (int c = 0; c < kCandidateCount; ++c) {
        if (kill[c] != 0)
            continue;
        const auto &digits = cd.digits[c];
        const auto [smallest, largest] = std::minmax_element(digits.begin(), digits.end());
        ++d.survivors;
        ++d.sums[digits[0] + digits[1] + digits[2] + digits[3]];
        ++d.spans[*largest - *smallest];
        ++d.shapes[repetition_shape(c)];
    }
    return d;
}
