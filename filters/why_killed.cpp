#include "filters/why_killed.h"


#include <QStringList>
#include <bit>

std::optional<KillReason> why_killed(const CandidateMatrix &matrix, int number, int16_t baseSetActive,
                                     ToleranceRange total)
{
    if (number < 0 || number >= kCandidateCount || !matrix.row(KillRow).contains(number))
        return std::nullopt;
    KillReason reason;
    reason.families = families_marking(matrix, number);
    reason.marks = std::popcount(unsigned(reason.families));
    reason.outsideTolerance = !total.contains(reason.marks);
    reason.outsideBase = baseSetActive == 1 && !matrix.row(BaseRow).contains(number);
    return reason;
}

QString why_killed_line(int number, const KillReason &reason, ToleranceRange total)
{
    const QStringList names = family_names(reason.families);
    const QString marked = names.isEmpty()
        ? QStringLiteral("无条件标记")
        : QStringLiteral("%1标记（共%2项）").arg(names.join(u'、')).arg(reason.marks);
    QStringList excluded;
    if (reason.outsideTolerance)
        excluded.append(QStringLiteral("总容错%1至%2排除").arg(total.from).arg(total.to));
    if (reason.outsideBase)
        excluded.append(QStringLiteral("不在大底中"));
    return QStringLiteral("%1 被淘汰：%2；%3")
        .arg(number, 4, 10, QChar(u'0'))
        .arg(marked, excluded.join(u'，'));
}
