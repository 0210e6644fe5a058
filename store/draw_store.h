#pragma once

#include "core/history.h"
#include "store/bets.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Where a stored draw came from. The player's own entries (typed or pasted,
// or loaded from a file) are never overwritten by a served draw.
enum class DrawSource { Manual, File, Feed };

// "manual", "file" or "feed", as the store and the command line write it.
QString source_name(DrawSource source);

struct StoredDraw
{
    QString issue;
    int number = 0;
    QDate date;             // null where the draw came without one
    DrawSource source = DrawSource::Manual;
    QDateTime added;        // when the row was written last, in UTC
};

// A served draw that differs from the one the player entered for its issue.
struct DrawConflict
{
    QString issue;
    int stored = 0;
    int served = 0;
};

// What writing draws did; `written` is false when nothing was.
struct WriteOutcome
{
    bool written = false;
    int added = 0;
    int changed = 0;        // another number for a known issue, where it may replace the old one
    int unchanged = 0;
    int skipped = 0;        // draws without an issue number, which cannot be kept
    QList<DrawConflict> conflicts;
};

// The most draws one write should be given: a draw a day for over a
// century. Writes run on the window's thread; a text near the size limits of
// files could hold a million draws, which would hold the window for seconds.
constexpr qsizetype kMaxDrawsPerWrite = 50000;

// The past draws, one row per issue number, and the bets placed on them,
// in `draws.sqlite` in the given folder. Every write is one transaction: it
// lands whole or not at all, and a write to the draws checks the bets of
// their issues in it. Several programs may write at once; each waits for
// the other's transaction instead of failing.
//
// Opening never fails. A file that cannot be opened or read as a store is
// renamed aside (never deleted) and a new one made; where no file can be
// made at all, the store lives in memory until it is closed.
class DrawStore
{
public:
    enum class State {
        Ready,
        SetAside,   // the old file was unreadable and now carries another name
        InMemory,   // nothing reaches the disk
    };

    explicit DrawStore(const QString &folder);
    ~DrawStore();
    DrawStore(const DrawStore &) = delete;
    DrawStore &operator=(const DrawStore &) = delete;

    State state() const { return m_state; }
    QString filePath() const { return m_path; }
    // Where the unreadable file went (SetAside).
    QString setAsidePath() const { return m_setAside; }
    // The state told to the player in their words; empty when Ready.
    QString problemText() const;
    // The database's words for the last failed write.
    QString lastError() const { return m_lastError; }

    // Oldest first: issue numbers compare as whole numbers.
    QList<StoredDraw> draws() const;

    // The player's draws: a new issue is added, another number for a known
    // issue replaces it.
    WriteOutcome enter(const QList<Draw> &draws, DrawSource source);

    // Draws served from `base`, with the server's ETag for them, which is
    // kept in the same transaction: a new issue is added, a changed earlier
    // served draw is corrected, and a draw the player entered stays and is
    // reported as a conflict when the server's differs.
    WriteOutcome merge(const QList<Draw> &served, const QString &base, const QString &etag);
    // The ETag of the draws last merged from `base`; empty when none.
    QString etag(const QString &base) const;

    // The player's corrections; false when nothing was written.
    bool remove(const QStringList &issues);
    bool correct(const QString &issue, int number);

    // The record of bets. A bet is refused for an issue already drawn, and
    // when the same list was recorded for its issue before.
    BetRecording recordBet(const Bet &bet, const QByteArray &scheme);
    // Oldest issue first, each bet with the draw of its issue where stored.
    QList<StoredBet> bets() const;
    bool removeBet(qint64 id);
    // The bets drawn since their result was last taken, each taken once:
    // several programs may share the store, and one tells the player.
    QList<StoredBet> takeUntoldResults();

private:
    bool open(const QString &databaseName);
    bool migrate();
    bool migrateTo1();
    bool migrateTo2();
    bool settleBets();
    bool importEarlierHistory();
    bool isReadable();
    void close();
    void setAside();
    WriteOutcome write(const QList<Draw> &draws, DrawSource source);

    QString m_folder;
    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    State m_state = State::Ready;
    QString m_setAside;
    QString m_lastError;
};

// The folder of the store and of the history window's texts, the same for
// every program of the project: "vintora" in the user's data folder.
QString default_draws_folder();

// The text the history window kept its draws in before there was a store.
// A store takes its draws when it is made, and never writes the file, so a
// store made again later takes them again.
QString earlier_history_path(const QString &folder);

// Issue numbers missing inside a year's run, ascending. An issue of five or
// more digits is its year followed by a three-digit count (2026045 is the
// 45th draw of 2026); shorter ones belong to no run.
QStringList missing_issues(const QStringList &issues);
