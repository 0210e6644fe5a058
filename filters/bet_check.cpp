#include "filters/bet_check.h"

#include "core/shrink.h"
#include "filters/groups.h"

#include <array>
#include <bit>

bool bet_wins(BetKind kind, const CandidateSet &numbers, int drawn)
{
    return numbers.contains(kind == BetKind::Straight ? drawn : group_of(drawn));
}

int orderings(int n)
{
    std::array<int, 10> repeats{};
    for (int i = 0; i < 4; ++i, n /= 10)
        ++repeats[n % 10];
    int shared = 1;   // 4! over the factorial of each digit's repeats
    for (int r : repeats) {
        for (int f = 2; f <= r; ++f)
            shared *= f;
    }
    return 24 / shared;
}

BetResult Bet::result() const
{
    if (!drawn)
        return BetResult::Pending;
    return bet_wins(kind, numbers, *drawn) ? BetResult::Won : BetResult::Lost;
}

int Bet::covered() const
{
    if (kind == BetKind::Straight)
        return count();
    int covered = 0;
    for (int w = 0; w < CandidateSet::kWords; ++w) {
        for (uint64_t bits = numbers.words[w]; bits != 0; bits &= bits - 1)
            covered += orderings(64 * w + std::countr_zero(bits));
    }
    return covered;
}

std::optional<qint64> bet_prize(const Bet &bet, const PrizeAmounts &prizes)
{
    switch (bet.result()) {
    case BetResult::Pending:
        return std::nullopt;
    case BetResult::Lost:
        return 0;
    case BetResult::Won:
        break;
    }
    return prizes.of(bet.kind);
}

void BetTotals::add(const Bet &bet, const PrizeAmounts &amounts)
{
    ++records;
    bets += bet.count();
    cost += bet.cost();
    if (bet.result() == BetResult::Pending)
        return;
    ++drawn;
    drawnCost += bet.cost();
    wins += bet.result() == BetResult::Won ? 1 : 0;
    const std::optional<qint64> prize = bet_prize(bet, amounts);
    prizes = prizes && prize ? std::optional(*prizes + *prize) : std::nullopt;
    const qint64 chances = bet.covered();
    expectedWins += chances;
    const std::optional<qint64> amount = amounts.of(bet.kind);
    expectedPrizes = expectedPrizes && amount ? std::optional(*expectedPrizes + chances * *amount) : std::nullopt;
}

BetTotals bet_totals(const QList<Bet> &bets, const PrizeAmounts &prizes)
{
    BetTotals totals;
    for (const Bet &bet : bets)
        totals.add(bet, prizes);
    return totals;
}

QString bet_kind_text(BetKind kind)
{
    return kind == BetKind::Straight ? QStringLiteral("直选") : QStringLiteral("组选");
}

QString bet_result_text(const Bet &bet)
{
    switch (bet.result()) {
    case BetResult::Pending:
        return QStringLiteral("等待开奖");
    case BetResult::Lost:
        return QStringLiteral("未中奖");
    case BetResult::Won:
        break;
    }
    return bet.kind == BetKind::Straight ? QStringLiteral("中直选") : QStringLiteral("中组选");
}

QString bet_told_text(const Bet &bet)
{
    QString text = QStringLiteral("%1 期投注：%2").arg(bet.issue, bet_result_text(bet));
    if (bet.result() == BetResult::Lost)
        text += QStringLiteral("（开奖号 %1）").arg(four_digits(*bet.drawn));
    return text;
}
