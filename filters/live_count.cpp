#include "filters/live_count.h"

#include "core/shrink.h"
#include "filters/dan_groups.h"
#include "filters/digit_kills.h"
#include "filters/entered_lists.h"
#include "filters/exclusions.h"
#include "filters/patterns.h"

#include <algorithm>
#include <bit>

namespace {
using Marks = LiveCount::Marks;

// A family of rows 2-12: the row it marks, whether its part of the
// selections differs between two sheets, and how to run it.
struct Family
{
    MatrixRow row;
    bool (*changed)(const Selections &was, const Selections &now);
    void (*run)(const Selections &selections, CandidateMatrix &matrix);
};

template<auto Part, auto Filter>
constexpr Family family(MatrixRow row)
{
    return {row, [](const Selections &was, const Selections &now) { return !(was.*Part == now.*Part); },
            [](const Selections &s, CandidateMatrix &m) { Filter(s.*Part, m); }};
}

// The pattern grids share one selection but each reads only its own list.
template<PatternGrid Grid, auto Filter>
constexpr Family gridFamily(MatrixRow row)
{
    return {row,
            [](const Selections &was, const Selections &now) {
                return was.patterns.lists[Grid] != now.patterns.lists[Grid];
            },
            [](const Selections &s, CandidateMatrix &m) { Filter(s.patterns, m); }};
}

constexpr Family kFamilies[] = {
    family<&Selections::positionalKill, filter_positional_kill>(PositionalKillRow),
    family<&Selections::sumSpan, filter_sum_span_group>(SumSpanRow),
    family<&Selections::dan, filter_dan_groups>(DanRow),
    family<&Selections::ratios, filter_ratios>(RatioRow),
    family<&Selections::shapes, filter_shapes>(ShapeRow),
    gridFamily<BigSmallGrid, filter_big_small_pattern>(BigSmallRow),
    gridFamily<OddEvenGrid, filter_odd_even_pattern>(OddEvenRow),
    gridFamily<PrimeCompositeGrid, filter_prime_composite_pattern>(PrimeCompositeRow),
    gridFamily<RouteGrid, filter_route_pattern>(RouteRow),
    family<&Selections::specialExclusions, special_exclusions>(SpecialExclusionRow),
    family<&Selections::minMax, min_max_digit_filter>(MinMaxRow),
};

// Pasted boxes run to megabytes; the window hands over the same text again
// while a box is untouched, which is then equal without reading it.
bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

Marks pack(const int16_t *row)
{
    Marks marks{};
    for (int c = 0; c < kCandidateCount; ++c)
        marks[c / 64] |= uint64_t(row[c] != 0) << (c % 64);
    return marks;
}

// The bits of a word that stand for candidates; the last word is partly unused.
uint64_t candidateBits(int word)
{
    const int used = std::min(64, kCandidateCount - 64 * word);
    return used == 64 ? ~uint64_t(0) : (uint64_t(1) << used) - 1;
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
LiveCount::Marks LiveCount::marksOf(MatrixRow row, Run run)
{
    int16_t *cells = m_scratch->row(row);
    std::fill(cells, cells + kCandidateCount, int16_t(0));
    run(*m_scratch);
    return pack(cells);
}

void LiveCount::updateEnteredLists(const EnteredListSelection &entered)
{
    bool anyChanged = false;
    for (size_t box = 0; box < kEnteredListBoxCount; ++box) {
        const QString &text = entered.boxes[box];
        if (m_seen && sameText(m_seen->entered.boxes[box], text))
            continue;
        m_boxMarks[box] = marksOf(EnteredListRow, [&](CandidateMatrix &m) { kEnteredListFilters[box](text, m); });
        anyChanged = true;
    }
    if (!anyChanged)
        return;
    // The boxes share one row: a candidate any box rejects is marked once.
    Marks &row = m_rowMarks[EnteredListRow - EnteredListRow];
    row = {};
    for (const Marks &box : m_boxMarks) {
        for (int w = 0; w < kWords; ++w)
            row[w] |= box[w];
    }
}

void LiveCount::updateFamilies(const Selections &selections)
{
    for (const Family &f : kFamilies) {
        if (m_seen && !f.changed(*m_seen, selections))
            continue;
        m_rowMarks[f.row - EnteredListRow] = marksOf(f.row, [&](CandidateMatrix &m) { f.run(selections, m); });
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
    // A candidate's failure count is how many of rows 1-12 mark it.
    const int low = std::max<int>(total.from, 0);
    const int high = std::min<int>(total.to, int(m_rowMarks.size()));
    if (low > high)
        return 0;
    int count = 0;
    for (int w = 0; w < kWords; ++w) {
        // The 64 candidates' counts side by side, as four bit planes.
        uint64_t planes[4] = {};
        for (const Marks &row : m_rowMarks) {
            uint64_t carry = row[w];
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
            kept &= m_base[w];
        count += std::popcount(kept & candidateBits(w));
    }
    return count;
}

LiveCount::FamilyCounts LiveCount::familyCounts() const
{
    FamilyCounts counts{};
    for (size_t f = 0; f < counts.size(); ++f) {
        for (int w = 0; w < kWords; ++w)
            counts[f] += std::popcount(m_rowMarks[f][w] & candidateBits(w));
    }
    return counts;
}

int LiveCount::count(const Selections &selections)
{
    updateEnteredLists(selections.entered);
    updateFamilies(selections);
    updateBaseSet(selections.baseSetText);
    m_seen = selections;
    return survivors(selections.total);
}
