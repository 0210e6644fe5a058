#pragma once

#include "core/candidate_set.h"

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <span>

constexpr int kMatrixRowCount = 61;

// Row numbers of the candidate matrix. Rows 1-12 hold one failure mark per
// condition family; 13-49 stay 0 but are still summed; 55-60 are unused.
enum MatrixRow : int {
    KillRow = 0,
    EnteredListRow = 1,
    PositionalKillRow = 2,
    SumSpanRow = 3,
    DanRow = 4,
    RatioRow = 5,
    ShapeRow = 6,
    BigSmallRow = 7,
    OddEvenRow = 8,
    PrimeCompositeRow = 9,
    RouteRow = 10,
    SpecialExclusionRow = 11,
    MinMaxRow = 12,
    LastSummedRow = 49,
    BaseRow = 50,
    ThousandsRow = 51,
    HundredsRow = 52,
    TensRow = 53,
    UnitsRow = 54,
};

// The condition families, one to a row from 1 to 12.
constexpr int kFamilyCount = MinMaxRow - EnteredListRow + 1;

// The candidate matrix of a run: a cell per row and candidate, column c
// standing for the candidate c written with four digits (column 7 is 0007).
// The cells of the kill row, the families' rows and the base row are 0 or 1,
// so each of those rows is held as the set of candidates whose cell is 1.
// The digit rows hold each candidate's own digits and every other row stays
// 0; neither needs storing.
struct CandidateMatrix
{
    std::array<CandidateSet, MinMaxRow + 1> markRows{};   // the kill row, then rows 1-12
    CandidateSet baseRow;

    CandidateSet &row(MatrixRow r) { return r == BaseRow ? baseRow : markRows[checkedMarkRow(r)]; }
    const CandidateSet &row(MatrixRow r) const { return r == BaseRow ? baseRow : markRows[checkedMarkRow(r)]; }

    // Rows 1-12, in row order.
    std::span<const CandidateSet, kFamilyCount> familyRows() const
    {
        return std::span(markRows).subspan<EnteredListRow, kFamilyCount>();
    }

    // Any cell of rows 0-60.
    int16_t cell(int r, int c) const
    {
        if (r >= KillRow && r <= MinMaxRow)
            return markRows[r].contains(c);
        if (r == BaseRow)
            return baseRow.contains(c);
        if (r >= ThousandsRow && r <= UnitsRow) {
            static constexpr int kPlace[] = {1000, 100, 10, 1};
            return int16_t(c / kPlace[r - ThousandsRow] % 10);
        }
        return 0;
    }

private:
    static int checkedMarkRow(MatrixRow r)
    {
        Q_ASSERT(r >= KillRow && r <= MinMaxRow);
        return r;
    }
};
