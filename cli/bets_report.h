#pragma once

#include "store/bets.h"

#include <QList>
#include <QString>

// What `vintora-shrink --bets` prints: one tab-separated line per bet, oldest
// issue first: the issue, the bets (注), the cost in 元, the drawn number or
// "-" before the draw, and "pending", "won" or "lost"; then "expected by
// chance\tE", the wins the drawn bets would have had on average with numbers
// picked at random (two decimals).
QString bets_report(const QList<StoredBet> &bets);
