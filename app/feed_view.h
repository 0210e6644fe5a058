#pragma once

#include "net/feed_tags.h"

#include <QString>
#include <array>

struct Controls;
struct FeedRecord;
class QWidget;

// The start-up network step as the window sees it: one running copy only,
// the installation key, the feed read by net/ and applied to the window, and
// the report of the key. What the feed supplied (link, advert and exit
// addresses) stays for the rest of the run; nothing of it is stored.
class ServerFeed
{
public:
    ServerFeed(QWidget *window, const Controls &controls);

    // The program uses the build-time addresses; tests use their own servers.
    void setBaseAddresses(const QString &primary, const QString &secondary);

    // Runs the step; once, from the first Timer_load tick.
    void run();
    // The window is closing: a step still running applies and sends nothing more.
    void stop();

    // Link slots 1-11.
    const LinkSlot &link(int slot) const { return m_links[slot - 1]; }
    const QString &exitAddress() const { return m_exitAddress; }

    // Link button C_gn_ding(slot), 1-10.
    void openLink(int slot) const;
    // Label L_di_ad(index): adverts 1 and 2, then the contact slot 11.
    void openLabelLink(int index) const;

private:
    // False when the program ended or the window closed while applying.
    bool apply(const FeedRecord &feed);
    void showServer(int server);

    QWidget *m_window;
    const Controls &m_controls;
    std::array<QString, 2> m_bases;
    int m_server = 0;
    std::array<LinkSlot, kLinkSlotCount> m_links;
    std::array<QString, 2> m_adverts;
    QString m_exitAddress;
    bool m_stopped = false;
};
