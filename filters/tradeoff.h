#pragma once

#include "core/matrix.h"
#include "filters/chance.h"

#include <QList>
#include <span>

// The tolerance trade-off: the same conditions under the total tolerance
// 0 to t, for t = 0, 1, 2, ..., each beside chance. Every figure comes from
// the failure counts of one run's matrix; nothing runs again per tolerance.
struct TradeoffRow
{
    int tolerance = 0;      // t: the total tolerance from 0 to t
    ChanceFigures chance;   // numbers kept, draws kept, and what chance keeps
};

// Rows from t = 0 up to the first t that keeps every number the base set
// lets through; at least the row of t = 0. `draws` are numbers 0-9999.
QList<TradeoffRow> tolerance_tradeoff(const CandidateMatrix &matrix, int16_t baseSetActive,
                                      std::span<const int> draws);
