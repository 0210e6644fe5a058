#include "core/condition_table.h"

#include "core/colours.h"
#include "core/selections.h"

#include <array>
#include <iterator>

namespace {
// Hints the typed boxes start with. None holds a digit or "*", and the
// conditions recognise the others by "号码" and "例如", so a box still
// showing its hint takes no part in a run.
constexpr char16_t kStraightListNotice[] = u"号码之间用空格、逗号或换行隔开，双击清空";
constexpr char16_t kDoubleClickToClear[] = u"双击清空";
constexpr char16_t kSumValuesHint[] = u"和值输入要保持2位数，例如：00 05 08 16";
constexpr char16_t kBaseSetHint[] = u"大底号码，双击清空";

constexpr const char16_t *kRatioCaptions[] = {u"0:4", u"1:3", u"2:2", u"3:1", u"4:0"};
constexpr const char16_t *kShapeCaptions[] = {u"上山", u"下山", u"凸形", u"凹形", u"N形", u"反N形"};
// The four run classes, then the five repetition shapes.
constexpr const char16_t *kExclusionCaptions[] = {
    u"不连", u"2连", u"3连", u"4连", u"AAAA", u"AAAB", u"AABC", u"AABB", u"ABCD",
};
constexpr const char16_t *kCountRepeatsCaption[] = {u"胆码计重"};

using K = ControlKind;
using S = Selects;
using C = CaptionRule;
using M = MemberSet;
constexpr int None = kNoButton;
constexpr int Single = kSingleControl;

constexpr Caption digitsFrom(int from) { return {C::Numbered, nullptr, nullptr, from, 0}; }
constexpr Caption items(int to) { return {C::Numbered, nullptr, nullptr, 0, to}; }
constexpr Caption listed(const char16_t *const *list) { return {C::Listed, list}; }
constexpr Caption classes(const char16_t *pair) { return {C::ClassPattern, nullptr, pair}; }
constexpr Caption hint(const char16_t *text) { return {C::Hint, nullptr, text}; }
constexpr Caption breakThenHint(const char16_t *text) { return {C::BreakThenHint, nullptr, text}; }

// array, first, last, kind, family, selects, part, selected colour,
// "清", "全", "说明", region, label, caption, what a member names.
// For T_ding, `part` is the top panel that holds the box.
constexpr ConditionRow kConditionRows[] = {
    {"T_ding", 0, 0, K::Text, EnteredListRow, S::EnteredList, 0, 0, None, None, 5, Regions::TopPanelFrame,
     u"双击清空", breakThenHint(kStraightListNotice), M::None},
    {"T_ding", 1, 1, K::Text, EnteredListRow, S::EnteredList, 1, 0, None, None, 11, Regions::TopPanelFrame,
     u"双击清空", breakThenHint(kDoubleClickToClear), M::None},
    {"T_ding", 2, 2, K::Text, EnteredListRow, S::EnteredList, 2, 0, None, None, 13, Regions::TopPanelFrame,
     u"杀两码组合", breakThenHint(kDoubleClickToClear), M::None},
    {"T_ding", 3, 3, K::Text, EnteredListRow, S::EnteredList, 2, 0, None, None, 14, Regions::TopPanelFrame,
     u"必出两码组合", breakThenHint(kDoubleClickToClear), M::None},
    {"T_ding", 4, 4, K::Text, EnteredListRow, S::EnteredList, 3, 0, None, None, 15, Regions::TopPanelFrame,
     u"杀3码组合", breakThenHint(kDoubleClickToClear), M::None},
    {"T_ding", 5, 5, K::Text, EnteredListRow, S::EnteredList, 3, 0, None, None, 16, Regions::TopPanelFrame,
     u"必出3码组合", breakThenHint(kDoubleClickToClear), M::None},
    {"T_ding", 6, 6, K::Text, EnteredListRow, S::EnteredList, 4, 0, None, None, 17, Regions::TopPanelFrame,
     u"双击清空", breakThenHint(kDoubleClickToClear), M::None},

    {"Check_hewei_sha1", 0, 9, K::Check, PositionalKillRow, S::StruckDigit, 0, 0, 0, None, 8,
     Regions::PositionalKill, u"千位", digitsFrom(0), M::MarkedByFamily},
    {"Check_hewei_sha1", 10, 19, K::Check, PositionalKillRow, S::StruckDigit, 1, 0, 1, None, 8,
     Regions::PositionalKill, u"百位", digitsFrom(0), M::MarkedByFamily},
    {"Check_hewei_sha1", 20, 29, K::Check, PositionalKillRow, S::StruckDigit, 2, 0, 2, None, 8,
     Regions::PositionalKill, u"十位", digitsFrom(0), M::MarkedByFamily},
    {"Check_hewei_sha1", 30, 39, K::Check, PositionalKillRow, S::StruckDigit, 3, 0, 3, None, 8,
     Regions::PositionalKill, u"个位", digitsFrom(0), M::MarkedByFamily},
    {"Com_rc", 0, 1, K::Tolerance, PositionalKillRow, S::ToleranceRange, 0, 0, None, None, 8,
     Regions::PositionalKill, nullptr, items(4), M::None},

    {"Check_hewei_sha", 0, 9, K::Check, SumSpanRow, S::SumTail, 0, 0, 4, None, 9, Regions::SumSpan, u"杀和尾",
     digitsFrom(0), M::MarkedByFamily},
    {"T_cs_ip", 0, 0, K::Text, SumSpanRow, S::SumValues, 0, 0, 5, None, 9, Regions::SumSpan, u"杀和值",
     hint(kSumValuesHint), M::None},
    {"Check_kuadu_sha", 0, 9, K::Check, SumSpanRow, S::Span, 0, 0, 6, None, 9, Regions::SumSpan, u"杀跨度",
     digitsFrom(0), M::MarkedByFamily},
    {"Check_tsm_sha", 0, 9, K::Check, SumSpanRow, S::KillAllDigit, 0, 0, 7, None, 9, Regions::SumSpan, u"通杀码",
     digitsFrom(0), M::MarkedByFamily},
    {"Check_ac_sha", 0, 5, K::Check, SumSpanRow, S::AcValue, 0, 0, 8, None, 9, Regions::SumSpan, u"杀AC值",
     digitsFrom(1), M::MarkedByFamily},

    {"C_danzu", 0, 9, K::Toggle, DanRow, S::DanDigit, 0, Colour::Green, 9, 13, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu_gs", 0, 4, K::Toggle, DanRow, S::DanCount, 0, Colour::Green, 9, 13, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu", 10, 19, K::Toggle, DanRow, S::DanDigit, 1, Colour::Green, 10, 14, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu_gs", 5, 9, K::Toggle, DanRow, S::DanCount, 1, Colour::Green, 10, 14, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu", 20, 29, K::Toggle, DanRow, S::DanDigit, 2, Colour::Green, 11, 15, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu_gs", 10, 14, K::Toggle, DanRow, S::DanCount, 2, Colour::Green, 11, 15, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu", 30, 39, K::Toggle, DanRow, S::DanDigit, 3, Colour::Green, 12, 16, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"C_danzu_gs", 15, 19, K::Toggle, DanRow, S::DanCount, 3, Colour::Green, 12, 16, 2, Regions::DanRows, nullptr,
     digitsFrom(0), M::None},
    {"Check_dm_jchong", Single, Single, K::Check, DanRow, S::CountRepeats, 0, 0, None, None, 2, Regions::DanRows,
     nullptr, listed(kCountRepeatsCaption), M::None},
    {"Com_rc", 2, 3, K::Tolerance, DanRow, S::ToleranceRange, 0, 0, None, None, 7, Regions::DanRows, u"胆组容错",
     items(4), M::None},

    {"C_bi", 0, 4, K::Toggle, RatioRow, S::Ratio, 0, Colour::Green, 20, 17, 12, Regions::Ratios, u"大小比",
     listed(kRatioCaptions), M::KeptByFamily},
    {"C_bi", 5, 9, K::Toggle, RatioRow, S::Ratio, 1, Colour::Green, 21, 18, 12, Regions::Ratios, u"奇偶比",
     listed(kRatioCaptions), M::KeptByFamily},
    {"C_bi", 10, 14, K::Toggle, RatioRow, S::Ratio, 2, Colour::Green, 22, 19, 12, Regions::Ratios, u"质合比",
     listed(kRatioCaptions), M::KeptByFamily},

    {"C_bi", 15, 20, K::Toggle, ShapeRow, S::Shape, 0, Colour::Yellow, 23, None, 6, Regions::Shapes,
     u"杀特殊形态", listed(kShapeCaptions), M::MarkedByFamily},

    {"C_bi", 21, 36, K::Toggle, BigSmallRow, S::Pattern, BigSmallGrid, Colour::Yellow, 25, None, 1,
     Regions::BigSmallGrid, u"杀大小形态", classes(u"大小"), M::MarkedByFamily},
    {"C_bi", 37, 52, K::Toggle, OddEvenRow, S::Pattern, OddEvenGrid, Colour::Yellow, 27, None, 1,
     Regions::OddEvenGrid, u"杀奇偶形态", classes(u"奇偶"), M::MarkedByFamily},
    {"C_bi", 53, 68, K::Toggle, PrimeCompositeRow, S::Pattern, PrimeCompositeGrid, Colour::Yellow, 29, None, 1,
     Regions::PrimeCompositeGrid, u"-杀质合形态", classes(u"质合"), M::MarkedByFamily},
    {"C_bi", 69, 149, K::Toggle, RouteRow, S::Pattern, RouteGrid, Colour::Yellow, 31, None, 10,
     Regions::RouteGrid, u"杀012路形态", {C::RoutePattern}, M::MarkedByFamily},

    // Only the full reset clears the special exclusions: they have no "清".
    {"C_bi", 150, 158, K::Toggle, SpecialExclusionRow, S::Exclusion, 0, Colour::Yellow, None, None, 4,
     Regions::SpecialExclusions, u"特别排除(以下连号与旧版稍有不同，详情看说明)", listed(kExclusionCaptions),
     M::MarkedByFamily},

    {"C_max", 0, 8, K::Toggle, MinMaxRow, S::SmallestDigit, 0, Colour::Green, 32, None, 0, Regions::MinMaxDigits,
     u"最小号码", digitsFrom(0), M::KeptByFamily},
    {"C_max", 9, 17, K::Toggle, MinMaxRow, S::LargestDigit, 0, Colour::Green, 32, None, 0, Regions::MinMaxDigits,
     u"最大号码", digitsFrom(1), M::KeptByFamily},

    {"T_cs_ip", 3, 3, K::Text, BaseRow, S::BaseSet, 0, 0, None, None, None, Regions::BaseSetBox, nullptr,
     hint(kBaseSetHint), M::None},
    {"Com_rc", 4, 5, K::Tolerance, KillRow, S::ToleranceRange, 0, 0, None, None, 18, Regions::ResultColumn,
     u"总容错", items(12), M::None},
};
constexpr int kRowCount = int(std::size(kConditionRows));

// Member j of a class grid has the second class at tens when j has bit 1, at
// hundreds for bit 2, at thousands for 4 and at units for 8. Captions read
// thousands, hundreds, tens, units.
QString classPattern(const char16_t *classes, int j)
{
    constexpr int kBitOfPosition[4] = {4, 2, 1, 8};
    QString caption;
    for (int bit : kBitOfPosition)
        caption += QChar(classes[(j & bit) ? 1 : 0]);
    return caption;
}

// Column g of the route grid holds tens route g / 3 and units route g % 3;
// row i holds thousands route i / 3 and hundreds route i % 3.
QString routePattern(int offset)
{
    for (int column = 0; column < 9; ++column) {
        for (int row = 0; row < 9; ++row) {
            if (route_offset(column, row) != offset)
                continue;
            const int routes[4] = {row / 3, row % 3, column / 3, column % 3};
            QString caption;
            for (int route : routes)
                caption += QChar(u'0' + route);
            return caption;
        }
    }
    return QString();
}

QString captionOf(const ConditionRow &row, int offset)
{
    const Caption &caption = row.caption;
    switch (caption.rule) {
    case C::Listed:
        return QString::fromUtf16(caption.list[offset]);
    case C::Numbered:
        return QString::number(caption.from + offset);
    case C::ClassPattern:
        return classPattern(caption.text, offset);
    case C::RoutePattern:
        return routePattern(offset);
    case C::Hint:
        return QString::fromUtf16(caption.text);
    case C::BreakThenHint:
        return u'\n' + QString::fromUtf16(caption.text);
    }
    return QString();
}

struct Catalogue
{
    std::array<QStringList, kRowCount> names;
    std::array<QStringList, kRowCount> captions;

