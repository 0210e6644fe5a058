#include "filters/omission.h"

#include "core/condition_table.h"
#include "filters/candidate_digits.h"
#include "filters/member_sets.h"

#include <algorithm>

void OmissionTally::add(bool hit)
{
    if (!hit) {
        addMisses(1);
        return;
    }
    ++m_draws;
    ++m_hits;
    m_run = 0;
    m_longestStreak = std::max(m_longestStreak, ++m_streak);
}

void OmissionTally::addMisses(int count)
{
    if (count <= 0)
        return;
    m_draws += count;
    m_streak = 0;
    m_run += count;
    m_longestRun = std::max(m_longestRun, m_run);
}

int OmissionTally::averageOmissionTenths() const
{
    const int runs = m_hits + 1;
    return (20 * (m_draws - m_hits) + runs) / (2 * runs);
}

QString OmissionTally::averageOmission() const
{
    const int tenths = averageOmissionTenths();
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

OmissionTally tally_omission(std::span<const int> numbers, const CandidateSet &property)
{
    // Most properties miss far more often than they hit: the misses between
    // two hits are told at once.
    OmissionTally tally;
    int misses = 0;
    for (const int number : numbers) {
        if (property.contains(number)) {
            tally.addMisses(misses);
            tally.add(true);
            misses = 0;
        } else {
            ++misses;
        }
    }
    tally.addMisses(misses);
    return tally;
}

int digit_sum(int number)
{
    const auto &digits = candidate_digits().digits[number];
    return digits[0] + digits[1] + digits[2] + digits[3];
}

int digit_span(int number)
{
    const auto &digits = candidate_digits().digits[number];
    const auto [low, high] = std::minmax_element(digits.begin(), digits.end());
    return *high - *low;
}

namespace {
// The numbers for which `value` gives each of `count` values.
template<typename Value>
QList<CandidateSet> setsByValue(int count, Value value)
{
    QList<CandidateSet> sets(count);
    for (int c = 0; c < kCandidateCount; ++c)
        sets[value(c)].insert(c);
    return sets;
}

QList<DrawProperty> buildProperties()
{
    const auto &digits = candidate_digits().digits;
    QList<DrawProperty> properties;
    auto addAll = [&properties](const QString &prefix, const QList<CandidateSet> &sets) {
        for (qsizetype value = 0; value < sets.size(); ++value)
            properties.append({prefix + QString::number(value), sets[value]});
    };
    for (int position = 0; position < 4; ++position) {
        addAll(QStringLiteral("pos%1=").arg(position + 1),
               setsByValue(10, [&](int c) { return digits[c][position]; }));
    }
    addAll(QStringLiteral("sum="), setsByValue(37, digit_sum));
    addAll(QStringLiteral("span="), setsByValue(10, digit_span));
    for (const QString &member : members_naming_sets())
        properties.append({member, member_sets(member)->named});
    return properties;
}
}

const QList<DrawProperty> &draw_properties()
{
    static const QList<DrawProperty> properties = buildProperties();
    return properties;
}

const DrawProperty &digit_property(int position, int digit)
{
    return draw_properties()[10 * position + digit];
}

QString position_name(int position)
{
    return QString::fromUtf16(condition_row(u"Check_hewei_sha1", 10 * position)->label);
}
