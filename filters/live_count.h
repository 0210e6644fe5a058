#pragma once

#include "core/matrix.h"
#include "core/selections.h"
#include "filters/families.h"
#include "filters/family_marks.h"

#include <array>

// The number of survivors a shrink run would list, kept up to date while the
// player changes the sheet. The marks and the verdict are made as a run makes
// them, by the same code, so the count cannot drift from a full run; only
// what changed since the last count is marked again.
class LiveCount
{
public:
    // How many candidates a shrink run with these selections keeps.
    int count(const Selections &selections);

    // How many candidates each family marks on its own, as of the last
    // count; indexed like the family table.
    using FamilyCounts = std::array<int, kFamilyCount>;
    FamilyCounts familyCounts() const;

private:
    FamilyMarks m_marks;
    CandidateMatrix m_matrix;
};
