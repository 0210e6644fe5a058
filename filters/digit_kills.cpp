#include "filters/digit_kills.h"

#include "core/text.h"
#include "filters/candidate_digits.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {
constexpr int kSumCount = 37;   // 0000 .. 9999 sum to 0 .. 36

struct DigitProperties
{
    std::array<uint8_t, kCandidateCount> sum;
    std::array<uint8_t, kCandidateCount> span;
    std::array<uint8_t, kCandidateCount> acValue;
};

// AC value: how many distinct values the six absolute differences between
// the four digits take, 0 counting like any other difference.
int acValueOf(const std::array<uint8_t, 4> &d)
{
    int seen = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j)
            seen |= 1 << std::abs(d[i] - d[j]);
    }
    return std::popcount(unsigned(seen));
}

const DigitProperties &digitProperties()
{
    static const DigitProperties table = [] {
        DigitProperties t;
        const CandidateDigits &cd = candidate_digits();
        for (int c = 0; c < kCandidateCount; ++c) {
            const std::array<uint8_t, 4> &d = cd.digits[c];
            t.sum[c] = uint8_t(d[0] + d[1] + d[2] + d[3]);
            const auto [low, high] = std::minmax_element(d.begin(), d.end());
            t.span[c] = uint8_t(*high - *low);
            t.acValue[c] = uint8_t(acValueOf(d));
        }
        return t;
    }();
    return table;
}

template<size_t N>
bool anySelected(const std::array<bool, N> &flags)
{
    return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; });
}

bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

// The box still holding (part of) its hint means no sum list.
bool holdsSumHint(QStringView text)
{
    return text.contains(u"例如");
}

// Sums are typed as two-digit texts and found by plain text search, so a sum
// is listed when its two digits stand side by side anywhere in the box:
// "123" lists 12 and 23, a lone "5" lists nothing. Cleaning the box to digits
// and single spaces never joins or splits two adjacent digits, so one scan of
// the raw text finds the same pairs.
std::array<bool, 100> adjacentDigitPairs(QStringView text)
{
    std::array<bool, 100> present{};
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (isAsciiDigit(text[i]) && isAsciiDigit(text[i + 1]))
            present[(text[i].unicode() - u'0') * 10 + (text[i + 1].unicode() - u'0')] = true;
    }
    return present;
}
}

void filter_positional_kill(const PositionalKillSelection &selection, CandidateMatrix &matrix)
{
    int struckPositions = 0;
    for (int p = 0; p < 4; ++p) {
        if (std::any_of(selection.struck.begin() + 10 * p, selection.struck.begin() + 10 * p + 10,
                        [](bool f) { return f; }))
            ++struckPositions;
    }
    if (struckPositions == 0)
        return;

    // Wrong positions among thousands/hundreds and among tens/units, per digit pair.
    std::array<uint8_t, 100> wrongInLeadingPair{};
    std::array<uint8_t, 100> wrongInTrailingPair{};
    for (int pair = 0; pair < 100; ++pair) {
        wrongInLeadingPair[pair] = uint8_t(selection.struck[pair / 10] + selection.struck[10 + pair % 10]);
        wrongInTrailingPair[pair] = uint8_t(selection.struck[20 + pair / 10] + selection.struck[30 + pair % 10]);
    }
    std::array<int16_t, 5> failsWithWrong{};
    for (int wrong = 0; wrong <= 4; ++wrong)
        failsWithWrong[wrong] = selection.tolerance.contains(wrong) ? 0 : 1;

    int16_t *marks = matrix.row(PositionalKillRow);
    for (int leading = 0; leading < 100; ++leading) {
        for (int trailing = 0; trailing < 100; ++trailing) {
            const int c = 100 * leading + trailing;
            marks[c] = int16_t(marks[c] | failsWithWrong[wrongInLeadingPair[leading] + wrongInTrailingPair[trailing]]);
        }
    }
}

void filter_sum_tail(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    if (!anySelected(selection.sumTails))
        return;
    std::array<bool, kSumCount> killed{};
    for (int sum = 0; sum < kSumCount; ++sum)
        killed[sum] = selection.sumTails[sum % 10];
    mark_rejected(matrix, SumSpanRow, digitProperties().sum, killed);
}

void filter_sum_value(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    const QStringView text = trim_spaces(selection.sumValueText);
    if (holdsSumHint(text))
        return;
    const std::array<bool, 100> listed = adjacentDigitPairs(text);
    std::array<bool, kSumCount> killed{};
    std::copy_n(listed.begin(), kSumCount, killed.begin());
    if (!anySelected(killed))
        return;
    mark_rejected(matrix, SumSpanRow, digitProperties().sum, killed);
}

UnreadEntries unread_sum_values(QStringView boxText, QStringView hint)
{
    // Every entry is unread while the hint is there; else an entry is read
    // when it is one sum of two digits.
    const bool off = holdsSumHint(boxText);
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&](QStringView entry) {
        const auto isSum = [](QStringView twoCharacters) {
            const std::array<bool, 100> listed = adjacentDigitPairs(twoCharacters);
            return std::find(listed.begin(), listed.begin() + kSumCount, true) != listed.begin() + kSumCount;
        };
        if (off || entry.size() != 2 || !isSum(entry))
            unread.add(entry);
    });
    return unread;
}

void filter_span(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    if (!anySelected(selection.spans))
        return;
    mark_rejected(matrix, SumSpanRow, digitProperties().span, selection.spans);
}

void filter_kill_all_digits(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    unsigned killedDigits = 0;
    for (int d = 0; d < 10; ++d) {
        if (selection.killAllDigits[d])
            killedDigits |= 1u << d;
    }
    if (killedDigits == 0)
        return;
    const std::array<uint16_t, kCandidateCount> &mask = candidate_digits().mask;
    int16_t *marks = matrix.row(SumSpanRow);
    for (int c = 0; c < kCandidateCount; ++c)
        marks[c] = int16_t(marks[c] | int16_t((mask[c] & killedDigits) != 0));
}

void filter_ac_value(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    if (!anySelected(selection.acValues))
        return;
    std::array<bool, 7> killed{};     // index = AC value 1 .. 6
    std::copy(selection.acValues.begin(), selection.acValues.end(), killed.begin() + 1);
    mark_rejected(matrix, SumSpanRow, digitProperties().acValue, killed);
}

void filter_sum_span_group(const SumSpanSelection &selection, CandidateMatrix &matrix)
{
    filter_sum_tail(selection, matrix);
    filter_sum_value(selection, matrix);
    filter_span(selection, matrix);
    filter_kill_all_digits(selection, matrix);
    filter_ac_value(selection, matrix);
}
