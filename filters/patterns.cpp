#include "filters/patterns.h"

#include "filters/candidate_digits.h"

#include <QString>
#include <algorithm>

namespace {
// Class digits of the ratio selectors, in selector order big:small, odd:even,
// prime:composite; the count in the class comes first in a ratio key.
constexpr std::array<const char16_t *, 3> kRatioClassDigits = {u"56789", u"13579", u"12357"};
constexpr int kRatioKeyCount = 5 * 5 * 5;

using Digits = std::array<uint8_t, 4>;

struct ShapeRule
{
    const char16_t *searchText;     // found in "*" + the selection list
    bool (*holds)(int d1, int d2, int d3, int d4);
};

constexpr ShapeRule kShapes[] = {
    {u"上山", [](int d1, int d2, int d3, int d4) { return d1 <= d2 && d2 <= d3 && d3 <= d4 && d1 != d4; }},
    {u"下山", [](int d1, int d2, int d3, int d4) { return d1 >= d2 && d2 >= d3 && d3 >= d4 && d1 != d4; }},
    {u"凸", [](int d1, int d2, int d3, int d4) {
         return (d1 < d2 && d3 > d4) || (d1 <= d2 && d2 < d3 && d3 > d4) || (d1 < d2 && d2 > d3 && d3 >= d4);
     }},
    {u"凹", [](int d1, int d2, int d3, int d4) {
         return (d1 > d2 && d3 < d4) || (d1 >= d2 && d2 > d3 && d3 < d4) || (d1 > d2 && d2 < d3 && d3 <= d4);
     }},
    {u"*N", [](int d1, int d2, int d3, int d4) { return d1 < d2 && d2 > d3 && d3 < d4; }},
    {u"*反", [](int d1, int d2, int d3, int d4) { return d1 > d2 && d2 < d3 && d3 > d4; }},
};
constexpr int kShapeCount = int(std::size(kShapes));

// A pattern has one character per position: the character of the class its
// digit belongs to.
struct PatternGridRule
{
    PatternGrid grid;
    const char16_t *classChars;
    std::array<const char16_t *, 3> classDigits;
};

constexpr PatternGridRule kPatternGrids[] = {
    {BigSmallGrid, u"大小", {u"56789", u"01234"}},
    {OddEvenGrid, u"奇偶", {u"13579", u"02468"}},
    {PrimeCompositeGrid, u"质合", {u"12357", u"04689"}},
    {RouteGrid, u"012", {u"0369", u"147", u"258"}},
};
static_assert(kPatternGrids[BigSmallGrid].grid == BigSmallGrid && kPatternGrids[OddEvenGrid].grid == OddEvenGrid
              && kPatternGrids[PrimeCompositeGrid].grid == PrimeCompositeGrid
              && kPatternGrids[RouteGrid].grid == RouteGrid);
constexpr int kMaxPatternCount = 3 * 3 * 3 * 3;

bool digitIn(const char16_t *digits, int d)
{
    return QStringView(digits).contains(QChar(u'0' + d));
}

int classCount(const PatternGridRule &rule)
{
    return int(QStringView(rule.classChars).size());
}

int classOf(const PatternGridRule &rule, int d)
{
    for (int k = 0; k < classCount(rule); ++k) {
        if (digitIn(rule.classDigits[k], d))
            return k;
    }
    return 0;
}

struct PatternProperties
{
    CandidatesByKey byRatioKey;                 // 25 * big + 5 * odd + prime digits
    CandidatesByKey byShapes;                   // bit s: the candidate has kShapes[s]
    std::array<CandidatesByKey, 4> byPattern;   // per PatternGrid
    std::array<std::array<uint8_t, kCandidateCount>, 4> pattern;   // each candidate's index in patternText
    std::array<std::array<QString, kMaxPatternCount>, 4> patternText;
};

const PatternProperties &patternProperties()
{
    static const PatternProperties table = [] {
        PatternProperties t;
        // Every digit's share of a ratio key, and its class in every grid.
        std::array<int, 10> ratioShare{};
        std::array<std::array<uint8_t, 10>, 4> digitClass{};
        for (int d = 0; d < 10; ++d) {
            for (const char16_t *classDigits : kRatioClassDigits)
                ratioShare[d] = 5 * ratioShare[d] + (digitIn(classDigits, d) ? 1 : 0);
            for (const PatternGridRule &rule : kPatternGrids)
                digitClass[rule.grid][d] = uint8_t(classOf(rule, d));
        }
        for (const PatternGridRule &rule : kPatternGrids) {
            const int base = classCount(rule);
            for (int index = 0; index < base * base * base * base; ++index) {
                QString text;
                for (int place = base * base * base; place > 0; place /= base)
                    text += QChar(rule.classChars[index / place % base]);
                t.patternText[rule.grid][index] = text;
            }
        }

        std::array<uint8_t, kCandidateCount> ratioKey, shapeBits;
        auto &pattern = t.pattern;
        const CandidateDigits &cd = candidate_digits();
        for (int c = 0; c < kCandidateCount; ++c) {
            const Digits &d = cd.digits[c];
            ratioKey[c] = uint8_t(ratioShare[d[0]] + ratioShare[d[1]] + ratioShare[d[2]] + ratioShare[d[3]]);

            int shapes = 0;
            for (int s = 0; s < kShapeCount; ++s) {
                if (kShapes[s].holds(d[0], d[1], d[2], d[3]))
                    shapes |= 1 << s;
            }
            shapeBits[c] = uint8_t(shapes);

            for (const PatternGridRule &rule : kPatternGrids) {
                int index = 0;
                for (uint8_t digit : d)
                    index = classCount(rule) * index + digitClass[rule.grid][digit];
                pattern[rule.grid][c] = uint8_t(index);
            }
        }
        t.byRatioKey = candidates_by_key(ratioKey, kRatioKeyCount);
        t.byShapes = candidates_by_key(shapeBits, 1 << kShapeCount);
        for (const PatternGridRule &rule : kPatternGrids) {
            const int base = classCount(rule);
            t.byPattern[rule.grid] = candidates_by_key(pattern[rule.grid], std::size_t(base * base * base * base));
        }
        return t;
    }();
    return table;
}

void filterPatternGrid(const PatternGridRule &rule, const PatternSelection &selection, CandidateSet &marks)
{
    const QString &list = selection.lists[rule.grid];
    if (list.isEmpty())
        return;
    const PatternProperties &props = patternProperties();
    std::array<bool, kMaxPatternCount> killed{};
    for (int index = 0; index < kMaxPatternCount; ++index) {
        const QString &text = props.patternText[rule.grid][index];
        killed[index] = !text.isEmpty() && list.contains(text);
    }
    mark_rejected(marks, props.byPattern[rule.grid], killed);
}
}

