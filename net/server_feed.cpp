#include "net/server_feed.h"

#include "net/http.h"

#include <QRandomGenerator>
#include <QSettings>

namespace {
constexpr QStringView kProgramVersion = u"20170601";
}

std::array<QString, 2> feed_base_addresses()
{
    auto address = [](const char *variable, const char *builtIn) {
        QString base = qEnvironmentVariable(variable);
        if (base.isEmpty())
            base = QLatin1String(builtIn);
        // Both files are named beneath the base, so it must end in a folder.
        if (!base.endsWith(u'/'))
            base += u'/';
        return base;
    };
    return {address("VINTORA_FEED_PRIMARY", VINTORA_FEED_PRIMARY),
            address("VINTORA_FEED_SECONDARY", VINTORA_FEED_SECONDARY)};
}

FeedRecord parse_feed(QStringView feed)
{
    FeedRecord record;
    record.title = tag_value(feed, u"[biaoti]").value_or(QString());
    if (const auto version = tag_value(feed, u"[banben]"); version && *version != kProgramVersion) {
        record.outdated = true;
        record.upgradeAddress = tag_value(feed, u"[shengji]").value_or(QString());
    }
    record.news = tag_value(feed, u"[news]").value_or(QString());
    for (int slot = 1; slot <= kLinkSlotCount; ++slot)
        record.links[slot - 1] = link_value(feed, QStringLiteral("[n%1]").arg(slot));
    for (int advert = 1; advert <= 2; ++advert)
        record.adverts[advert - 1] = link_value(feed, QStringLiteral("[ad%1]").arg(advert));
    record.exitAddress = tag_value(feed, u"[tuichu]");
    return record;
}

FeedOutcome read_feed(const std::array<QString, 2> &bases, const FeedHooks &hooks)
{
    struct Attempt
    {
        int server;
        bool waitFirst;
    };
    static constexpr Attempt kAttempts[] = {{0, false}, {0, true}, {1, false}, {1, true}};
    FeedOutcome outcome;
    hooks.serverTaken(0);
    for (const Attempt &attempt : kAttempts) {
        if (attempt.server != outcome.server) {
            outcome.server = attempt.server;
            hooks.serverTaken(attempt.server);
        }
        if (attempt.waitFirst)
            hooks.wait(0.5);
        if (hooks.stopped()) {
            outcome.failure = FeedFailure::Stopped;
            return outcome;
        }
        const QString reply = http_request(QStringLiteral("GET"), bases[outcome.server] + QStringLiteral("4x.txt"),
                                           QString(), kRequestTimeout);
        if (hooks.stopped()) {
            outcome.failure = FeedFailure::Stopped;
            return outcome;
        }
        if (reply.contains(u"[ok]")) {
            outcome.record = parse_feed(reply);
            return outcome;
        }
    }
    outcome.failure = FeedFailure::NoAnswer;
    return outcome;
}

void report_installation(const QString &base, const QString &key)
{
    http_request(QStringLiteral("POS"), base + QStringLiteral("ip.asp"), key, kRequestTimeout);
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
