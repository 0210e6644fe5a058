#include "filters/live_count.h"

#include "core/shrink.h"

LiveCount::FamilyCounts LiveCount::familyCounts() const
{
    FamilyCounts counts{};
    for (const Family &family : families())
        counts[size_t(family.index())] = m_matrix.row(family.row).size();
    return counts;
}

int LiveCount::count(const Selections &selections)
{
    const int16_t baseSetActive = m_marks.mark(selections, m_matrix);
    apply_tolerance(m_matrix, selections.total, baseSetActive);
    return kCandidateCount - m_matrix.row(KillRow).size();
}
