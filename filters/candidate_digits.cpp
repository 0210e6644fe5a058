#include "filters/candidate_digits.h"

#include <QtGlobal>
#include <algorithm>

namespace {
CandidateDigits buildCandidateDigits()
{
    CandidateDigits table;
    std::array<int, kCandidateCount> multisetOfSortedNumber;
    multisetOfSortedNumber.fill(-1);
    std::array<uint16_t, kCandidateCount> multisetOf;
    int multisetsFound = 0;
    for (int c = 0; c < kCandidateCount; ++c) {
        std::array<uint8_t, 4> &d = table.digits[c];
        d = {uint8_t(c / 1000), uint8_t(c / 100 % 10), uint8_t(c / 10 % 10), uint8_t(c % 10)};
        table.mask[c] = uint16_t((1 << d[0]) | (1 << d[1]) | (1 << d[2]) | (1 << d[3]));

        std::array<uint8_t, 4> sorted = d;
        std::sort(sorted.begin(), sorted.end());
        const int sortedNumber = sorted[0] * 1000 + sorted[1] * 100 + sorted[2] * 10 + sorted[3];
        if (multisetOfSortedNumber[sortedNumber] < 0) {
            multisetOfSortedNumber[sortedNumber] = multisetsFound;
            table.multisets[multisetsFound++] = sorted;
        }
        multisetOf[c] = uint16_t(multisetOfSortedNumber[sortedNumber]);
    }
    Q_ASSERT(multisetsFound == kMultisetCount);

    // A counting sort of the candidates by multiset.
    table.multisetStart.fill(0);
    for (int c = 0; c < kCandidateCount; ++c)
        ++table.multisetStart[multisetOf[c] + 1];
    for (int m = 0; m < kMultisetCount; ++m)
        table.multisetStart[m + 1] = uint16_t(table.multisetStart[m + 1] + table.multisetStart[m]);
    std::array<uint16_t, kMultisetCount> filled = {};
    for (int c = 0; c < kCandidateCount; ++c) {
        const int m = multisetOf[c];
        table.byMultiset[table.multisetStart[m] + filled[m]++] = uint16_t(c);
    }
    return table;
}
}

const CandidateDigits &candidate_digits()
{
    static const CandidateDigits table = buildCandidateDigits();
    return table;
}

void mark_rejected_multisets(CandidateSet &marks, const std::array<bool, kMultisetCount> &rejected)
{
    const CandidateDigits &cd = candidate_digits();
    const auto size = [&cd](int m) { return cd.multisetStart[m + 1] - cd.multisetStart[m]; };
    int rejectedCandidates = 0;
    for (int m = 0; m < kMultisetCount; ++m)
        rejectedCandidates += rejected[m] ? size(m) : 0;
    const bool readRejected = 2 * rejectedCandidates <= kCandidateCount;
    CandidateSet read;
    for (int m = 0; m < kMultisetCount; ++m) {
        if (rejected[m] != readRejected)
            continue;
        for (int i = cd.multisetStart[m]; i < cd.multisetStart[m + 1]; ++i)
            read.insert(cd.byMultiset[i]);
    }
    marks |= readRejected ? read : read.complement();
}

void mark_rejected(CandidateSet &marks, const CandidatesByKey &byKey, std::span<const bool> rejected)
{
    Q_ASSERT(rejected.size() >= byKey.size());
    // Every candidate has one key, so the candidates of the rejected keys are
    // those of no accepted key: whichever are fewer sets are read.
    const auto rejectedKeys = std::size_t(std::count(rejected.begin(), rejected.begin() + byKey.size(), true));
    if (2 * rejectedKeys <= byKey.size()) {
        for (std::size_t key = 0; key < byKey.size(); ++key) {
            if (rejected[key])
                marks |= byKey[key];
        }
        return;
    }
    CandidateSet accepted;
    for (std::size_t key = 0; key < byKey.size(); ++key) {
        if (!rejected[key])
            accepted |= byKey[key];
    }
    marks |= accepted.complement();
}
