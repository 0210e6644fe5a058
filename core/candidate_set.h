#pragma once

#include "core/matrix.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

// A set of candidates 0-9999, one bit each: what a family marks, what a
// member of the sheet names, what a count keeps. Bit c of the set is bit
// c % 64 of word c / 64; the bits past 9999 of the last word stay 0.
struct CandidateSet
{
    static constexpr int kWords = (kCandidateCount + 63) / 64;
    std::array<uint64_t, kWords> words{};

    // The candidates whose cell of the matrix row is not 0.
    static CandidateSet ofRow(const int16_t *row)
    {
        CandidateSet set;
        for (int c = 0; c < kCandidateCount; ++c)
            set.words[c / 64] |= uint64_t(row[c] != 0) << (c % 64);
        return set;
    }

    // The bits of word w that stand for candidates.
    static constexpr uint64_t candidateBits(int w)
    {
        const int used = std::min(64, kCandidateCount - 64 * w);
        return used == 64 ? ~uint64_t(0) : (uint64_t(1) << used) - 1;
    }

    bool contains(int c) const { return (words[c / 64] >> (c % 64)) & 1; }
    void insert(int c) { words[c / 64] |= uint64_t(1) << (c % 64); }

    int size() const
    {
        int count = 0;
        for (uint64_t word : words)
            count += std::popcount(word);
        return count;
    }

    CandidateSet complement() const
    {
        CandidateSet set;
        for (int w = 0; w < kWords; ++w)
            set.words[w] = ~words[w] & candidateBits(w);
        return set;
    }

    CandidateSet &operator|=(const CandidateSet &other)
    {
        for (int w = 0; w < kWords; ++w)
            words[w] |= other.words[w];
        return *this;
    }

    bool operator==(const CandidateSet &) const = default;
};