void filter_ratios(const RatioSelection &selection, CandidateSet &marks)
{
    if (std::all_of(selection.lists.begin(), selection.lists.end(), [](const QString &l) { return l.isEmpty(); }))
        return;
    // accepted[q][n]: selector q lets a candidate with n digits in its class pass.
    std::array<std::array<bool, 5>, 3> accepted{};
    for (int q = 0; q < 3; ++q) {
        for (int n = 0; n <= 4; ++n) {
            const QString key = QString::number(n) + u':' + QString::number(4 - n);
            accepted[q][n] = selection.lists[q].isEmpty() || selection.lists[q].contains(key);
        }
    }
    std::array<bool, kRatioKeyCount> rejected{};
    for (int key = 0; key < kRatioKeyCount; ++key) {
        const int inClass[3] = {key / 25, key / 5 % 5, key % 5};
        rejected[key] = !(accepted[0][inClass[0]] && accepted[1][inClass[1]] && accepted[2][inClass[2]]);
    }
    mark_rejected(marks, patternProperties().byRatioKey, rejected);
}

void filter_shapes(const ShapeSelection &selection, CandidateSet &marks)
{
    if (selection.list.isEmpty())
        return;
    // The leading "*" lets "*N" find "N形" without finding "反N形".
    const QString starred = u'*' + selection.list;
    int selectedShapes = 0;
    for (int s = 0; s < kShapeCount; ++s) {
        if (starred.contains(QStringView(kShapes[s].searchText)))
            selectedShapes |= 1 << s;
    }
    std::array<bool, 1 << kShapeCount> killed{};
    for (int shapes = 0; shapes < int(killed.size()); ++shapes)
        killed[shapes] = (shapes & selectedShapes) != 0;
    mark_rejected(marks, patternProperties().byShapes, killed);
}

void filter_big_small_pattern(const PatternSelection &selection, CandidateSet &marks)
{
    filterPatternGrid(kPatternGrids[BigSmallGrid], selection, marks);
}

void filter_odd_even_pattern(const PatternSelection &selection, CandidateSet &marks)
{
    filterPatternGrid(kPatternGrids[OddEvenGrid], selection, marks);
}

void filter_prime_composite_pattern(const PatternSelection &selection, CandidateSet &marks)
{
    filterPatternGrid(kPatternGrids[PrimeCompositeGrid], selection, marks);
}

void filter_route_pattern(const PatternSelection &selection, CandidateSet &marks)
{
    filterPatternGrid(kPatternGrids[RouteGrid], selection, marks);
}

const QString &pattern_of(int candidate, PatternGrid grid)
{
    const PatternProperties &props = patternProperties();
    return props.patternText[grid][props.pattern[grid][candidate]];
}
