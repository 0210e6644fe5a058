#include "net/server_feed.h"

#include "ui/modal.h"
#include "app/mycode.h"
#include "app/shutdown.h"
#include "help/help_popups.h"
#include "net/single_instance.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QSettings>
#include <QWidget>

namespace {
constexpr QStringView kProgramVersion = u"20170601";
}

ServerFeed::ServerFeed(QWidget *window, const Controls &controls)
    : m_window(window)
    , m_controls(controls)
    , m_bases{QStringLiteral(VINTORA_FEED_PRIMARY), QStringLiteral(VINTORA_FEED_SECONDARY)}
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
    if (const auto feed = fetchFeed()) {
        if (!applyFeed(*feed))
            return;
    } else if (!m_stopped) {
        m_controls.L_server->setText(QStringLiteral("联网失败"));
        show_help_topic(m_window, QStringLiteral("联网失败"));
    }
    if (m_stopped)
        return;
    mycode::XMLHttpRequest(QStringLiteral("POS"), m_bases[m_server] + QStringLiteral("ip.asp"), key);
}

void ServerFeed::useServer(int server)
{
    m_server = server;
    m_controls.L_server->setText(server == 0 ? QStringLiteral("服务器A") : QStringLiteral("服务器B"));
}

std::optional<QString> ServerFeed::fetchFeed()
{
    struct Attempt
    {
        int server;
        bool waitFirst;
    };
    // Two tries per server half a second apart; no pause at the switch.
    static constexpr Attempt kAttempts[] = {{0, false}, {0, true}, {1, false}, {1, true}};
    useServer(0);
    for (const Attempt &attempt : kAttempts) {
        if (attempt.server != m_server)
            useServer(attempt.server);
        if (attempt.waitFirst)
            mycode::yanshi(0.5);
        if (m_stopped)
            return std::nullopt;
        const QString reply = mycode::XMLHttpRequest(QStringLiteral("GET"), m_bases[m_server] + QStringLiteral("4x.txt"), QString());
        if (m_stopped)
            return std::nullopt;
        if (reply.contains(u"[ok]"))
            return reply;
    }
    return std::nullopt;
}

bool ServerFeed::applyFeed(const QString &feed)
{
    // The tags apply in this order; a version mismatch ends the program
    // before any later tag.
    if (const auto title = tag_value(feed, u"[biaoti]"); title && !title->isEmpty())
        m_window->setWindowTitle(*title);

    if (const auto version = tag_value(feed, u"[banben]"); version && *version != kProgramVersion) {
        show_message(m_window, QStringLiteral("本软件已经升级，请下载新版后使用"), QStringLiteral("升级提示"));
        mycode::op_url(tag_value(feed, u"[shengji]").value_or(QString()));
        end_program();
        return false;
    }

    if (const auto news = tag_value(feed, u"[news]"); news && !news->isEmpty()) {
        show_message(m_window, *news, QStringLiteral("温馨提示"));
        if (m_stopped)
            return false;
    }

    for (int slot = 1; slot <= kLinkSlotCount; ++slot) {
        // A value without "[*]" names no address: the slot keeps what it has.
        const auto link = link_value(feed, QStringLiteral("[n%1]").arg(slot));
        if (!link)
            continue;
        m_links[slot - 1] = *link;
        if (slot <= 9)
            m_controls.C_gn_ding.value(slot)->setText(link->caption);
        else if (slot == kContactSlot)
            m_controls.L_di_ad.value(2)->setText(link->caption);
    }

    for (int advert = 0; advert < 2; ++advert) {
        if (const auto link = link_value(feed, QStringLiteral("[ad%1]").arg(advert + 1))) {
            m_controls.L_di_ad.value(advert)->setText(link->caption);
            m_adverts[advert] = link->address;
        }
    }

    if (const auto exit = tag_value(feed, u"[tuichu]"))
        m_exitAddress = *exit;
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

QString installation_key()
{
    QSettings settings(QStringLiteral("Vintora"), QStringLiteral("Morvane_4x_20170601"));
    settings.beginGroup(QStringLiteral("Startup"));
    QString key = settings.value(QStringLiteral("key")).toString();
    if (key.size() < 10) {
        key.clear();
        for (int i = 0; i < 15; ++i)
            key += QChar(u'0' + QRandomGenerator::system()->bounded(10));
        settings.setValue(QStringLiteral("key"), key);
    }
    return key;
}
