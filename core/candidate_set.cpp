#include "core/candidate_set.h"

#include <QtGlobal>

CandidateSet counted_between(std::span<const CandidateSet> sets, int low, int high)
{
    constexpr int kPlanes = 4;
    Q_ASSERT(sets.size() < (1u << kPlanes));
    low = std::max(low, 0);
    high = std::min(high, int(sets.size()));
    CandidateSet between;
    if (low > high)
        return between;
    for (int w = 0; w < CandidateSet::kWords; ++w) {
        // Bit b of plane k is bit k of how many sets hold candidate 64 * w + b:
        // each set is added to the 64 counts at once, carrying plane to plane.
        uint64_t planes[kPlanes] = {};
        for (const CandidateSet &set : sets) {
            uint64_t carry = set.words[w];
            for (uint64_t &plane : planes) {
                const uint64_t next = plane & carry;
                plane ^= carry;
                carry = next;
            }
        }
        uint64_t kept = 0;
        for (int count = low; count <= high; ++count) {
            uint64_t equal = ~uint64_t(0);
            for (int k = 0; k < kPlanes; ++k)
                equal &= (count >> k & 1) ? planes[k] : ~planes[k];
            kept |= equal;
        }
        between.words[w] = kept & CandidateSet::candidateBits(w);
    }
    return between;
}
