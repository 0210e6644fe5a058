// DrawStore's record of bets: each bet is kept with the draw of its issue as
// the store last saw it, and checked against that draw on reading. Any write
// to the draws brings the bets of the issues it touched up to date in the
// same transaction, so a bet is never checked against a draw the store no
// longer holds.
#include "store/draw_store.h"

#include "store/write_transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace {
// A 10,000-bit set is 1,250 bytes on disk, bit n in byte n / 8: a bet of
// every number is stored and read as quickly as one of ten.
constexpr int kBlobBytes = (kCandidateCount + 7) / 8;

QByteArray blobOf(const CandidateSet &numbers)
{
    QByteArray blob(kBlobBytes, '\0');
    for (int w = 0; w < CandidateSet::kWords; ++w) {
        for (int byte = 0; byte < 8 && w * 8 + byte < kBlobBytes; ++byte)
            blob[w * 8 + byte] = char(numbers.words[w] >> (8 * byte));
    }
    return blob;
}

// Bits past 9999 are dropped: a set never holds them.
CandidateSet numbersOf(const QByteArray &blob)
{
    CandidateSet numbers;
    for (int i = 0; i < std::min<qsizetype>(blob.size(), kBlobBytes); ++i)
        numbers.words[i / 8] |= uint64_t(uint8_t(blob[i])) << (8 * (i % 8));
    numbers.words[CandidateSet::kWords - 1] &= CandidateSet::candidateBits(CandidateSet::kWords - 1);
    return numbers;
}

QString kindName(BetKind kind)
{
    return kind == BetKind::Straight ? QStringLiteral("straight") : QStringLiteral("group");
}

constexpr char kBetColumns[] = "id, issue, kind, numbers, price, drawn, recorded, scheme";

StoredBet betOf(const QSqlQuery &row)
{
    StoredBet stored;
    stored.id = row.value(0).toLongLong();
    Bet &bet = stored.bet;
    bet.issue = row.value(1).toString();
    bet.kind = row.value(2).toString() == u"group" ? BetKind::Group : BetKind::Straight;
    bet.numbers = numbersOf(row.value(3).toByteArray());
    bet.price = row.value(4).toInt();
    if (!row.value(5).isNull())
        bet.drawn = row.value(5).toInt();
    stored.recorded = QDateTime::fromString(row.value(6).toString(), Qt::ISODateWithMs);
    stored.scheme = row.value(7).toByteArray();
    return stored;
}

QList<StoredBet> betsOf(QSqlQuery &query)
{
    QList<StoredBet> bets;
    while (query.next())
        bets.append(betOf(query));
    return bets;
}

bool isDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}
}

QString next_issue(const QString &newest, int thisYear)
{
    if (!isDigits(newest))
        return {};
    // A shorter issue is a plain count, which may grow a digit.
    if (newest.size() < 5)
        return QStringLiteral("%1").arg(newest.toInt() + 1, int(newest.size()), 10, QChar(u'0'));
    // A year's run counts in the last three digits after the year; the
    // first draw of a year follows the last of the one before.
    if (newest.size() == 7 && newest.first(4).toInt() < thisYear)
        return QString::number(thisYear) + QStringLiteral("001");
    const int count = newest.last(3).toInt();
    if (count == 999)
        return {};
    return newest.first(newest.size() - 3) + QStringLiteral("%1").arg(count + 1, 3, 10, QChar(u'0'));
}

bool DrawStore::migrateTo2()
{
    QSqlQuery query(m_db);
    // The draw a bet was checked against comes before the sets and the
    // scheme, so finding the bets to check again reads no large value.
    return query.exec(QStringLiteral("CREATE TABLE bets ("
                                     " id INTEGER PRIMARY KEY,"
                                     " issue TEXT NOT NULL,"
                                     " kind TEXT NOT NULL CHECK (kind IN ('straight', 'group')),"
                                     " drawn INTEGER CHECK (drawn BETWEEN 0 AND 9999),"
                                     " told INTEGER NOT NULL DEFAULT 0,"
                                     " price INTEGER NOT NULL CHECK (price > 0),"
                                     " recorded TEXT NOT NULL,"
                                     " numbers BLOB NOT NULL,"
                                     " scheme TEXT NOT NULL,"
                                     " UNIQUE (issue, kind, numbers))"))
           && query.exec(QStringLiteral("PRAGMA user_version = 2"));
}

