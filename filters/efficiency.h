#pragma once

#include "core/matrix.h"
#include "filters/chance.h"

#include <QList>
#include <QString>
#include <span>

// What each condition of the sheet costs: for every member that kills
// numbers on its own, how many past draws a sheet holding only that member
// would have killed, beside what chance kills with as many numbers.
struct MemberEfficiency
{
    QString name;       // the object name, "C_bi(5)"
    QString caption;    // its caption on the sheet, "3:1"
    QString group;      // its family, and the row within it where the family has several: "比例·奇偶比"
    int kills = 0;      // the numbers a sheet holding it alone does not keep
    int killed = 0;     // the draws among them
    // The sheet holding it alone beside chance: it keeps the other numbers
    // and the draws it did not kill.
    ChanceFigures chance;

    // The draws chance kills with as many numbers, on average.
    double expected() const { return chance.draws * double(kills) / kCandidateCount; }
    // killed / expected; NaN without draws.
    double ratio() const;
};

// One row per member that kills something alone, in the order of the table
// of condition controls, over the draws given.
QList<MemberEfficiency> member_efficiency(std::span<const int> draws);
