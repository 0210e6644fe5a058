#pragma once

#include <QString>
#include <QStringView>
#include <optional>

struct LinkSlot
{
    QString caption;
    QString address;
};

// The feed is tagged text: a tag's value runs from the tag to its next
// occurrence, or to the end when the tag stands once. A missing tag has no
// value.
std::optional<QString> tag_value(QStringView feed, QStringView tag);

// A two-field value "caption[*]address"; nothing when it has no "[*]".
std::optional<LinkSlot> link_value(QStringView feed, QStringView tag);
