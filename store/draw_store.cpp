#include "store/draw_store.h"

#include "store/write_transaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <map>
#include <optional>

namespace {
constexpr int kSchemaVersion = 2;
// A program writing a large merge holds the file for well under a second.
constexpr int kBusyTimeoutMs = 10000;

struct SourceName
{
    DrawSource source;
    const char *name;
};
constexpr SourceName kSourceNames[] = {
    {DrawSource::Manual, "manual"},
    {DrawSource::File, "file"},
    {DrawSource::Feed, "feed"},
};

// A name the database holds but this program does not know counts as the
// player's: no served draw may overwrite it.
DrawSource sourceFromName(const QString &name)
{
    for (const SourceName &entry : kSourceNames) {
        if (name == QLatin1String(entry.name))
            return entry.source;
    }
    return DrawSource::Manual;
}

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

QVariant dateValue(const QDate &date)
{
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
}

QString newConnectionName()
{
    static std::atomic<int> opened{0};
    return QStringLiteral("vintora-draws-%1").arg(++opened);
}

struct Existing
{
    int number;
    DrawSource source;
};

// The queries one write runs for each draw, prepared once.
class DrawWriter
{
public:
    explicit DrawWriter(const QSqlDatabase &db)
        : m_find(db)
        , m_insert(db)
        , m_update(db)
    {
        m_prepared = m_find.prepare(QStringLiteral("SELECT number, source FROM draws WHERE issue = :issue"))
                     && m_insert.prepare(QStringLiteral("INSERT INTO draws (issue, number, date, source, added) "
                                                        "VALUES (:issue, :number, :date, :source, :added)"))
                     && m_update.prepare(QStringLiteral("UPDATE draws SET number = :number, date = :date, "
                                                        "source = :source, added = :added WHERE issue = :issue"));
    }

    bool isPrepared() const { return m_prepared; }
    QString error() const { return m_error; }

    // Nothing when the issue is new; false in `ok` when the query failed.
    std::optional<Existing> find(const QString &issue, bool &ok)
    {
        m_find.bindValue(QStringLiteral(":issue"), issue);
        ok = run(m_find);
        std::optional<Existing> existing;
        if (ok && m_find.next())
            existing = Existing{m_find.value(0).toInt(), sourceFromName(m_find.value(1).toString())};
        m_find.finish();
        return existing;
    }

    bool insert(const Draw &draw, DrawSource source) { return write(m_insert, draw, source); }
    bool update(const Draw &draw, DrawSource source) { return write(m_update, draw, source); }

private:
    bool write(QSqlQuery &query, const Draw &draw, DrawSource source)
    {
        query.bindValue(QStringLiteral(":issue"), draw.issue);
        query.bindValue(QStringLiteral(":number"), draw.number);
        query.bindValue(QStringLiteral(":date"), dateValue(draw.date));
        query.bindValue(QStringLiteral(":source"), source_name(source));
        query.bindValue(QStringLiteral(":added"), now());
        return run(query);
    }

    bool run(QSqlQuery &query)
    {
        if (query.exec())
            return true;
        m_error = query.lastError().text();
        return false;
    }

    QSqlQuery m_find, m_insert, m_update;
    bool m_prepared = false;
    QString m_error;
};
}

QString source_name(DrawSource source)
{
    for (const SourceName &entry : kSourceNames) {
        if (entry.source == source)
            return QLatin1String(entry.name);
    }
    return {};
}

QString default_draws_folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/vintora");
}

QString earlier_history_path(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("history.txt"));
}

DrawStore::DrawStore(const QString &folder)
    : m_folder(folder)
    , m_path(QDir(folder).filePath(QStringLiteral("draws.sqlite")))
{
    if (QDir().mkpath(folder)) {
        if (open(m_path))
            return;
        if (QFileInfo::exists(m_path)) {
            setAside();
            if (!m_setAside.isEmpty() && open(m_path)) {
                m_state = State::SetAside;
                return;
            }
        }
    }
    m_state = State::InMemory;
    open(QStringLiteral(":memory:"));
}

DrawStore::~DrawStore()
{
    close();
}

bool DrawStore::open(const QString &databaseName)
{
    close();
    m_connection = newConnectionName();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(databaseName);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (m_db.open() && isReadable() && migrate())
        return true;
    m_lastError = m_db.lastError().text();
    close();
    return false;
}

