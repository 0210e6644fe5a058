#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What a typed box holds, judged against its hint. The start and the reset
// put line breaks around a hint, and spaces or line breaks alone are nothing
// typed, so neither counts.

// The hint of the condition box of that name; empty for any other box.
QString typed_box_hint(QStringView name);

// The box shows its hint and nothing else.
bool holds_only_hint(QStringView text, QStringView hint);

// The box holds something the player typed: neither nothing nor its hint.
bool holds_typed_list(QStringView text, QStringView hint);

// Entries of a typed box that a run does not read as typed: how many, the
// first few as typed, and whether any holds a full-width digit.
struct UnreadEntries
{
    static constexpr int kShown = 5;
    static constexpr int kShownLength = 16;     // characters of an entry shown

    qsizetype count = 0;
    QStringList shown;
    bool fullWidth = false;

    void add(QStringView entry);
    bool isEmpty() const { return count == 0; }
    bool operator==(const UnreadEntries &) const = default;
};

// The two ways players part what they type into a box. Entries are parted
// by spaces, tabs, line breaks, commas, semicolons and "、", ASCII or
// full-width; lines by line breaks. The box's hint, where it still stands,
// parts them too and is never one of them.
enum class EntryBreak { Entries, Lines };

namespace typed_box_detail {
// Inline: it is asked of every character of a pasted list.
inline bool isBreak(QChar ch, EntryBreak parting)
{
    switch (ch.unicode()) {
    case u'\n': case u'\r':
        return true;
    case u' ': case u'\t': case u'\u3000': case u',': case u'，': case u';': case u'；': case u'、':
        return parting == EntryBreak::Entries;
    default:
        return false;
    }
}
}

// Calls use(entry) for every entry, or every line that is not blank, in order.
template<typename Use>
void for_each_typed_entry(QStringView text, QStringView hint, EntryBreak parting, Use use)
{
    const qsizetype hintAt = hint.isEmpty() ? -1 : text.indexOf(hint);
    const auto part = [&](QStringView piece) {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= piece.size(); ++i) {
            if (i < piece.size() && !typed_box_detail::isBreak(piece[i], parting))
                continue;
            const QStringView entry = piece.sliced(start, i - start);
            if (!entry.trimmed().isEmpty())
                use(entry);
            start = i + 1;
        }
    };
    if (hintAt < 0) {
        part(text);
        return;
    }
    part(text.first(hintAt));
    part(text.sliced(hintAt + hint.size()));
}
