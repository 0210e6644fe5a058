#include "filters/exclusions.h"

#include "filters/candidate_digits.h"

#include <QString>
#include <algorithm>
#include <bit>

namespace {
// Button captions in button order; a class's index is its position here.
constexpr const char16_t *kRunCaptions[] = {u"不连", u"2连", u"3连", u"4连"};
constexpr const char16_t *kRepetitionCaptions[] = {u"AAAA", u"AAAB", u"AABC", u"AABB", u"ABCD"};
enum RunClass { NoRun, RunOfTwo, RunOfThree, RunOfFour };
enum Repetition { AAAA, AAAB, AABC, AABB, ABCD };
constexpr int kRunClassCount = int(std::size(kRunCaptions));
constexpr int kRepetitionCount = int(std::size(kRepetitionCaptions));
static_assert(kRepetitionCount == kRepetitionShapeCount);

// The distinct digits of a candidate, ascending: 1582 gives "1258", 0090 gives "09".
QString digitSetOf(unsigned mask)
{
    QString set;
    for (int d = 0; d < 10; ++d) {
        if (mask & (1u << d))
            set += QChar(u'0' + d);
    }
    return set;
}

bool containsAny(const QString &set, std::initializer_list<const char16_t *> runs)
{
    return std::any_of(runs.begin(), runs.end(), [&](const char16_t *run) { return set.contains(QStringView(run)); });
}

// 9 and 0 count as consecutive. Each class excludes the longer runs: "2连" has
// two consecutive digits but no run of three.
RunClass runClassOf(const QString &set)
{
    if (set.size() == 4 && QStringView(u"0123.1234.2345.3456.4567.5678.6789.0129.0189.0789").contains(set))
        return RunOfFour;
    if (set.size() >= 3
        && (containsAny(set, {u"012", u"123", u"234", u"345", u"456", u"567", u"678", u"789"})
            || (set.contains(u"01") && set.back() == u'9') || (set.contains(u"89") && set.front() == u'0')))
        return RunOfThree;
    if (set.size() >= 2
        && (containsAny(set, {u"01", u"12", u"23", u"34", u"45", u"56", u"67", u"78", u"89"})
            || (set.front() == u'0' && set.back() == u'9')))
        return RunOfTwo;
    return NoRun;
}

Repetition repetitionOf(const std::array<uint8_t, 4> &digits, unsigned digitSet)
{
    switch (std::popcount(digitSet)) {
    case 1: return AAAA;
    case 3: return AABC;
    case 4: return ABCD;
    default: break;
    }
    // Two distinct digits: AABB when taking out the smaller leaves two.
    const int smaller = std::countr_zero(digitSet);
    const auto remaining = std::count_if(digits.begin(), digits.end(), [&](uint8_t d) { return d != smaller; });
    return remaining == 2 ? AABB : AAAB;
}

// Run class and repetition shape together, as kRepetitionCount * run + shape.
const std::array<uint8_t, kCandidateCount> &exclusionClasses()
{
    static const std::array<uint8_t, kCandidateCount> table = [] {
        std::array<uint8_t, 1 << 10> runClassOfSet{};
        for (unsigned mask = 1; mask < runClassOfSet.size(); ++mask)
            runClassOfSet[mask] = uint8_t(runClassOf(digitSetOf(mask)));
        std::array<uint8_t, kCandidateCount> t;
        const CandidateDigits &cd = candidate_digits();
        for (int c = 0; c < kCandidateCount; ++c) {
            const unsigned mask = cd.mask[c];
            t[c] = uint8_t(kRepetitionCount * runClassOfSet[mask] + repetitionOf(cd.digits[c], mask));
        }
        return t;
    }();
    return table;
}

const CandidatesByKey &candidatesByClass()
{
    static const CandidatesByKey byClass = candidates_by_key(exclusionClasses(), kRunClassCount * kRepetitionCount);
    return byClass;
}
}

void special_exclusions(const SpecialExclusionSelection &selection, CandidateSet &marks)
{
    if (selection.captions.isEmpty())
        return;
    std::array<bool, kRunClassCount * kRepetitionCount> killed{};
    for (int run = 0; run < kRunClassCount; ++run) {
        const bool runSelected = selection.captions.contains(QString::fromUtf16(kRunCaptions[run]));
        for (int shape = 0; shape < kRepetitionCount; ++shape) {
            killed[kRepetitionCount * run + shape] =
                runSelected || selection.captions.contains(QString::fromUtf16(kRepetitionCaptions[shape]));
        }
    }
    mark_rejected(marks, candidatesByClass(), killed);
}

QStringView repetition_caption(int shape)
{
    return kRepetitionCaptions[shape];
}

int repetition_shape(int candidate)
{
    return exclusionClasses()[candidate] % kRepetitionCount;
}

void min_max_digit_filter(const MinMaxSelection &selection, CandidateSet &marks)
{
    if (selection.smallest.isEmpty() && selection.largest.isEmpty())
        return;
    // Where no digit is chosen, every digit is allowed.
    const auto allowedDigits = [](const QString &chosen) {
        unsigned digits = chosen.isEmpty() ? 0x3FF : 0;
        for (QChar ch : chosen) {
            if (ch >= u'0' && ch <= u'9')
                digits |= 1u << (ch.unicode() - u'0');
        }
        return digits;
    };
    const unsigned smallestAllowed = allowedDigits(selection.smallest);
    const unsigned largestAllowed = allowedDigits(selection.largest);
    std::array<bool, 1 << 10> killed{};
    for (unsigned mask = 1; mask < killed.size(); ++mask) {
        const int smallest = std::countr_zero(mask);
        const int largest = std::bit_width(mask) - 1;
        killed[mask] = !(smallestAllowed >> smallest & 1) || !(largestAllowed >> largest & 1);
    }
    mark_rejected(marks, candidate_digits().mask, killed);
}