    Catalogue()
    {
        for (int r = 0; r < kRowCount; ++r) {
            const ConditionRow &row = kConditionRows[r];
            for (int i = row.first; i <= row.last; ++i) {
                names[r].append(i == kSingleControl ? QString::fromLatin1(row.array) : arrayName(row.array, i));
                captions[r].append(captionOf(row, i - row.first));
            }
        }
    }
};

const Catalogue &catalogue()
{
    static const Catalogue built;
    return built;
}

int rowNumber(const ConditionRow &row)
{
    return int(&row - kConditionRows);
}
}

std::span<const ConditionRow> condition_rows()
{
    return kConditionRows;
}

const ConditionRow *condition_row(QStringView array, int index)
{
    for (const ConditionRow &row : kConditionRows) {
        if (row.holds(index) && array == QLatin1String(row.array))
            return &row;
    }
    return nullptr;
}

QList<const ConditionRow *> family_rows(MatrixRow family)
{
    QList<const ConditionRow *> rows;
    for (const ConditionRow &row : kConditionRows) {
        if (row.family == family)
            rows.append(&row);
    }
    return rows;
}

const QStringList &member_names(const ConditionRow &row)
{
    return catalogue().names[rowNumber(row)];
}

const QStringList &member_captions(const ConditionRow &row)
{
    return catalogue().captions[rowNumber(row)];
}

QStringList tolerance_items(const ConditionRow &row)
{
    QStringList list;
    for (int i = row.caption.from; i <= row.caption.to; ++i)
        list.append(QString::number(i));
    return list;
}

bool first_row_with_help(const ConditionRow &row)
{
    for (const ConditionRow &earlier : kConditionRows) {
        if (&earlier == &row)
            return true;
        if (earlier.helpButton == row.helpButton)
            return false;
    }
    return false;
}
