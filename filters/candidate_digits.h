#pragma once

#include "core/candidate_set.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Four digits without their order: C(10 + 4 - 1, 4) multisets.
constexpr int kMultisetCount = 715;

// Digit facts of every candidate that several condition families test. They
// never change, so they are worked out once and looked up in every run.
struct CandidateDigits
{
    // The candidate's digits, thousands first.
    std::array<std::array<uint8_t, 4>, kCandidateCount> digits;
    // Bit d is set when digit d occurs in the candidate.
    std::array<uint16_t, kCandidateCount> mask;
    // Every distinct multiset of four digits, digits ascending.
    std::array<std::array<uint8_t, 4>, kMultisetCount> multisets;
    // The candidates grouped by the multiset of their digits: those of
    // multisets[m] are byMultiset[multisetStart[m]] up to, not including,
    // byMultiset[multisetStart[m + 1]].
    std::array<uint16_t, kCandidateCount> byMultiset;
    std::array<uint16_t, kMultisetCount + 1> multisetStart;
};

const CandidateDigits &candidate_digits();

// The candidates of each value of a key that takes few values (a digit sum,
// a pattern): a family rejecting some values marks the union of their sets.
using CandidatesByKey = std::vector<CandidateSet>;

template<typename Key>
CandidatesByKey candidates_by_key(const std::array<Key, kCandidateCount> &keys, std::size_t keyCount)
{
    CandidatesByKey byKey(keyCount);
    for (int c = 0; c < kCandidateCount; ++c)
        byKey[keys[c]].insert(c);
    return byKey;
}

// Marks every candidate whose key k is rejected (rejected[k]).
void mark_rejected(CandidateSet &marks, const CandidatesByKey &byKey, std::span<const bool> rejected);

// Marks every candidate whose digits form a rejected multiset (rejected[m]
// for multisets[m]), reading the candidates of whichever are fewer: those of
// the rejected multisets or those of the rest.
void mark_rejected_multisets(CandidateSet &marks, const std::array<bool, kMultisetCount> &rejected);

// Marks every candidate c with rejected[keys[c]], for keys with too many
// values to keep a set for each. A candidate that is
// already marked stays marked, so families sharing a row count once.
template<typename Key, typename Flag, std::size_t N>
void mark_rejected(CandidateSet &marks, const std::array<Key, kCandidateCount> &keys,
                   const std::array<Flag, N> &rejected)
{
    for (int w = 0; w < CandidateSet::kWords; ++w) {
        const int first = 64 * w;
        const int count = std::min(64, kCandidateCount - first);
        uint64_t word = 0;
        for (int b = 0; b < count; ++b)
            word |= uint64_t(rejected[keys[first + b]] ? 1 : 0) << b;
        marks.words[w] |= word;
    }
}
