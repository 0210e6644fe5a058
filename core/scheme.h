#pragma once

#include "core/sheet_record.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A condition scheme (方案): the sheet as a small JSON text the player keeps,
// edits and swaps. Keys are sorted and lists follow the sheet, so that two
// schemes compare line by line:
//   {"format": "vintora-scheme", "version": 1, "name": "...",
//    "selected": [...], "checked": [...], "texts": {...}, "tolerances": {...}}
// A box left out of "texts" or "tolerances" holds its reset text; so does a
// box the scheme gives nothing but its hint, which is never written.

// A file larger than this is no scheme: a full sheet takes a few hundred
// kilobytes even with every list box filled.
constexpr qsizetype kMaxSchemeBytes = 8 * 1024 * 1024;

struct SchemeReading
{
    std::optional<SheetRecord> record;  // the sheet, when the text is a scheme
    QString problem;                    // otherwise what is wrong, one line
};

// The scheme text of a sheet: only what differs from the reset sheet.
QByteArray write_scheme(const SheetRecord &record);

// Reads and checks a whole scheme text before anything uses it; a record it
// returns names every condition control.
SchemeReading read_scheme(const QByteArray &bytes);

// Reads a scheme file; a problem names the file.
SchemeReading read_scheme_file(const QString &path);
