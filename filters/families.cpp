#include "filters/families.h"

#include "filters/dan_groups.h"
#include "filters/digit_kills.h"
#include "filters/entered_lists.h"
#include "filters/exclusions.h"
#include "filters/patterns.h"

#include <QStringList>

namespace {
// A family that reads one member of the selections whole.
template<auto Part, auto Filter>
constexpr Family family(MatrixRow row, const char16_t *name, const char16_t *helpTitle)
{
    return {row, name, helpTitle, [](const Selections &s, CandidateSet &marks) { Filter(s.*Part, marks); },
            [](const Selections &was, const Selections &now) { return !(was.*Part == now.*Part); }};
}

// The pattern grids share one selection, but each reads its own list only.
template<PatternGrid Grid, auto Filter>
constexpr Family gridFamily(MatrixRow row, const char16_t *name, const char16_t *helpTitle)
{
    return {row, name, helpTitle, [](const Selections &s, CandidateSet &marks) { Filter(s.patterns, marks); },
            [](const Selections &was, const Selections &now) {
                return was.patterns.lists[Grid] != now.patterns.lists[Grid];
            }};
}

constexpr Family kFamilies[] = {
    family<&Selections::entered, entered_list_filters>(EnteredListRow, u"顶部输入框", nullptr),
    family<&Selections::positionalKill, filter_positional_kill>(PositionalKillRow, u"定位杀", u"定位杀"),
    family<&Selections::sumSpan, filter_sum_span_group>(SumSpanRow, u"和跨胆", u"和跨胆"),
    family<&Selections::dan, filter_dan_groups>(DanRow, u"胆组", u"胆组容错"),
    family<&Selections::ratios, filter_ratios>(RatioRow, u"比例", u"大小比"),
    family<&Selections::shapes, filter_shapes>(ShapeRow, u"杀特殊形态", u"杀特殊形态"),
    gridFamily<BigSmallGrid, filter_big_small_pattern>(BigSmallRow, u"杀大小形态", u"杀大小形态"),
    gridFamily<OddEvenGrid, filter_odd_even_pattern>(OddEvenRow, u"杀奇偶形态", u"杀大小形态"),
    gridFamily<PrimeCompositeGrid, filter_prime_composite_pattern>(PrimeCompositeRow, u"杀质合形态",
                                                                   u"杀大小形态"),
    gridFamily<RouteGrid, filter_route_pattern>(RouteRow, u"杀012路形态", u"杀012路形态"),
    family<&Selections::specialExclusions, special_exclusions>(SpecialExclusionRow, u"特别排除", u"特别排除"),
    family<&Selections::minMax, min_max_digit_filter>(MinMaxRow, u"最小号与最大号", u"最小号与最大号"),
};
static_assert(std::size(kFamilies) == kFamilyCount);

constexpr bool inRowOrder()
{
    for (int i = 0; i < kFamilyCount; ++i) {
        if (kFamilies[i].row != EnteredListRow + i)
            return false;
    }
    return true;
}
static_assert(inRowOrder(), "the families stand in row order, the order of a run");
}

std::span<const Family> families()
{
    return kFamilies;
}

const Family &family_of(MatrixRow row)
{
    Q_ASSERT(row >= EnteredListRow && row <= MinMaxRow);
    return kFamilies[row - EnteredListRow];
}

QStringList family_names(FamilySet set)
{
    QStringList names;
    for (const Family &f : kFamilies) {
        if (set & family_bit(f))
            names.append(f.displayName());
    }
    return names;
}

FamilySet families_marking(const CandidateMatrix &matrix, int candidate)
{
    FamilySet marking = 0;
    for (const Family &f : kFamilies) {
        if (matrix.row(f.row).contains(candidate))
            marking |= family_bit(f);
    }
    return marking;
}
