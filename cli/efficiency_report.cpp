#include "cli/efficiency_report.h"

#include "filters/efficiency.h"

QString efficiency_report(std::span<const int> draws)
{
    QString report;
    for (const MemberEfficiency &member : member_efficiency(draws))
        report += QStringLiteral("%1\t%2\t%3\t%4\n")
                      .arg(member.name)
                      .arg(member.kills)
                      .arg(member.killed)
                      .arg(expected_draws_text(member.chance.draws, member.kills));
    return report;
}