void DrawStore::close()
{
    if (m_connection.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

// A file that is no SQLite database fails the check; one that is, but
// whose tables do not hold what this program writes, fails the reads.
bool DrawStore::isReadable()
{
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()
        || check.value(0).toString() != QLatin1String("ok"))
        return false;
    check.finish();
    QSqlQuery version(m_db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return false;
    const int at = version.value(0).toInt();
    if (at < 1)
        return true;   // nothing to read yet: migrate() makes the tables
    return QSqlQuery(m_db).exec(QStringLiteral("SELECT issue, number, date, source, added FROM draws LIMIT 1"))
           && QSqlQuery(m_db).exec(QStringLiteral("SELECT base, etag FROM feed_etags LIMIT 1"))
           && (at < 2
               || QSqlQuery(m_db).exec(QStringLiteral("SELECT id, issue, kind, drawn, told, price, recorded, numbers, "
                                                      "scheme FROM bets LIMIT 1")));
}

// Each step brings the file one version forward and records it, inside the
// same transaction as the step. A store made now takes the draws the history
// window kept before there was a store.
bool DrawStore::migrate()
{
    auto version = [this] {
        QSqlQuery query(m_db);
        return query.exec(QStringLiteral("PRAGMA user_version")) && query.next() ? query.value(0).toInt() : -1;
    };
    if (version() >= kSchemaVersion)
        return true;
    WriteTransaction transaction(m_db);
    if (!transaction.isOpen())
        return false;
    const int from = version();   // another program may have done it meanwhile
    if (from < 0)
        return false;
    if (from < 1 && !(migrateTo1() && importEarlierHistory()))
        return false;
    if (from < 2 && !migrateTo2())
        return false;
    return transaction.commit();
}

bool DrawStore::migrateTo1()
{
    QSqlQuery query(m_db);
    return query.exec(QStringLiteral("CREATE TABLE draws ("
                                     " issue TEXT PRIMARY KEY NOT NULL,"
                                     " number INTEGER NOT NULL CHECK (number BETWEEN 0 AND 9999),"
                                     " date TEXT,"
                                     " source TEXT NOT NULL,"
                                     " added TEXT NOT NULL)"))
           && query.exec(QStringLiteral("CREATE TABLE feed_etags (base TEXT PRIMARY KEY NOT NULL, etag TEXT NOT NULL)"))
           && query.exec(QStringLiteral("PRAGMA user_version = 1"));
}

// The text file is read, never changed.
bool DrawStore::importEarlierHistory()
{
    const HistoryFile earlier = read_history_file(earlier_history_path(m_folder));
    if (earlier.status != HistoryFile::Read)
        return true;
    return write(read_draw_history(earlier.text).draws, DrawSource::Manual).written;
}

void DrawStore::setAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = m_path + QStringLiteral(".unreadable-") + stamp;
    if (!QFile::rename(m_path, aside))
        return;
    m_setAside = aside;
    // A journal left beside the old file belongs to it: a new file of the
    // same name would otherwise have it played into it.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        if (QFileInfo::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
}

QString DrawStore::problemText() const
{
    switch (m_state) {
    case State::Ready:
        break;
    case State::SetAside:
        return QStringLiteral("开奖数据库无法读取，已改名为：\n%1\n并新建了开奖数据库。")
            .arg(QDir::toNativeSeparators(m_setAside));
    case State::InMemory:
        return QStringLiteral("开奖数据库无法保存到：\n%1\n本次的开奖号只保存在内存中，关闭后不再保留。")
            .arg(QDir::toNativeSeparators(m_path));
    }
    return {};
}

QList<StoredDraw> DrawStore::draws() const
{
    QList<StoredDraw> draws;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT issue, number, date, source, added FROM draws "
                                   "ORDER BY length(ltrim(issue, '0')), ltrim(issue, '0'), issue")))
        return draws;
    while (query.next()) {
        StoredDraw draw;
        draw.issue = query.value(0).toString();
        draw.number = query.value(1).toInt();
        draw.date = QDate::fromString(query.value(2).toString(), Qt::ISODate);
        draw.source = sourceFromName(query.value(3).toString());
        draw.added = QDateTime::fromString(query.value(4).toString(), Qt::ISODateWithMs);
        draws.append(draw);
    }
    return draws;
}

WriteOutcome DrawStore::enter(const QList<Draw> &draws, DrawSource source)
{
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    WriteOutcome outcome;
    if (transaction.isOpen())
        outcome = write(draws, source);
    outcome.written = outcome.written && settleBets() && transaction.commit();
    if (!outcome.written)
        m_lastError = firstError({m_lastError, transaction.error()});
    return outcome;
}