BetRecording DrawStore::recordBet(const Bet &bet, const QByteArray &scheme)
{
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    const QByteArray numbers = blobOf(bet.numbers);
    QSqlQuery drawn(m_db);
    QSqlQuery same(m_db);
    QSqlQuery insert(m_db);
    const bool prepared =
        drawn.prepare(QStringLiteral("SELECT 1 FROM draws WHERE issue = :issue"))
        && same.prepare(QStringLiteral("SELECT 1 FROM bets WHERE issue = :issue AND kind = :kind AND numbers = :numbers"))
        && insert.prepare(QStringLiteral("INSERT INTO bets (issue, kind, price, recorded, numbers, scheme) "
                                         "VALUES (:issue, :kind, :price, :recorded, :numbers, :scheme)"));
    drawn.bindValue(QStringLiteral(":issue"), bet.issue);
    for (QSqlQuery *query : {&same, &insert}) {
        query->bindValue(QStringLiteral(":issue"), bet.issue);
        query->bindValue(QStringLiteral(":kind"), kindName(bet.kind));
        query->bindValue(QStringLiteral(":numbers"), numbers);
    }
    insert.bindValue(QStringLiteral(":price"), bet.price);
    insert.bindValue(QStringLiteral(":recorded"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    insert.bindValue(QStringLiteral(":scheme"), QString::fromUtf8(scheme));

    if (transaction.isOpen() && prepared && drawn.exec() && same.exec()) {
        if (drawn.next())
            return BetRecording::AlreadyDrawn;
        if (same.next())
            return BetRecording::AlreadyRecorded;
        if (insert.exec() && transaction.commit())
            return BetRecording::Recorded;
    }
    m_lastError = firstError({transaction.error(), insert.lastError().text(), same.lastError().text(),
                              drawn.lastError().text()});
    return BetRecording::NotStored;
}

QList<StoredBet> DrawStore::bets() const
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM bets ORDER BY length(ltrim(issue, '0')), ltrim(issue, '0'), issue, id")
                        .arg(QLatin1String(kBetColumns))))
        return {};
    return betsOf(query);
}

bool DrawStore::removeBet(qint64 id)
{
    m_lastError.clear();
    WriteTransaction transaction(m_db);
    QSqlQuery query(m_db);
    const bool ok = transaction.isOpen() && query.prepare(QStringLiteral("DELETE FROM bets WHERE id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (ok && query.exec() && query.numRowsAffected() == 1 && transaction.commit())
        return true;
    m_lastError = firstError({transaction.error(), query.lastError().text()});
    return false;
}

QList<StoredBet> DrawStore::takeUntoldResults()
{
    WriteTransaction transaction(m_db);
    QSqlQuery untold(m_db);
    untold.setForwardOnly(true);
    if (!transaction.isOpen()
        || !untold.exec(QStringLiteral("SELECT %1 FROM bets WHERE drawn IS NOT NULL AND told = 0 ORDER BY id")
                            .arg(QLatin1String(kBetColumns))))
        return {};
    QList<StoredBet> results = betsOf(untold);
    untold.finish();
    // Told once: a result that cannot be marked is told again next time.
    if (!QSqlQuery(m_db).exec(QStringLiteral("UPDATE bets SET told = 1 WHERE drawn IS NOT NULL AND told = 0"))
        || !transaction.commit())
        return {};
    return results;
}

// A bet whose issue now has another draw than it was checked against (a
// new draw, a corrected one, none after a deletion) takes the new one, and
// its result is told afresh.
bool DrawStore::settleBets()
{
    QSqlQuery changed(m_db);
    changed.setForwardOnly(true);
    if (!changed.exec(QStringLiteral("SELECT b.id, d.number FROM bets b LEFT JOIN draws d ON d.issue = b.issue "
                                     "WHERE b.drawn IS NOT d.number"))) {
        m_lastError = changed.lastError().text();
        return false;
    }
    QList<std::pair<qint64, QVariant>> settled;
    while (changed.next())
        settled.append({changed.value(0).toLongLong(), changed.value(1)});
    changed.finish();
    QSqlQuery mark(m_db);
    if (!mark.prepare(QStringLiteral("UPDATE bets SET drawn = :drawn, told = 0 WHERE id = :id"))) {
        m_lastError = mark.lastError().text();
        return false;
    }
    for (const auto &[id, drawn] : std::as_const(settled)) {
        mark.bindValue(QStringLiteral(":drawn"), drawn);
        mark.bindValue(QStringLiteral(":id"), id);
        if (!mark.exec()) {
            m_lastError = mark.lastError().text();
            return false;
        }
    }
    return true;
}
