#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "filters/families.h"

#include <QString>
#include <optional>

// Why a run left a number out, read from the matrix it left behind.
struct KillReason
{
    FamilySet families = 0;         // the families that marked it
    int marks = 0;                  // its marks as the total tolerance counts them
    bool outsideTolerance = false;
    bool outsideBase = false;
};

// Nothing when the run kept the number.
std::optional<KillReason> why_killed(const CandidateMatrix &matrix, int number, int16_t baseSetActive,
                                     ToleranceRange total);

// One line: the number, the families that marked it, and what excluded it.
QString why_killed_line(int number, const KillReason &reason, ToleranceRange total);
