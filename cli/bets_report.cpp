#include "cli/bets_report.h"

#include "core/shrink.h"
#include "filters/chance.h"

namespace {
QString resultName(BetResult result)
{
    switch (result) {
    case BetResult::Pending:
        return QStringLiteral("pending");
    case BetResult::Won:
        return QStringLiteral("won");
    case BetResult::Lost:
        break;
    }
    return QStringLiteral("lost");
}
}

QString bets_report(const QList<StoredBet> &bets)
{
    QString report;
    BetTotals totals;
    for (const StoredBet &stored : bets) {
        const Bet &bet = stored.bet;
        totals.add(bet, {});
        report += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                      .arg(bet.issue)
                      .arg(bet.count())
                      .arg(bet.cost())
                      .arg(bet.drawn ? four_digits(*bet.drawn) : QStringLiteral("-"), resultName(bet.result()));
    }
    return report + QStringLiteral("expected by chance\t%1\n").arg(ten_thousandths_text(totals.expectedWins));
}
