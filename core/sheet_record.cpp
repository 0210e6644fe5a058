#include "core/sheet_record.h"

#include "core/text.h"

#include <QHash>
#include <bitset>
#include <vector>

namespace {
struct Member
{
    int row;
    int offset;
};

// Every condition control by name.
const QHash<QString, Member> &membersByName()
{
    static const QHash<QString, Member> members = [] {
        QHash<QString, Member> byName;
        const auto rows = condition_rows();
        for (int r = 0; r < int(rows.size()); ++r) {
            const QStringList &names = member_names(rows[r]);
            for (int k = 0; k < names.size(); ++k)
                byName.insert(names[k], {r, k});
        }
        return byName;
    }();
    return members;
}

// The largest row, the route grid, has 81 members.
using RowFlags = std::bitset<96>;

// Marks the members of `kind` that the set names; other names are ignored.
void markNamed(const QSet<QString> &names, ControlKind kind, std::vector<RowFlags> &flags)
{
    const QHash<QString, Member> &members = membersByName();
    const auto rows = condition_rows();
    for (const QString &name : names) {
        const auto found = members.constFind(name);
        if (found != members.cend() && rows[found->row].kind == kind)
            flags[found->row].set(found->offset);
    }
}

ToleranceRange toleranceOf(const SheetRecord &record, const ConditionRow &row)
{
    const QStringList &names = member_names(row);
    return {tolerance_value(record.tolerances.value(names.first())),
            tolerance_value(record.tolerances.value(names.last()))};
}

ToleranceRange &toleranceFor(Selections &s, MatrixRow family)
{
    switch (family) {
    case PositionalKillRow:
        return s.positionalKill.tolerance;
    case DanRow:
        return s.dan.tolerance;
    default:
        return s.total;
    }
}

// Check boxes set flags indexed by the member's index.
template<size_t N>
void setFlags(std::array<bool, N> &target, const ConditionRow &row, const RowFlags &on)
{
    for (int k = 0; k < row.count(); ++k) {
        const size_t index = size_t(row.first + k);
        if (index < N)
            target[index] = on.test(size_t(k));
    }
}
}

std::optional<ControlKind> condition_control_kind(QStringView name)
{
    const QHash<QString, Member> &members = membersByName();
    const auto found = members.constFind(name.toString());
    if (found == members.cend())
        return std::nullopt;
    return condition_rows()[found->row].kind;
}

QStringList condition_control_names(ControlKind kind)
{
    QStringList names;
    for (const ConditionRow &row : condition_rows()) {
        if (row.kind == kind)
            names += member_names(row);
    }
    return names;
}

SheetRecord cleared_record()
{
    SheetRecord record;
    for (const ConditionRow &row : condition_rows()) {
        const QStringList &names = member_names(row);
        const QStringList &captions = member_captions(row);
        for (int k = 0; k < names.size(); ++k) {
            if (row.kind == ControlKind::Text)
                record.texts.insert(names[k], captions[k]);
            else if (row.kind == ControlKind::Tolerance)
                record.tolerances.insert(names[k], QStringLiteral("0"));
        }
    }
    return record;
}

Selections selections_from_record(const SheetRecord &record)
{
    const auto rows = condition_rows();
    std::vector<RowFlags> on(rows.size());
    markNamed(record.selected, ControlKind::Toggle, on);
    markNamed(record.checked, ControlKind::Check, on);

    Selections s;
    for (size_t r = 0; r < rows.size(); ++r) {
        const ConditionRow &row = rows[r];
        const QStringList &captions = member_captions(row);
        // Captions of the selected members in index order; each is what the
        // family compares.
        auto forSelected = [&](auto &&take) {
            for (int k = 0; k < row.count(); ++k) {
                if (on[r].test(size_t(k)))
                    take(captions[k]);
            }
        };
        switch (row.selects) {
        case Selects::EnteredList:
            s.entered.boxes[size_t(row.first)] = record.texts.value(member_names(row).first());
            break;
        case Selects::StruckDigit:
            setFlags(s.positionalKill.struck, row, on[r]);
            break;
        case Selects::SumTail:
            setFlags(s.sumSpan.sumTails, row, on[r]);
            break;
        case Selects::SumValues:
            s.sumSpan.sumValueText = record.texts.value(member_names(row).first());
            break;
        case Selects::Span:
            setFlags(s.sumSpan.spans, row, on[r]);
            break;
        case Selects::KillAllDigit:
            setFlags(s.sumSpan.killAllDigits, row, on[r]);
            break;
        case Selects::AcValue:
            setFlags(s.sumSpan.acValues, row, on[r]);
            break;
        case Selects::DanDigit:
            forSelected([&](const QString &digit) { s.dan.digits[size_t(row.part)] += digit; });
            break;
        case Selects::DanCount:
            forSelected([&](const QString &count) { s.dan.counts[size_t(row.part)] += count; });
            break;
        case Selects::CountRepeats:
            s.dan.countRepeats = on[r].test(0);
            break;
        case Selects::Ratio:
            forSelected([&](const QString &ratio) { s.ratios.lists[size_t(row.part)] += ratio + u'*'; });
            break;
        case Selects::Shape:
            forSelected([&](const QString &shape) { s.shapes.list += shape + u'*'; });
            break;
        case Selects::Pattern:
            forSelected([&](const QString &pattern) { s.patterns.lists[size_t(row.part)] += pattern + u'*'; });
            break;
        case Selects::Exclusion:
            forSelected([&](const QString &caption) { s.specialExclusions.captions.append(caption); });
            break;
        case Selects::SmallestDigit:
            forSelected([&](const QString &digit) { s.minMax.smallest += digit; });
            break;
        case Selects::LargestDigit:
            forSelected([&](const QString &digit) { s.minMax.largest += digit; });
            break;
        case Selects::BaseSet:
            s.baseSetText = record.texts.value(member_names(row).first());
            break;
        case Selects::ToleranceRange:
            toleranceFor(s, row.family) = toleranceOf(record, row);
            break;
        }
    }
    return s;
}
