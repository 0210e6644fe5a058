#include "net/draws_update.h"

#include "core/history.h"
#include "core/shrink.h"
#include "net/http.h"
#include "net/server_feed.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <algorithm>

namespace {
// A host that has not sent the whole file by then is given up.
constexpr std::chrono::seconds kDefaultTimeout{30};

QString serverName(int server)
{
    return server == 0 ? QStringLiteral("服务器A") : QStringLiteral("服务器B");
}

QString problemText(const DrawsFailure &failure)
{
    switch (failure.problem) {
    case DrawsProblem::Unreachable: return QStringLiteral("无法连接");
    case DrawsProblem::TimedOut: return QStringLiteral("没有及时回应");
    case DrawsProblem::HttpStatus: return QStringLiteral("回应 HTTP %1").arg(failure.status);
    case DrawsProblem::TooLarge: return QStringLiteral("开奖文件超过 %1 MB").arg(kMaxDrawsBytes / (1024 * 1024));
    case DrawsProblem::NotText: return QStringLiteral("开奖文件不是文本");
    case DrawsProblem::NoDraws: return QStringLiteral("开奖文件中没有带期号的开奖号");
    case DrawsProblem::TooManyDraws: return QStringLiteral("开奖文件超过 %1 期").arg(kMaxDrawsPerWrite);
    case DrawsProblem::NotStored: return QStringLiteral("开奖号无法写入开奖数据库");
    }
    return {};
}

QStringList issuesOf(const QList<StoredDraw> &draws)
{
    QStringList issues;
    issues.reserve(draws.size());
    for (const StoredDraw &draw : draws)
        issues.append(draw.issue);
    return issues;
}
}

QString describe_update(const DrawsUpdateReport &report, int listed)
{
    if (report.outcome == DrawsUpdateReport::Failed) {
        QStringList reasons;
        for (const DrawsFailure &failure : report.failures)
            reasons.append(serverName(failure.server) + QStringLiteral("：") + problemText(failure));
        return QStringLiteral("更新开奖失败：") + reasons.join(QStringLiteral("；"));
    }
    QStringList parts;
    const WriteOutcome &merge = report.merge;
    if (report.outcome == DrawsUpdateReport::Unchanged)
        parts.append(QStringLiteral("开奖号没有变化"));
    else if (merge.added == 0 && merge.changed == 0)
        parts.append(QStringLiteral("没有新的开奖号"));
    else if (merge.changed == 0)
        parts.append(QStringLiteral("新增 %1 期").arg(merge.added));
    else
        parts.append(QStringLiteral("新增 %1 期，更正 %2 期").arg(merge.added).arg(merge.changed));
    for (const DrawConflict &conflict : merge.conflicts.mid(0, listed)) {
        parts.append(QStringLiteral("%1：本地 %2，服务器 %3")
                         .arg(conflict.issue, four_digits(conflict.stored), four_digits(conflict.served)));
    }
    if (merge.conflicts.size() > listed)
        parts.append(QStringLiteral("另有 %1 期冲突").arg(merge.conflicts.size() - listed));
    if (!report.missing.isEmpty()) {
        parts.append(QStringLiteral("缺少 %1 期：").arg(report.missing.size())
                     + report.missing.mid(0, listed).join(QStringLiteral("、"))
                     + (report.missing.size() > listed ? QStringLiteral("……") : QString()));
    }
    if (report.skippedLines > 0)
        parts.append(QStringLiteral("跳过 %1 行").arg(report.skippedLines));
    return serverName(report.server) + QStringLiteral("：") + parts.join(QStringLiteral("；"));
}

DrawsUpdate::DrawsUpdate(DrawStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_bases(feed_base_addresses())
    , m_timeout(kDefaultTimeout)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_abortedFor = DrawsProblem::TimedOut;
        m_reply->abort();
    });
}

DrawsUpdate::~DrawsUpdate()
{
    // The store may go before the manager takes its replies down.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void DrawsUpdate::setBaseAddresses(const QString &primary, const QString &secondary)
{
    m_bases = {primary, secondary};
}

void DrawsUpdate::setTimeout(std::chrono::milliseconds timeout)
{
    m_timeout = timeout;
}

void DrawsUpdate::start()
{
    if (isRunning())
        return;
    m_report = {};
    ask(0);
}

QString DrawsUpdate::drawsAddress(int server) const
{
    return m_bases[server] + QStringLiteral("draws.txt");
}

void DrawsUpdate::ask(int server)
{
    m_report.server = server;
    m_abortedFor.reset();
    const std::optional<QUrl> address = web_page(drawsAddress(server));
    if (!address) {
        fail(DrawsProblem::Unreachable);
        return;
    }
    QNetworkRequest request(*address);
    const QString etag = m_store.etag(m_bases[server]);
    if (!etag.isEmpty())
        request.setRawHeader("If-None-Match", etag.toLatin1());
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > kMaxDrawsBytes || total > kMaxDrawsBytes) {
            m_abortedFor = DrawsProblem::TooLarge;
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &DrawsUpdate::onReplyFinished);
    m_deadline.start(m_timeout);
}

void DrawsUpdate::onReplyFinished()
{
    m_deadline.stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_abortedFor)
        fail(*m_abortedFor);
    else if (status == 304)
        finish(DrawsUpdateReport::Unchanged);
    else if (status == 0)
        fail(DrawsProblem::Unreachable);
    else if (status != 200 || reply->error() != QNetworkReply::NoError)
        fail(DrawsProblem::HttpStatus, status);
    else
        take(reply->readAll(), QString::fromLatin1(reply->rawHeader("ETag")));
}

void DrawsUpdate::take(const QByteArray &body, const QString &etag)
{
    if (body.size() > kMaxDrawsBytes) {
        fail(DrawsProblem::TooLarge);
        return;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(body);
    if (utf8.hasError() || body.contains('\0')) {
        fail(DrawsProblem::NotText);
        return;
    }
    const DrawHistory served = read_draw_history(text);
    if (served.draws.size() > kMaxDrawsPerWrite) {
        fail(DrawsProblem::TooManyDraws);
        return;
    }
    if (std::none_of(served.draws.begin(), served.draws.end(), [](const Draw &d) { return !d.issue.isEmpty(); })) {
        fail(DrawsProblem::NoDraws);
        return;
    }
    m_report.merge = m_store.merge(served.draws, m_bases[m_report.server], etag);
    if (!m_report.merge.written) {
        fail(DrawsProblem::NotStored);
        return;
    }
    m_report.skippedLines = int(served.malformed.size()) + m_report.merge.skipped;
    finish(DrawsUpdateReport::Merged);
}

void DrawsUpdate::fail(DrawsProblem problem, int status)
{
    m_report.failures.append({m_report.server, problem, status});
    // The next server may answer better; a store that refused will not.
    if (problem != DrawsProblem::NotStored && m_report.server == 0)
        ask(1);
    else
        finish(DrawsUpdateReport::Failed);
}

void DrawsUpdate::finish(DrawsUpdateReport::Outcome outcome)
{
    m_report.outcome = outcome;
    if (outcome != DrawsUpdateReport::Failed)
        m_report.missing = missing_issues(issuesOf(m_store.draws()));
    m_lastReport = m_report;
    emit finished(m_report);
}
