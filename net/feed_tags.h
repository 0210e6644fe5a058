#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Link slots 1-11: slots 1-10 are opened by the link buttons C_gn_ding(n),
// slot 11 by the contact label L_di_ad(2).
constexpr int kLinkSlotCount = 11;
constexpr int kContactSlot = 11;

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
