#pragma once

#include "core/matrix.h"
#include "filters/exclusions.h"
#include "filters/families.h"

#include <QList>
#include <array>
#include <span>

// Back-testing reads the matrix of one shrink run: every past draw is a
// column of it, so the conditions run once, not once per draw.

// The families that mark at least one candidate.
FamilySet active_families(const CandidateMatrix &matrix);

struct BacktestRow
{
    int number = 0;
    bool kept = false;          // the run keeps it (kill row 0)
    int failedConditions = 0;   // the sum of rows 1-49 the total tolerance judges
    FamilySet markedBy = 0;     // the families that mark it
};

// One row per number (0-9999), in the given order.
QList<BacktestRow> backtest(const CandidateMatrix &matrix, std::span<const int> numbers);

struct BacktestSummary
{
    int draws = 0;
    int kept = 0;
    std::array<int, kFamilyCount> markedBy{};   // per family, like the family table: the draws it marks
};

BacktestSummary summarize_backtest(std::span<const BacktestRow> rows);

// What a run keeps, counted by digit sum, span and repetition shape.
struct SurvivorDistribution
{
    int survivors = 0;
    std::array<int, 37> sums{};
    std::array<int, 10> spans{};
    std::array<int, kRepetitionShapeCount> shapes{};   // indexed as repetition_caption()
};

SurvivorDistribution survivor_distribution(const CandidateMatrix &matrix);
