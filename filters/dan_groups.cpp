#include "filters/dan_groups.h"

#include "filters/candidate_digits.h"

#include <bit>
#include <vector>

namespace {
struct DanRule
{
    unsigned danDigits = 0;             // bit d: digit d is a dan digit of the row
    std::array<bool, 5> acceptedHits{}; // index = hit count 0 .. 4
};

unsigned digitsIn(const QString &text)
{
    unsigned mask = 0;
    for (QChar ch : text) {
        if (ch >= u'0' && ch <= u'9')
            mask |= 1u << (ch.unicode() - u'0');
    }
    return mask;
}

std::vector<DanRule> activeRows(const DanSelection &selection)
{
    std::vector<DanRule> rules;
    for (int r = 0; r < 4; ++r) {
        DanRule rule;
        rule.danDigits = digitsIn(selection.digits[r]);
        if (rule.danDigits == 0)
            continue;
        // A row without chosen counts asks for at least one hit.
        const QString accepted = selection.counts[r].isEmpty() ? QStringLiteral("1234") : selection.counts[r];
        for (int h = 0; h <= 4; ++h)
            rule.acceptedHits[h] = accepted.contains(QChar(u'0' + h));
        rules.push_back(rule);
    }
    return rules;
}

// Hits of one row: with repeats counted, every position holding a dan digit;
// otherwise every dan digit that occurs at all, once.
int hitsOf(const std::array<uint8_t, 4> &digits, unsigned danDigits, bool countRepeats)
{
    int hits = 0;
    unsigned present = 0;
    for (uint8_t d : digits) {
        present |= 1u << d;
        hits += (danDigits >> d) & 1u;
    }
    return countRepeats ? hits : std::popcount(present & danDigits);
}
}

void filter_dan_groups(const DanSelection &selection, CandidateSet &marks)
{
    const std::vector<DanRule> rows = activeRows(selection);
    if (rows.empty())
        return;

    // Hit counts depend only on which digits a candidate holds, not on their order.
    const CandidateDigits &cd = candidate_digits();
    std::array<bool, kMultisetCount> rejected{};
    for (int m = 0; m < kMultisetCount; ++m) {
        int wrongRows = 0;
        for (const DanRule &row : rows) {
            if (!row.acceptedHits[hitsOf(cd.multisets[m], row.danDigits, selection.countRepeats)])
                ++wrongRows;
        }
        rejected[m] = !selection.tolerance.contains(wrongRows);
    }
    mark_rejected_multisets(marks, rejected);
}
