#include "cli/stats_report.h"

#include "filters/omission.h"

QString stats_report(std::span<const int> numbers)
{
    QString report;
    for (const DrawProperty &property : draw_properties()) {
        const OmissionTally tally = tally_omission(numbers, property.numbers);
        report += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                      .arg(property.name)
                      .arg(tally.hits())
                      .arg(tally.current())
                      .arg(tally.longestOmission())
                      .arg(tally.averageOmission())
                      .arg(tally.longestStreak());
    }
    return report;
}
