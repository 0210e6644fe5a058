#include "net/feed_tags.h"

#include "core/text.h"

std::optional<QString> tag_value(QStringView feed, QStringView tag)
{
    if (const auto value = text_after_key(feed, tag))
        return value->toString();
    return std::nullopt;
}

std::optional<LinkSlot> link_value(QStringView feed, QStringView tag)
{
    static constexpr QStringView kSeparator = u"[*]";
    const auto value = text_after_key(feed, tag);
    if (!value)
        return std::nullopt;
    const qsizetype separator = value->indexOf(kSeparator);
    if (separator < 0)
        return std::nullopt;
    const QStringView rest = value->mid(separator + kSeparator.size());
    const qsizetype end = rest.indexOf(kSeparator);
    return LinkSlot{value->left(separator).toString(), (end < 0 ? rest : rest.left(end)).toString()};
}
