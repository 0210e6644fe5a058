#include "filters/efficiency.h"

#include "core/condition_table.h"
#include "filters/families.h"
#include "filters/member_sets.h"

#include <limits>

namespace {
// The family's name, and the row's label where the family's members stand
// in several rows (the positions of 定位杀, the three ratios).
QString groupOf(const ConditionRow &row)
{
    const QString family = family_of(row.family).displayName();
    int namingRows = 0;
    for (const ConditionRow *other : family_rows(row.family))
        namingRows += other->memberSet == MemberSet::None ? 0 : 1;
    return namingRows > 1 && row.label ? family + u'·' + QString::fromUtf16(row.label) : family;
}
}

double MemberEfficiency::ratio() const
{
    const double chanceKills = expected();
    return chanceKills > 0 ? killed / chanceKills : std::numeric_limits<double>::quiet_NaN();
}

QList<MemberEfficiency> member_efficiency(std::span<const int> draws)
{
    QList<MemberEfficiency> rows;
    for (const ConditionRow &row : condition_rows()) {
        if (row.memberSet == MemberSet::None)
            continue;
        const QString group = groupOf(row);
        const QStringList &names = member_names(row);
        for (qsizetype k = 0; k < names.size(); ++k) {
            const CandidateSet &kills = member_sets(names[k])->killsAlone;
            const int killCount = kills.size();
            if (killCount == 0)
                continue;
            int killed = 0;
            for (const int n : draws)
                killed += kills.contains(n) ? 1 : 0;
            const int drawCount = int(draws.size());
            rows.append({names[k], member_captions(row)[k], group, killCount, killed,
                         chance_figures(kCandidateCount - killCount, drawCount, drawCount - killed)});
        }
    }
    return rows;
}
