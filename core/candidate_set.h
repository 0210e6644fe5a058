#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

// The straight numbers 0000-9999.
constexpr int kCandidateCount = 10000;

// A set of a hundred candidates that share their thousands and hundreds
// digits: bit t stands for the tens and units digits t.
struct TrailingPairs
{
    uint64_t low = 0;   // t = 0-63
    uint64_t high = 0;  // t = 64-99

    void insert(int t) { (t < 64 ? low : high) |= uint64_t(1) << (t % 64); }

    // Adds the pairs of the tens digit and every units digit d of the set
    // `units` (bit d).
    void insertUnits(int tens, unsigned units)
    {
        const int shift = 10 * tens;
        if (shift >= 64) {
            high |= uint64_t(units) << (shift - 64);
            return;
        }
        low |= uint64_t(units) << shift;
        if (shift > 64 - 10)
            high |= uint64_t(units) >> (64 - shift);
    }

    TrailingPairs &operator|=(const TrailingPairs &other)
    {
        low |= other.low;
        high |= other.high;
        return *this;
    }
};

// A set of candidates 0-9999, one bit each: what a family marks, what a
// member of the sheet names, what a run keeps. Bit c of the set is bit
// c % 64 of word c / 64; the bits past 9999 of the last word stay 0.
struct CandidateSet
{
    static constexpr int kWords = (kCandidateCount + 63) / 64;
    std::array<uint64_t, kWords> words{};

    // The bits of word w that stand for candidates.
    static constexpr uint64_t candidateBits(int w)
    {
        const int used = std::min(64, kCandidateCount - 64 * w);
        return used == 64 ? ~uint64_t(0) : (uint64_t(1) << used) - 1;
    }

    bool contains(int c) const { return (words[c / 64] >> (c % 64)) & 1; }
    void insert(int c) { words[c / 64] |= uint64_t(1) << (c % 64); }

    // Adds 100 * leading + t for every bit t of `trailing`: the candidates
    // whose thousands and hundreds digits read `leading`.
    void insertHundred(int leading, const TrailingPairs &trailing)
    {
        insertWord(100 * leading, trailing.low);
        insertWord(100 * leading + 64, trailing.high);
    }

    bool empty() const
    {
        return std::all_of(words.begin(), words.end(), [](uint64_t word) { return word == 0; });
    }

    int size() const
    {
        int count = 0;
        for (uint64_t word : words)
            count += std::popcount(word);
        return count;
    }

    // Calls each(c) for every member c, ascending.
    template<typename Each>
    void forEach(Each each) const
    {
        for (int w = 0; w < kWords; ++w) {
            for (uint64_t word = words[w]; word != 0; word &= word - 1)
                each(64 * w + std::countr_zero(word));
        }
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

    CandidateSet &operator&=(const CandidateSet &other)
    {
        for (int w = 0; w < kWords; ++w)
            words[w] &= other.words[w];
        return *this;
    }

    friend CandidateSet operator|(CandidateSet a, const CandidateSet &b) { return a |= b; }
    friend CandidateSet operator&(CandidateSet a, const CandidateSet &b) { return a &= b; }

    bool operator==(const CandidateSet &) const = default;

private:
    // Adds first + b for every bit b of `bits`; no bit may stand past 9999.
    void insertWord(int first, uint64_t bits)
    {
        const int w = first / 64;
        const int shift = first % 64;
        words[w] |= bits << shift;
        if (shift != 0 && w + 1 < kWords)
            words[w + 1] |= bits >> (64 - shift);
    }
};

// The candidates that lie in at least `low` and at most `high` of the sets,
// counted side by side in bit planes. At most 15 sets.
CandidateSet counted_between(std::span<const CandidateSet> sets, int low, int high);
