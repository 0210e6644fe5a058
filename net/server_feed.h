#pragma once

#include "net/feed_tags.h"
#include "net/link_bar.h"

#include <QString>
#include <array>
#include <optional>

struct Controls;
class QWidget;

// The start-up network step: one running copy only, the installation key, the
// feed from the primary or else the secondary server applied to the window,
// and the report of the key. What the feed supplied (link, advert and exit
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
    std::optional<QString> fetchFeed();
    // False when the program ended while applying.
    bool applyFeed(const QString &feed);
    void useServer(int server);

    QWidget *m_window;
    const Controls &m_controls;
    std::array<QString, 2> m_bases;
    int m_server = 0;
    std::array<LinkSlot, kLinkSlotCount> m_links;
    std::array<QString, 2> m_adverts;
    QString m_exitAddress;
    bool m_stopped = false;
};

// The installation key kept in the settings store; a missing key or one of
// fewer than ten characters is replaced by 15 random digits.
QString installation_key();
