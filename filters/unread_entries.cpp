#include "filters/unread_entries.h"

#include "core/shrink.h"
#include "filters/digit_kills.h"
#include "filters/entered_lists.h"

UnreadEntries unread_entries(const ConditionRow &row, QStringView text)
{
    const QString hint = typed_box_hint(member_names(row).first());
    switch (row.selects) {
    case Selects::EnteredList:
        return kUnreadInEnteredLists[std::size_t(row.first)](text, hint);
    case Selects::SumValues:
        return unread_sum_values(text, hint);
    case Selects::BaseSet:
        return unread_base_set(text, hint);
    default:
        return {};
    }
}

QList<UnreadBox> UnreadEntriesWatch::update(const SheetRecord &record)
{
    QList<UnreadBox> boxes;
    for (const ConditionRow &row : condition_rows()) {
        if (row.kind != ControlKind::Text)
            continue;
        const QString &name = member_names(row).first();
        const QString text = record.texts.value(name);
        Seen &seen = m_seen[name];
        // The same text handed over again is equal without reading it.
        if (seen.text.constData() != text.constData()) {
            if (seen.text != text)
                seen.entries = unread_entries(row, text);
            seen.text = text;
        }
        if (!seen.entries.isEmpty())
            boxes.append({&row, seen.entries});
    }
    return boxes;
}