WriteOutcome DrawStore::merge(const QList<Draw> &served, const QString &base, const QString &etag)
{
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    WriteOutcome outcome;
    if (transaction.isOpen())
        outcome = write(served, DrawSource::Feed);
    if (outcome.written) {
        QSqlQuery keep(m_db);
        const bool prepared = etag.isEmpty()
            ? keep.prepare(QStringLiteral("DELETE FROM feed_etags WHERE base = :base"))
            : keep.prepare(QStringLiteral("INSERT OR REPLACE INTO feed_etags (base, etag) VALUES (:base, :etag)"));
        keep.bindValue(QStringLiteral(":base"), base);
        if (!etag.isEmpty())
            keep.bindValue(QStringLiteral(":etag"), etag);
        outcome.written = prepared && keep.exec();
        if (!outcome.written)
            m_lastError = keep.lastError().text();
    }
    outcome.written = outcome.written && settleBets() && transaction.commit();
    if (!outcome.written)
        m_lastError = firstError({m_lastError, transaction.error()});
    return outcome;
}

// The player's draws replace whatever their issue held; served draws replace
// only served ones, and the player's that differ are listed as conflicts.
WriteOutcome DrawStore::write(const QList<Draw> &draws, DrawSource source)
{
    WriteOutcome outcome;
    DrawWriter writer(m_db);
    bool ok = writer.isPrepared();
    for (qsizetype i = 0; ok && i < draws.size(); ++i) {
        const Draw &draw = draws[i];
        if (draw.issue.isEmpty()) {
            ++outcome.skipped;
            continue;
        }
        const std::optional<Existing> existing = writer.find(draw.issue, ok);
        if (!ok)
            break;
        if (!existing) {
            ok = writer.insert(draw, source);
            ++outcome.added;
        } else if (existing->number == draw.number) {
            ++outcome.unchanged;
        } else if (source != DrawSource::Feed || existing->source == DrawSource::Feed) {
            ok = writer.update(draw, source);
            ++outcome.changed;
        } else {
            outcome.conflicts.append({draw.issue, existing->number, draw.number});
        }
    }
    if (!ok)
        m_lastError = firstError({writer.error(), m_db.lastError().text()});
    outcome.written = ok;
    return outcome;
}

QString DrawStore::etag(const QString &base) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT etag FROM feed_etags WHERE base = :base"));
    query.bindValue(QStringLiteral(":base"), base);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool DrawStore::remove(const QStringList &issues)
{
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    QSqlQuery query(m_db);
    bool ok = transaction.isOpen() && query.prepare(QStringLiteral("DELETE FROM draws WHERE issue = :issue"));
    for (qsizetype i = 0; ok && i < issues.size(); ++i) {
        query.bindValue(QStringLiteral(":issue"), issues[i]);
        ok = query.exec();
    }
    ok = ok && settleBets() && transaction.commit();
    if (!ok)
        m_lastError = firstError({m_lastError, transaction.error(), query.lastError().text()});
    return ok;
}

bool DrawStore::correct(const QString &issue, int number)
{
    if (number < 0 || number > 9999)
        return false;
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    QSqlQuery query(m_db);
    bool ok = transaction.isOpen()
              && query.prepare(QStringLiteral("UPDATE draws SET number = :number, source = :source, added = :added "
                                              "WHERE issue = :issue"));
    query.bindValue(QStringLiteral(":number"), number);
    query.bindValue(QStringLiteral(":source"), source_name(DrawSource::Manual));
    query.bindValue(QStringLiteral(":added"), now());
    query.bindValue(QStringLiteral(":issue"), issue);
    ok = ok && query.exec() && query.numRowsAffected() == 1 && settleBets() && transaction.commit();
    if (!ok)
        m_lastError = firstError({m_lastError, transaction.error(), query.lastError().text()});
    return ok;
}

QStringList missing_issues(const QStringList &issues)
{
    // Per year, the counts present; a year's run is its lowest to its highest.
    std::map<std::pair<qsizetype, QString>, QList<int>> years;   // ordered as whole numbers
    for (const QString &issue : issues) {
        if (issue.size() < 5 || !std::all_of(issue.begin(), issue.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; }))
            continue;
        QString year = issue.first(issue.size() - 3);
        while (year.size() > 1 && year.startsWith(u'0'))
            year.remove(0, 1);
        years[{year.size(), year}].append(issue.last(3).toInt());
    }
    QStringList missing;
    for (auto &[year, counts] : years) {
        std::sort(counts.begin(), counts.end());
        for (qsizetype i = 1; i < counts.size(); ++i) {
            for (int count = counts[i - 1] + 1; count < counts[i]; ++count)
                missing.append(year.second + QStringLiteral("%1").arg(count, 3, 10, QChar(u'0')));
        }
    }
    return missing;
}
