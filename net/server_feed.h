#pragma once

#include "net/feed_tags.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

// What a feed document asks of the window; a tag that does not occur asks
// nothing.
struct FeedRecord
{
    // "" keeps the built-in caption.
    QString title;
    // The version differs from ours: the program must be upgraded from
    // upgradeAddress ("" when the feed names no page) and end.
    bool outdated = false;
    QString upgradeAddress;
    // "" shows nothing.
    QString news;
    // Link slots 1-11 and advert slots 1-2; a value without "[*]" names no
    // address and asks nothing.
    std::array<std::optional<LinkSlot>, kLinkSlotCount> links;
    std::array<std::optional<LinkSlot>, 2> adverts;
    std::optional<QString> exitAddress;
};

FeedRecord parse_feed(QStringView feed);

enum class FeedFailure
{
    None,
    // No server sent a valid feed.
    NoAnswer,
    // The window closed meanwhile: nothing more is to be applied or sent.
    Stopped,
};

struct FeedOutcome
{
    // 0 for the primary server, 1 for the secondary: the one that answered,
    // or the last one asked.
    int server = 0;
    FeedFailure failure = FeedFailure::None;
    FeedRecord record;
};

// What reading the feed tells its caller and asks of it while it runs.
struct FeedHooks
{
    // Called when a server is taken, before its first request.
    std::function<void(int server)> serverTaken;
    // The half-second pause between two tries of one server.
    std::function<void(double seconds)> wait;
    std::function<bool()> stopped;
};

// The primary and the secondary base address, each ending in "/": the
// environment variables VINTORA_FEED_PRIMARY and VINTORA_FEED_SECONDARY where
// set, else the addresses built in. The feed and the draws both live beneath.
std::array<QString, 2> feed_base_addresses();

// Reads "4x.txt" from the primary base address, else from the secondary one:
// two tries per server half a second apart, no pause at the switch. A reply
// counts when it holds "[ok]".
FeedOutcome read_feed(const std::array<QString, 2> &bases, const FeedHooks &hooks);

// Reports the installation key to "ip.asp" of the base address; the reply
// is of no interest.
void report_installation(const QString &base, const QString &key);

// The installation key kept in the settings store; a missing key or one of
// fewer than ten characters is replaced by 15 random digits.
QString installation_key();
