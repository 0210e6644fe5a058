#pragma once

// The rules of the conditions as the help text words them, stated directly
// on the four digits of a number, for tests to compare the program with.
// They are written from the help, never taken from filters/: a reference
// that copies the code cannot catch the code's fault.

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>

using Digits = std::array<int, 4>;   // thousands, hundreds, tens, units

inline Digits digitsOf(int n)
{
    return {n / 1000, n / 100 % 10, n / 10 % 10, n % 10};
}

inline int countOf(const Digits &d, int digit)
{
    return int(std::count(d.begin(), d.end(), digit));
}

inline bool has(const Digits &d, int digit)
{
    return countOf(d, digit) > 0;
}

// "和值（四个数字相加）"
inline int sumOf(const Digits &d)
{
    return d[0] + d[1] + d[2] + d[3];
}

inline int smallestOf(const Digits &d)
{
    return *std::min_element(d.begin(), d.end());
}

inline int largestOf(const Digits &d)
{
    return *std::max_element(d.begin(), d.end());
}

// "跨度是最大的数字减最小的数字"
inline int spanOf(const Digits &d)
{
    return largestOf(d) - smallestOf(d);
}

// "四个数字两两相减（大减小）得到6个差，差里有几种不同的数（0也算一种），AC值就是几"
inline int acValueOf(const Digits &d)
{
    std::array<bool, 10> seen{};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            seen[size_t(std::abs(d[i] - d[j]))] = true;
    return int(std::count(seen.begin(), seen.end(), true));
}

// "小01234，大56789 / 奇13579，偶02468 / 质12357，合04689": the first class of
// each pair, in the order big:small, odd:even, prime:composite.
inline const char *const kFirstClassDigits[3] = {"56789", "13579", "12357"};
inline const char16_t *const kClassNames[3] = {u"大小", u"奇偶", u"质合"};

inline bool inFirstClass(int pair, int digit)
{
    return std::strchr(kFirstClassDigits[pair], '0' + digit) != nullptr;
}

// How many digits fall in the first class: "大小比1:3表示1个大数、3个小数".
inline int firstClassCount(const Digits &d, int pair)
{
    return int(std::count_if(d.begin(), d.end(), [pair](int digit) { return inFirstClass(pair, digit); }));
}

// The ratio captions, "0:4" .. "4:0": first class count, then the rest.
inline QString ratioCaption(int firstClass)
{
    return QStringLiteral("%1:%2").arg(firstClass).arg(4 - firstClass);
}

// "千百十个位各位置号码分别除以3，按余数分为0路、1路、2路"; grids 0-2 name each
// position by its class ("5892的大小形态是大大大小"), grid 3 by its route ("5892是2202").
inline QString positionPattern(const Digits &d, int grid)
{
    QString pattern;
    for (int digit : d) {
        pattern += grid < 3 ? QChar(kClassNames[grid][inFirstClass(grid, digit) ? 0 : 1])
                            : QChar(u'0' + digit % 3);
    }
    return pattern;
}

// The six shapes, "把号码的千、百、十、个位看成一条线", in button order.
inline const char16_t *const kShapeCaptions[6] = {u"上山", u"下山", u"凸形", u"凹形", u"N形", u"反N形"};

inline bool hasShape(int shape, const Digits &x)
{
    const int a = x[0], b = x[1], c = x[2], d = x[3];
    switch (shape) {
    case 0: return a <= b && b <= c && c <= d && a != d;   // 千≤百≤十≤个，而且千位不等于个位
    case 1: return a >= b && b >= c && c >= d && a != d;   // 千≥百≥十≥个，而且千位不等于个位
    // 凸形 "中间高、两头低" and 凹形 "中间低、两头高", as the sheet's rows define them.
    case 2: return (a < b && c > d) || (a <= b && b < c && c > d) || (a < b && b > c && c >= d);
    case 3: return (a > b && c < d) || (a >= b && b > c && c < d) || (a > b && b < c && c <= d);
    case 4: return a < b && b > c && c < d;                 // 千＜百，百＞十，十＜个
    default: return a > b && b < c && c > d;                // 千＞百，百＜十，十＞个
    }
}

// "先去掉号码里重复的数字，再看剩下的数字是否相连，9和0也算相连": the longest
// run on the ring 0-9, 1 for 不连 up to 4 for 4连.
inline int longestRunOf(const Digits &d)
{
    int longest = 0;
    for (int start = 0; start < 10; ++start) {
        int length = 0;
        while (length < 4 && has(d, (start + length) % 10))
            ++length;
        longest = std::max(longest, length);
    }
    return longest;
}

// The special exclusions in button order: the four run classes, then the
// five repetition shapes.
inline const char16_t *const kExclusionCaptions[9] = {u"不连", u"2连", u"3连", u"4连", u"AAAA",
                                                     u"AAAB", u"AABC", u"AABB", u"ABCD"};

