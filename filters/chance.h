#pragma once

#include "core/matrix.h"

#include <QString>

// How a back-test compares with picking numbers at random. Draws are
// independent and every number is equally likely, so the draws a set of
// numbers holds are a binomial count: X ~ Binomial(draws, share of the
// 10,000 numbers the set holds). The figures come from Boost.Math.

// The range chance gives 95% of the time: `low` is the smallest k with
// P(X <= k) >= 0.025, `high` the smallest k with P(X <= k) >= 0.975.
struct BinomialRange
{
    int low = 0;
    int high = 0;

    bool operator==(const BinomialRange &) const = default;
};

// For X ~ Binomial(trials, p), trials >= 0 and p in [0, 1].
BinomialRange binomial_range95(int trials, double p);

// P(X >= k): 1 for k <= 0, 0 for k > trials.
double binomial_at_least(int trials, double p, int k);

enum class ChanceVerdict { Better, Worse, NoDifference };

// A back-test beside chance: `kept` of `draws` draws fell among the
// `numbersKept` numbers of 10,000 the conditions keep.
struct ChanceFigures
{
    int numbersKept = 0;
    int draws = 0;
    int kept = 0;
    double share = 0;       // numbersKept / 10,000
    double expected = 0;    // draws kept by chance on average: draws x share
    BinomialRange range;
    double pValue = 1;      // P(X >= kept): keeping as many or more by chance
    // Better when kept > range.high, worse when kept < range.low.
    ChanceVerdict verdict = ChanceVerdict::NoDifference;
};

ChanceFigures chance_figures(int numbersKept, int draws, int kept);

// The same for a back-test on the matrix of one run: the numbers it keeps
// are those of kill row 0.
ChanceFigures chance_of_run(const CandidateMatrix &matrix, int draws, int kept);

// "明显优于随机", "明显差于随机" or "与随机选号无明显差别".
QString chance_verdict_text(ChanceVerdict verdict);

// The draws `numbers` of 10,000 numbers keep by chance on average among
// `draws`, with two decimals rounded half up from the exact figure: a
// double such as 5.085 may lie below its decimal and round down.
QString expected_draws_text(int draws, int numbers);

// A whole number over 10,000 with two decimals, rounded half up from the
// exact figure.
QString ten_thousandths_text(qint64 numerator);

// A p-value with four decimals; one too small for them is "<0.0001".
QString p_value_text(double p);

// The figures in one line of plain words, for the player.
QString chance_line(const ChanceFigures &figures);
