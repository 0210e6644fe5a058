#include "filters/backtest.h"

#include "filters/candidate_digits.h"
#include "filters/exclusions.h"

#include <algorithm>
#include <memory>

namespace {
// In matrix row order, from row 1.
constexpr const char16_t *kFamilyCaptions[kFamilyCount] = {
    u"输入杀号", u"定位杀", u"和跨胆", u"胆组", u"比例", u"特殊形态",
    u"大小形态", u"奇偶形态", u"质合形态", u"012路", u"特别排除", u"最小最大",
};

constexpr FamilySet familyBit(int row)
{
    return FamilySet(1u << (row - EnteredListRow));
}

// Per candidate, the failure count and the families marking it: every row is
// read once, in order, whatever the number of draws.
struct CandidateVerdicts
{
    std::array<int16_t, kCandidateCount> failures{};
    std::array<FamilySet, kCandidateCount> markedBy{};
};

std::unique_ptr<CandidateVerdicts> verdictsOf(const CandidateMatrix &matrix)
{
    auto v = std::make_unique<CandidateVerdicts>();
    for (int r = EnteredListRow; r <= LastSummedRow; ++r) {
        const int16_t *marks = matrix.row(r);
        for (int c = 0; c < kCandidateCount; ++c)
            v->failures[c] = int16_t(v->failures[c] + marks[c]);
    }
    for (int r = EnteredListRow; r <= MinMaxRow; ++r) {
        const int16_t *marks = matrix.row(r);
        const FamilySet bit = familyBit(r);
        for (int c = 0; c < kCandidateCount; ++c)
            v->markedBy[c] = FamilySet(v->markedBy[c] | (marks[c] != 0 ? bit : 0));
    }
    return v;
}
}

QStringView family_caption(int row)
{
    return kFamilyCaptions[row - EnteredListRow];
}

FamilySet active_families(const CandidateMatrix &matrix)
{
    FamilySet active = 0;
    for (int r = EnteredListRow; r <= MinMaxRow; ++r) {
        const int16_t *marks = matrix.row(r);
        if (std::any_of(marks, marks + kCandidateCount, [](int16_t m) { return m != 0; }))
            active |= familyBit(r);
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
