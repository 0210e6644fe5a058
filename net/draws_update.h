#pragma once

#include "store/draw_store.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <chrono>
#include <optional>


// A served draws file is a few hundred kilobytes; a longer one is not ours.
constexpr qint64 kMaxDrawsBytes = 16 * 1024 * 1024;

// Why a server's draws were not taken.
enum class DrawsProblem {
    Unreachable,    // no connection, or the transfer broke off
    TimedOut,
    HttpStatus,     // an answer other than 200 or 304
    TooLarge,
    NotText,        // not UTF-8 text
    NoDraws,        // text, but not one draw with an issue number
    TooManyDraws,
    NotStored,      // the store refused the merge
};

struct DrawsFailure
{
    int server = 0;         // 0 primary, 1 secondary
    DrawsProblem problem = DrawsProblem::Unreachable;
    int status = 0;         // HttpStatus: the status the server sent
};

// What one update did.
struct DrawsUpdateReport
{
    enum Outcome { Merged, Unchanged, Failed };
    Outcome outcome = Failed;
    int server = 0;                     // the server whose draws were taken
    QList<DrawsFailure> failures;       // in the order the servers were asked
    WriteOutcome merge;
    int skippedLines = 0;               // served lines without a draw or an issue number
    QStringList missing;                // the store's gaps after the update
};

// The report in one line for the player: at most `listed` conflicts and
// missing issues are named.
QString describe_update(const DrawsUpdateReport &report, int listed);

// Fetches "draws.txt" beneath the primary base address, else beneath the
// secondary one, and merges what it serves into the store. A server asked
// before is asked with the ETag it gave, and a 304 leaves the store as it is.
// Runs on the event loop: nothing waits for it, and it waits for nothing.
class DrawsUpdate : public QObject
{
    Q_OBJECT
public:
    explicit DrawsUpdate(DrawStore &store, QObject *parent = nullptr);
    ~DrawsUpdate() override;

    // The program uses feed_base_addresses(); tests use their own servers.
    void setBaseAddresses(const QString &primary, const QString &secondary);
    // How long one server may take to answer in full.
    void setTimeout(std::chrono::milliseconds timeout);

    bool isRunning() const { return m_reply != nullptr; }
    // The report of the last update that finished.
    const std::optional<DrawsUpdateReport> &lastReport() const { return m_lastReport; }

    // Starts an update; nothing when one is running.
    void start();

signals:
    void finished(const DrawsUpdateReport &report);

private:
    void ask(int server);
    void onReplyFinished();
    void take(const QByteArray &body, const QString &etag);
    void fail(DrawsProblem problem, int status = 0);
    void finish(DrawsUpdateReport::Outcome outcome);
    QString drawsAddress(int server) const;

    DrawStore &m_store;
    QNetworkAccessManager m_manager;
    std::array<QString, 2> m_bases;
    std::chrono::milliseconds m_timeout;
    QTimer m_deadline;
    QPointer<QNetworkReply> m_reply;
    std::optional<DrawsProblem> m_abortedFor;
    DrawsUpdateReport m_report;
    std::optional<DrawsUpdateReport> m_lastReport;
};
