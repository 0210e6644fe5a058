#pragma once

#include "core/history.h"
#include "core/matrix.h"

#include <QString>

// What `vintora-shrink --history` prints for one run's matrix.
struct HistoryReport
{
    QString lines;      // for standard output
    QString problems;   // for standard error
};

// The lines of the file that hold no draw, one "FILE:LINE: ..." each.
QString unread_lines_report(const QString &fileName, const DrawHistory &history);

// One tab-separated line per draw, in the file's order: the issue number or
// "-", the four digits, "kept" or "killed", the number of failed conditions,
// the names of the families that mark it joined by commas or "-"; then
// "kept K of N". Each malformed line is named as "FILE:LINE: ...".
HistoryReport history_report(const QString &fileName, const DrawHistory &history, const CandidateMatrix &matrix);
