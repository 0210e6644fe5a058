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

// One tab-separated line per draw, in the file's order: the issue number or
// "-", the four digits, "kept" or "killed", the number of failed conditions,
// the names of the families that mark it joined by commas or "-"; then
// "kept K of N", and last "by chance\tE\tLO-HI\tP": the draws chance keeps
// with as many numbers on average (two decimals), the range it keeps 95% of
// the time, and the chance of keeping K or more (four decimals). Each
// malformed line is named as "FILE:LINE: ...".
HistoryReport history_report(const QString &fileName, const DrawHistory &history, const CandidateMatrix &matrix);

// Each malformed line of a draw file, as "FILE:LINE: ...", a line each.
QString malformed_lines_report(const QString &fileName, const DrawHistory &history);
