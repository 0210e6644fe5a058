#pragma once

#include "filters/bet_check.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A bet as the store keeps it: the bet, the scheme whose list it was (its
// JSON text) and when it was recorded.
struct StoredBet
{
    qint64 id = 0;
    Bet bet;
    QByteArray scheme;
    QDateTime recorded;     // in UTC
};

// What recording a bet did.
enum class BetRecording {
    Recorded,
    AlreadyDrawn,       // the issue's draw is stored: the bet comes too late
    AlreadyRecorded,    // the same list of the same kind for the same issue
    NotStored,          // the database refused; DrawStore::lastError() says why
};

// The issue proposed for the next bet: the one after the newest stored,
// counted on in the same year's run (2026045, 2026046), or the first of
// this year's run (2027001) once the newest is of an earlier year. Nothing
// when the newest holds other than digits, or ends its year's run
// (2026999): the player types the issue then.
QString next_issue(const QString &newest, int thisYear);