// AAAA 四个数字相同, AAAB 三个数字相同, AABC 一对加两个不同, AABB 两对, ABCD 四个都不同:
// the index among AAAA, AAAB, AABC, AABB, ABCD.
inline int repetitionShapeOf(const Digits &d)
{
    int distinct = 0, most = 0;
    for (int digit = 0; digit < 10; ++digit) {
        distinct += has(d, digit) ? 1 : 0;
        most = std::max(most, countOf(d, digit));
    }
    switch (distinct) {
    case 1: return 0;
    case 2: return most == 3 ? 1 : 3;
    case 3: return 2;
    default: return 4;
    }
}

// The pattern that member `offset` of a grid (0 big/small, 1 odd/even, 2
// prime/composite, 3 route) stands for, from the layout of the sheet. In a
// class grid the member's bit 1 puts the second class at tens, bit 2 at
// hundreds, 4 at thousands and 8 at units. In the route grid column g holds
// tens route g / 3 and units route g % 3, row i thousands route i / 3 and
// hundreds route i % 3; the first two columns count their rows from the top,
// the others from the bottom.
inline QString gridCaption(int grid, int offset)
{
    QString caption;
    if (grid < 3) {
        for (int bit : {4, 2, 1, 8})
            caption += QChar(kClassNames[grid][(offset & bit) ? 1 : 0]);
        return caption;
    }
    const int g = offset / 9, i = g < 2 ? offset % 9 : 8 - offset % 9;
    for (int route : {i / 3, i % 3, g / 3, g % 3})
        caption += QChar(u'0' + route);
    return caption;
}

// What a member of the sheet that stands for one property of a number names:
// the numbers that have the property, and whether the sheet keeps them (the
// ratios and the smallest and largest digit, "选择为出") or kills them.
struct NamedRule
{
    std::function<bool(const Digits &)> holds;
    bool kept = false;
};

// Nothing for a member that stands for no single property, or no member.
inline std::optional<NamedRule> namedRule(const QString &member)
{
    static const QRegularExpression form(QStringLiteral(R"(^(\w+)\((\d+)\)$)"));
    const QRegularExpressionMatch match = form.match(member);
    if (!match.hasMatch())
        return std::nullopt;
    const QString array = match.captured(1);
    const int i = match.captured(2).toInt();
    auto kills = [](auto holds) { return NamedRule{holds, false}; };
    auto keeps = [](auto holds) { return NamedRule{holds, true}; };
    if (array == u"Check_hewei_sha1" && i < 40)     // 定位杀: digit i % 10 at position i / 10
        return kills([i](const Digits &d) { return d[size_t(i / 10)] == i % 10; });
    if (array == u"Check_hewei_sha" && i < 10)
        return kills([i](const Digits &d) { return sumOf(d) % 10 == i; });
    if (array == u"Check_kuadu_sha" && i < 10)
        return kills([i](const Digits &d) { return spanOf(d) == i; });
    if (array == u"Check_tsm_sha" && i < 10)
        return kills([i](const Digits &d) { return has(d, i); });
    if (array == u"Check_ac_sha" && i < 6)
        return kills([i](const Digits &d) { return acValueOf(d) == i + 1; });
    if (array == u"C_max" && i < 9)                 // 最小号码 0-8
        return keeps([i](const Digits &d) { return smallestOf(d) == i; });
    if (array == u"C_max" && i < 18)                // 最大号码 1-9
        return keeps([i](const Digits &d) { return largestOf(d) == i - 8; });
    if (array != u"C_bi" || i > 158)
        return std::nullopt;
    if (i < 15)                                     // 大小比, 奇偶比, 质合比, each "0:4" .. "4:0"
        return keeps([i](const Digits &d) { return firstClassCount(d, i / 5) == i % 5; });
    if (i < 21)
        return kills([i](const Digits &d) { return hasShape(i - 15, d); });
    if (i < 150) {
        const int grid = i < 69 ? (i - 21) / 16 : 3;
        const QString pattern = gridCaption(grid, i - (grid < 3 ? 21 + 16 * grid : 69));
        return kills([grid, pattern](const Digits &d) { return positionPattern(d, grid) == pattern; });
    }
    if (i < 154)                                    // 不连, 2连, 3连, 4连
        return kills([i](const Digits &d) { return longestRunOf(d) == i - 149; });
    return kills([i](const Digits &d) { return repetitionShapeOf(d) == i - 154; });
}

// The twelve condition families, rows 1-12, by the names the program gives
// them everywhere: the caption of the family's panel on the sheet without
// its remarks, and where the sheet has none, the words of the help.
inline const char16_t *const kFamilyNames[12] = {
    u"顶部输入框", u"定位杀", u"和跨胆", u"胆组", u"比例", u"杀特殊形态",
    u"杀大小形态", u"杀奇偶形态", u"杀质合形态", u"杀012路形态", u"特别排除", u"最小号与最大号",
};

inline QString familyName(int row)
{
    return QString::fromUtf16(kFamilyNames[row - 1]);
}
