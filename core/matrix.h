#pragma once

#include <array>
#include <cstdint>

constexpr int kCandidateCount = 10000;
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

// Column c stands for the candidate c written with four digits (column 7 is 0007).
struct CandidateMatrix
{
    std::array<std::array<int16_t, kCandidateCount>, kMatrixRowCount> cells{};

    int16_t *row(int r) { return cells[r].data(); }
    const int16_t *row(int r) const { return cells[r].data(); }
    // Digit p (0 = thousands ... 3 = units) of candidate c.
    int digit(int p, int c) const { return cells[ThousandsRow + p][c]; }
};
