#include "cli/members_report.h"

#include "filters/member_sets.h"

QString members_report()
{
    QString report;
    for (const QString &name : members_naming_sets()) {
        const MemberSets *sets = member_sets(name);
        report += QStringLiteral("%1\t%2\t%3\n").arg(name).arg(sets->named.size()).arg(sets->killsAlone.size());
    }
    return report;
}
