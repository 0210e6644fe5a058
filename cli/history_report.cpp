#include "cli/history_report.h"

#include "core/shrink.h"
#include "filters/backtest.h"

namespace {
// The families that mark a draw, by name and in row order; "-" for none.
QString familiesField(FamilySet families)
{
    const QStringList names = family_names(families);
    return names.isEmpty() ? QStringLiteral("-") : names.join(u',');
}
}

QString unread_lines_report(const QString &fileName, const DrawHistory &history)
{
    QString lines;
    for (const MalformedLine &line : history.malformed)
        lines += QStringLiteral("%1:%2: 无法识别：%3\n").arg(fileName, QString::number(line.line), line.excerpt);
    return lines;
}

HistoryReport history_report(const QString &fileName, const DrawHistory &history, const CandidateMatrix &matrix)
{
    HistoryReport report;
    report.problems = unread_lines_report(fileName, history);

    QList<int> numbers;
    numbers.reserve(history.draws.size());
    for (const Draw &draw : history.draws)
        numbers.append(draw.number);
    const QList<BacktestRow> rows = backtest(matrix, numbers);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString &issue = history.draws[i].issue;
        report.lines += (issue.isEmpty() ? QStringLiteral("-") : issue) + u'\t' + four_digits(rows[i].number) + u'\t'
                        + (rows[i].kept ? QStringLiteral("kept") : QStringLiteral("killed")) + u'\t'
                        + QString::number(rows[i].failedConditions) + u'\t' + familiesField(rows[i].markedBy) + u'\n';
    }
    const BacktestSummary summary = summarize_backtest(rows);
    report.lines += QStringLiteral("kept %1 of %2\n").arg(summary.kept).arg(summary.draws);
    return report;
}
