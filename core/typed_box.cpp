#include "core/typed_box.h"

#include "core/condition_table.h"
#include "core/text.h"

#include <algorithm>

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\r' || c == u'\n';
}

QStringView withoutOuterBlanks(QStringView text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}
}

QString typed_box_hint(QStringView name)
{
    for (const ConditionRow &row : condition_rows()) {
        if (row.kind != ControlKind::Text)
            continue;
        const qsizetype at = member_names(row).indexOf(name);
        if (at >= 0)
            return withoutOuterBlanks(member_captions(row).at(at)).toString();
    }
    return QString();
}

bool holds_only_hint(QStringView text, QStringView hint)
{
    return !hint.isEmpty() && withoutOuterBlanks(text) == hint;
}

bool holds_typed_list(QStringView text, QStringView hint)
{
    return !withoutOuterBlanks(text).isEmpty() && !holds_only_hint(text, hint);
}

void UnreadEntries::add(QStringView entry)
{
    ++count;
    if (shown.size() < kShown)
        shown.append(entry.size() > kShownLength ? entry.first(kShownLength).toString() + u'…' : entry.toString());
    fullWidth = fullWidth || std::any_of(entry.begin(), entry.end(), is_full_width_digit);
}
