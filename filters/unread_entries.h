#pragma once

#include "core/condition_table.h"
#include "core/sheet_record.h"
#include "core/typed_box.h"

#include <QHash>
#include <QList>

// What the typed condition boxes hold that a run does not read as typed.
// Each box is judged by the rules of the condition that reads it; what a run
// does with the box is the same either way.

// The unread entries of a text box of the table of condition controls.
UnreadEntries unread_entries(const ConditionRow &row, QStringView text);

struct UnreadBox
{
    const ConditionRow *row;
    UnreadEntries entries;

    bool operator==(const UnreadBox &) const = default;
};

// Follows the typed boxes of a sheet, reading a box again only when its text
// changed: a pasted list of megabytes is read once, not at every click.
class UnreadEntriesWatch
{
public:
    // The boxes holding unread entries, in sheet order.
    QList<UnreadBox> update(const SheetRecord &record);

private:
    struct Seen
    {
        QString text;
        UnreadEntries entries;
    };
    QHash<QString, Seen> m_seen;    // by box name
};
