#pragma once

#include "core/candidate_set.h"

#include <QList>
#include <QString>
#include <span>

// How a property of the drawn number fared over a window of draws, told
// the draws oldest first. A draw hits when its number has the property.
// Every omission figure the program shows or prints is read from one of
// these, so the trend chart, the sheet and the command line count alike.
class OmissionTally
{
public:
    // The next draw, newer than every draw before it.
    void add(bool hit);
    // The next `count` draws, none of which hits.
    void addMisses(int count);

    int draws() const { return m_draws; }
    // 出现次数: the draws that hit.
    int hits() const { return m_hits; }
    // 当前遗漏: the draws since the newest hit; every draw when none hits.
    int current() const { return m_run; }
    // 最大遗漏: the longest run of draws without a hit, the runs before the
    // first hit and after the last included.
    int longestOmission() const { return m_longestRun; }
    // 最大连出: the longest run of hits one after another.
    int longestStreak() const { return m_longestStreak; }
    // 平均遗漏: the mean length of the hits + 1 runs without a hit,
    // (draws - hits) / (hits + 1), in tenths, halves rounded up.
    int averageOmissionTenths() const;
    // The same with one decimal: "2.5".
    QString averageOmission() const;

private:
    int m_draws = 0;
    int m_hits = 0;
    int m_run = 0;              // draws since the newest hit
    int m_longestRun = 0;
    int m_streak = 0;           // hits up to the newest draw
    int m_longestStreak = 0;
};

// The tally of one property over the numbers drawn, oldest first.
OmissionTally tally_omission(std::span<const int> numbers, const CandidateSet &property);

// The digit sum of a number (0-36), and its span: the largest digit less
// the smallest (0-9).
int digit_sum(int number);
int digit_span(int number);

// A property of the drawn number that the statistics follow.
struct DrawProperty
{
    QString name;               // "pos1=3", "sum=12", "span=0" or a member's object name
    CandidateSet numbers;       // the numbers that have it
};

// pos1=D ... pos4=D (thousands ... units), sum=S (0-36), span=S (0-9), then
// every member of the sheet that names a set, by object name, in table order.
const QList<DrawProperty> &draw_properties();

// A position (0 thousands ... 3 units) as the sheet's rows name it: "千位".
QString position_name(int position);

// The property "digit at position" (0 thousands ... 3 units), which leads
// the list at 10 * position + digit.
const DrawProperty &digit_property(int position, int digit);
