#pragma once

#include "core/candidate_set.h"

#include <QList>
#include <QString>
#include <optional>

// A bet the player placed on one issue, and what it won once the issue was
// drawn. A straight bet (直选) holds straight numbers; a group bet (组选)
// holds groups, each by its representative (digits ascending), and wins
// with any ordering of one of them.
enum class BetKind { Straight, Group };
enum class BetResult { Pending, Won, Lost };

struct Bet
{
    QString issue;
    BetKind kind = BetKind::Straight;
    CandidateSet numbers;
    int price = 0;              // 元 per bet, as it was when the bet was placed
    std::optional<int> drawn;   // the issue's draw, once it is known

    int count() const { return numbers.size(); }
    qint64 cost() const { return qint64(count()) * price; }
    BetResult result() const;
    // The straight numbers the bet wins with: a group covers each of its orderings.
    int covered() const;
};

// A straight bet wins when it holds the drawn number, a group bet when it
// holds the drawn number's group.
bool bet_wins(BetKind kind, const CandidateSet &numbers, int drawn);

// The distinct orderings of a number's digits: 24, 12, 6, 4 or 1.
int orderings(int n);

// The prize of one winning bet of each kind, in 元; none until the player
// sets it, and then no money is guessed.
struct PrizeAmounts
{
    std::optional<qint64> straight;
    std::optional<qint64> group;

    std::optional<qint64> of(BetKind kind) const { return kind == BetKind::Straight ? straight : group; }
};

// The prize a bet won: 0 when it lost; none while pending or when its
// kind's prize is not set.
std::optional<qint64> bet_prize(const Bet &bet, const PrizeAmounts &prizes);

// The record in figures, beside what the same bets would have won by chance.
// Only drawn bets count towards wins, prizes and chance: a pending bet has
// neither won nor lost yet. By chance a bet wins with probability
// covered / 10,000, so the expected wins are the covered numbers of the
// drawn bets over 10,000; each figure over 10,000 is kept exact as its
// numerator.
struct BetTotals
{
    int records = 0;                // bets placed, one per recorded list
    qint64 bets = 0;                // numbers (注) bought
    qint64 cost = 0;
    int drawn = 0;                  // records whose issue was drawn
    qint64 drawnCost = 0;
    int wins = 0;
    std::optional<qint64> prizes = 0;   // none when a winning bet's prize is not set
    qint64 expectedWins = 0;        // over 10,000
    std::optional<qint64> expectedPrizes = 0;   // 元 over 10,000; none when a drawn bet's prize is not set

    void add(const Bet &bet, const PrizeAmounts &amounts);
};

BetTotals bet_totals(const QList<Bet> &bets, const PrizeAmounts &prizes);

// "直选" or "组选".
QString bet_kind_text(BetKind kind);

// The player's words for a result, as the record and the status line show it.
QString bet_result_text(const Bet &bet);

// The line the window says once when the draw of a bet's issue arrives:
// "2026046 期投注：中直选".
QString bet_told_text(const Bet &bet);
