#include "app/feed_view.h"

#include "app/mycode.h"
#include "app/shutdown.h"
#include "help/help_popups.h"
#include "net/server_feed.h"
#include "net/single_instance.h"
#include "panel/controls.h"
#include "panel/link_bar.h"
#include "ui/colorbutton.h"
#include "ui/modal.h"

#include <QLabel>
#include <QWidget>

ServerFeed::ServerFeed(QWidget *window, const Controls &controls)
    : m_window(window)
    , m_controls(controls)
    , m_bases(feed_base_addresses())
{
    for (int slot = 1; slot <= kLinkSlotCount; ++slot)
        m_links[slot - 1] = {QString::fromUtf16(kDefaultLinkCaptions[slot - 1]), QStringLiteral(VINTORA_DEFAULT_LINK)};
}

void ServerFeed::setBaseAddresses(const QString &primary, const QString &secondary)
{
    m_bases = {primary, secondary};
}

void ServerFeed::stop()
{
    m_stopped = true;
}

void ServerFeed::run()
{
    if (!claim_single_instance()) {
        show_message(m_window, QStringLiteral("本软件已经打开了，不要重复打开，本界面将自动关闭"),
                     QStringLiteral("错误提示"));
        end_program();
        return;
    }
    const QString key = installation_key();
    const FeedOutcome outcome = read_feed(m_bases, {
        .serverTaken = [this](int server) { showServer(server); },
        .wait = &mycode::yanshi,
        .stopped = [this] { return m_stopped; },
    });
    m_server = outcome.server;
    switch (outcome.failure) {
    case FeedFailure::None:
        if (!apply(outcome.record))
            return;
        break;
    case FeedFailure::NoAnswer:
        m_controls.L_server->setText(QStringLiteral("联网失败"));
        show_help_topic(m_window, QStringLiteral("联网失败"));
        break;
    case FeedFailure::Stopped:
        return;
    }
    if (m_stopped)
        return;
    report_installation(m_bases[m_server], key);
}

void ServerFeed::showServer(int server)
{
    m_controls.L_server->setText(server == 0 ? QStringLiteral("服务器A") : QStringLiteral("服务器B"));
}

bool ServerFeed::apply(const FeedRecord &feed)
{
    // The tags apply in this order; a version mismatch ends the program
    // before any later tag.
    if (!feed.title.isEmpty())
        m_window->setWindowTitle(feed.title);

    if (feed.outdated) {
        show_message(m_window, QStringLiteral("本软件已经升级，请下载新版后使用"), QStringLiteral("升级提示"));
        mycode::op_url(feed.upgradeAddress);
        end_program();
        return false;
    }

    if (!feed.news.isEmpty()) {
        show_message(m_window, feed.news, QStringLiteral("温馨提示"));
        if (m_stopped)
            return false;
    }

    for (int slot = 1; slot <= kLinkSlotCount; ++slot) {
        const std::optional<LinkSlot> &link = feed.links[slot - 1];
        if (!link)
            continue;
        m_links[slot - 1] = *link;
        if (slot <= 9)
            m_controls.C_gn_ding.value(slot)->setText(link->caption);
        else if (slot == kContactSlot)
            m_controls.L_di_ad.value(2)->setText(link->caption);
    }

    for (int advert = 0; advert < 2; ++advert) {
        if (const std::optional<LinkSlot> &link = feed.adverts[advert]) {
            m_controls.L_di_ad.value(advert)->setText(link->caption);
            m_adverts[advert] = link->address;
        }
    }

    if (feed.exitAddress)
        m_exitAddress = *feed.exitAddress;
    return true;
}

void ServerFeed::openLink(int slot) const
{
    mycode::op_url(link(slot).address);
}

void ServerFeed::openLabelLink(int index) const
{
    mycode::op_url(index < 2 ? m_adverts[index] : link(kContactSlot).address);
}
