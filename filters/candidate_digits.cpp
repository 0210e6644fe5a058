#include "filters/candidate_digits.h"

#include <algorithm>

namespace {
CandidateDigits buildCandidateDigits()
{
    CandidateDigits table;
    std::array<int, kCandidateCount> multisetOfSortedNumber;
    multisetOfSortedNumber.fill(-1);
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
        table.multiset[c] = uint16_t(multisetOfSortedNumber[sortedNumber]);
    }
    return table;
}
}

const CandidateDigits &candidate_digits()
{
    static const CandidateDigits table = buildCandidateDigits();
    return table;
}
