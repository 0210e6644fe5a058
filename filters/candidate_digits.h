#pragma once

#include "core/matrix.h"

#include <array>
#include <cstddef>
#include <cstdint>

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
    // Index into `multisets` of the candidate's digits without their order.
    std::array<uint16_t, kCandidateCount> multiset;
    // Every distinct multiset of four digits, digits ascending.
    std::array<std::array<uint8_t, 4>, kMultisetCount> multisets;
};

const CandidateDigits &candidate_digits();

// Marks `row` for every candidate c with rejected[keys[c]]. A candidate that
// is already marked stays marked, so families sharing a row count once.
template<typename Key, typename Flag, std::size_t N>
void mark_rejected(CandidateMatrix &matrix, MatrixRow row,
                   const std::array<Key, kCandidateCount> &keys, const std::array<Flag, N> &rejected)
{
    int16_t *marks = matrix.row(row);
    for (int c = 0; c < kCandidateCount; ++c)
        marks[c] = int16_t(marks[c] | int16_t(rejected[keys[c]] ? 1 : 0));
}
