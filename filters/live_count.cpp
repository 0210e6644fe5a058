#include "filters/live_count.h"

#include "core/shrink.h"
#include "filters/entered_lists.h"

#include <algorithm>
#include <bit>

namespace {
// Pasted boxes run to megabytes; the window hands over the same text again
// while a box is untouched, which is then equal without reading it.
bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}
}

LiveCount::LiveCount()
{
    ShrinkState filled;
    fill_candidate_matrix(filled);
    m_scratch = std::move(filled.matrix);
}

LiveCount::~LiveCount() = default;

template<typename Run>
CandidateSet LiveCount::marksOf(MatrixRow row, Run run)
{
    int16_t *cells = m_scratch->row(row);
    std::fill(cells, cells + kCandidateCount, int16_t(0));
    run(*m_scratch);
    return CandidateSet::ofRow(cells);
}

CandidateSet LiveCount::enteredListMarks(const EnteredListSelection &entered)
{
    // The boxes share one row: a candidate any box rejects is marked once.
    CandidateSet marks;
    for (size_t box = 0; box < kEnteredListBoxCount; ++box) {
        const QString &text = entered.boxes[box];
        if (!m_seen || !sameText(m_seen->entered.boxes[box], text))
            m_boxMarks[box] = marksOf(EnteredListRow, [&](CandidateMatrix &m) { kEnteredListFilters[box](text, m); });
        marks |= m_boxMarks[box];
    }
    return marks;
}

void LiveCount::updateFamilies(const Selections &selections)
{
    for (const Family &family : families()) {
        if (m_seen && !family.changed(*m_seen, selections))
            continue;
        // A pasted list runs to megabytes: of the typed boxes, only the one
        // whose text changed is read again.
        m_familyMarks[size_t(family.index())] =
            family.row == EnteredListRow
                ? enteredListMarks(selections.entered)
                : marksOf(family.row, [&](CandidateMatrix &m) { family.mark(selections, m); });
    }
}

void LiveCount::updateBaseSet(const QString &baseSetText)
{
    if (m_seen && sameText(m_seen->baseSetText, baseSetText))
        return;
    int16_t active = 0;
    m_base = marksOf(BaseRow, [&](CandidateMatrix &m) { active = read_base_set(baseSetText, m); });
    m_baseActive = active == 1;
}

int LiveCount::survivors(ToleranceRange total) const
{
    // A candidate's failure count is how many families mark it.
    const int low = std::max<int>(total.from, 0);
    const int high = std::min<int>(total.to, kFamilyCount);
    if (low > high)
        return 0;
    int count = 0;
    for (int w = 0; w < CandidateSet::kWords; ++w) {
        // The 64 candidates' counts side by side, as four bit planes.
        uint64_t planes[4] = {};
        for (const CandidateSet &marks : m_familyMarks) {
            uint64_t carry = marks.words[w];
            for (uint64_t &plane : planes) {
                const uint64_t next = plane & carry;
                plane ^= carry;
                carry = next;
            }
        }
        uint64_t kept = 0;
        for (int v = low; v <= high; ++v) {
            uint64_t equal = ~uint64_t(0);
            for (int bit = 0; bit < 4; ++bit)
                equal &= (v >> bit & 1) ? planes[bit] : ~planes[bit];
            kept |= equal;
        }
        if (m_baseActive)
            kept &= m_base.words[w];
        count += std::popcount(kept & CandidateSet::candidateBits(w));
    }
    return count;
}

LiveCount::FamilyCounts LiveCount::familyCounts() const
{
    FamilyCounts counts{};
    for (size_t f = 0; f < counts.size(); ++f)
        counts[f] = m_familyMarks[f].size();
    return counts;
}

int LiveCount::count(const Selections &selections)
{
    updateFamilies(selections);
    updateBaseSet(selections.baseSetText);
    m_seen = selections;
    return survivors(selections.total);
}
