#include "filters/tradeoff.h"

#include "core/shrink.h"

#include <algorithm>
#include <array>

QList<TradeoffRow> tolerance_tradeoff(const CandidateMatrix &matrix, int16_t baseSetActive,
                                      std::span<const int> draws)
{
    // How many numbers, and how many draws, fail exactly f conditions;
    // a number outside the base set is never kept and counts nowhere.
    constexpr int kMostFailures = LastSummedRow - EnteredListRow + 1;
    std::array<int, kMostFailures + 1> numbersAt{};
    std::array<int, kMostFailures + 1> drawsAt{};
    const FailureCounts failures = failure_counts(matrix);
    const int16_t *base = matrix.row(BaseRow);
    const auto admitted = [&](int c) { return baseSetActive != 1 || base[c] != 0; };
    int most = 0;
    for (int c = 0; c < kCandidateCount; ++c) {
        if (!admitted(c))
            continue;
        // Each summed row holds 0 or 1.
        Q_ASSERT(failures[c] >= 0 && failures[c] <= kMostFailures);
        ++numbersAt[failures[c]];
        most = std::max<int>(most, failures[c]);
    }
    for (const int n : draws) {
        Q_ASSERT(n >= 0 && n < kCandidateCount);
        if (admitted(n))
            ++drawsAt[failures[n]];
    }

    QList<TradeoffRow> rows;
    int numbersKept = 0;
    int drawsKept = 0;
    for (int t = 0; t <= most; ++t) {
        numbersKept += numbersAt[t];
        drawsKept += drawsAt[t];
        rows.append({t, chance_figures(numbersKept, int(draws.size()), drawsKept)});
    }
    return rows;
}
