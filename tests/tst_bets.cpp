// The record of bets in the draw store: what is refused, what each kind of
// write to the draws makes of a bet, told once, and the totals beside chance.
#include "filters/chance.h"
#include "store/draw_store.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
enum class Write { None, Typed, Feed, Corrected, Removed };

CandidateSet setOf(const QString &numbers)
{
    CandidateSet set;
    if (numbers == u"all")
        return set.complement();
    for (const QString &number : numbers.split(u' ', Qt::SkipEmptyParts))
        set.insert(number.toInt());
    return set;
}

Bet betOn(const QString &issue, BetKind kind, const QString &numbers, std::optional<int> drawn = {})
{
    return Bet{.issue = issue, .kind = kind, .numbers = setOf(numbers), .price = 2, .drawn = drawn};
}

bool enterDraw(DrawStore &store, const QString &issue, int number)
{
    return store.enter({Draw{.issue = issue, .number = number}}, DrawSource::Manual).written;
}
}

Q_DECLARE_METATYPE(Bet)
Q_DECLARE_METATYPE(BetKind)
Q_DECLARE_METATYPE(PrizeAmounts)
Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(Write)

class TestBets : public QObject
{
    Q_OBJECT
private slots:
    void checkedByTheDraw_data();
    void checkedByTheDraw();
    void refusals();
    void earlierStoreGainsTheRecord();
    void totals_data();
    void totals();
    void nextIssue_data();
    void nextIssue();
};

void TestBets::checkedByTheDraw_data()
{
    QTest::addColumn<BetKind>("kind");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<Write>("write");
    QTest::addColumn<QString>("told");      // what the window says once; empty: nothing

    const auto straight = BetKind::Straight, group = BetKind::Group;
    QTest::newRow("pending") << straight << "0123 4567" << Write::None << "";
    QTest::newRow("straight lost to an ordering") << straight << "0123 4567" << Write::Feed
                                                  << "2026046 期投注：未中奖（开奖号 7654）";
    QTest::newRow("group lost") << group << "0123" << Write::Typed << "2026046 期投注：未中奖（开奖号 4567）";
    QTest::newRow("every number, from the feed") << straight << "all" << Write::Feed << "2026046 期投注：中直选";
    QTest::newRow("corrected draw told afresh") << straight << "0124" << Write::Corrected << "2026046 期投注：中直选";
    QTest::newRow("removed draw back to pending") << straight << "4567" << Write::Removed << "";
}

void TestBets::checkedByTheDraw()
{
    QFETCH(BetKind, kind);
    QFETCH(QString, numbers);
    QFETCH(Write, write);

    QTemporaryDir folder;
    DrawStore store(folder.path());
    const Bet bet = betOn(QStringLiteral("2026046"), kind, numbers);
    QCOMPARE(store.recordBet(bet, "{}"), BetRecording::Recorded);
    const QString issue = bet.issue;
    switch (write) {
    case Write::None:
        break;
    case Write::Typed:
        QVERIFY(enterDraw(store, issue, 4567));
        break;
    case Write::Feed:
        QVERIFY(store.merge({Draw{.issue = issue, .number = 7654}}, QStringLiteral("http://feed/"), {}).written);
        break;
    case Write::Corrected:
        QVERIFY(enterDraw(store, issue, 4567));
        QCOMPARE(store.takeUntoldResults().size(), 1);
        QVERIFY(store.correct(issue, 124));
        break;
    case Write::Removed:
        QVERIFY(enterDraw(store, issue, 4567));
        QVERIFY(store.remove({issue}));
        break;
    }
    // The numbers come back whole, and a draw of another issue leaves the bet be.
    QVERIFY(enterDraw(store, QStringLiteral("2026045"), 123));
    const QList<StoredBet> stored = store.bets();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].bet.numbers, bet.numbers);
    QCOMPARE(stored[0].bet.kind, kind);
    QCOMPARE(stored[0].scheme, QByteArray("{}"));

    QStringList told;
    for (const StoredBet &result : store.takeUntoldResults())
        told.append(bet_told_text(result.bet));
    QTEST(told.join(QString()), "told");
    QVERIFY(store.takeUntoldResults().isEmpty());
}

void TestBets::refusals()
{
    QTemporaryDir folder;
    DrawStore store(folder.path());
    const Bet straight = betOn(QStringLiteral("2026046"), BetKind::Straight, QStringLiteral("1234 0001"));
    QCOMPARE(store.recordBet(straight, "{}"), BetRecording::Recorded);
    QCOMPARE(store.recordBet(straight, "{\"other\": 1}"), BetRecording::AlreadyRecorded);
    // The same numbers as groups are another bet.
    Bet asGroups = straight;
    asGroups.kind = BetKind::Group;
    QCOMPARE(store.recordBet(asGroups, "{}"), BetRecording::Recorded);

    // A deleted bet is gone, and may be recorded again.
    QVERIFY(store.removeBet(store.bets().constFirst().id));
    QVERIFY(!store.removeBet(store.bets().constFirst().id + 1000));
    QCOMPARE(store.bets().size(), 1);
    QCOMPARE(store.recordBet(straight, "{}"), BetRecording::Recorded);
}

// A store of the version before the record keeps its draws and gains the
// record, instead of being set aside as unreadable.
void TestBets::earlierStoreGainsTheRecord()
{
    QTemporaryDir folder;
    {
        DrawStore store(folder.path());
        QVERIFY(enterDraw(store, QStringLiteral("2026045"), 1234));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("earlier"));
        db.setDatabaseName(QDir(folder.path()).filePath(QStringLiteral("draws.sqlite")));
        QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("DROP TABLE bets"))
                && QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 1")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("earlier"));
    DrawStore store(folder.path());
    QCOMPARE(store.state(), DrawStore::State::Ready);
    QCOMPARE(store.draws().size(), 1);
    QCOMPARE(store.recordBet(betOn(QStringLiteral("2026046"), BetKind::Straight, QStringLiteral("1234")), "{}"),
             BetRecording::Recorded);
}

void TestBets::totals_data()
{
    QTest::addColumn<QList<Bet>>("bets");
    QTest::addColumn<PrizeAmounts>("prizes");
    QTest::addColumn<qint64>("cost");
    QTest::addColumn<int>("wins");
    QTest::addColumn<std::optional<qint64>>("won");      // prizes
    QTest::addColumn<QString>("expectedWins");
    QTest::addColumn<std::optional<qint64>>("expectedPrizes");   // 元 over 10,000

    const QString two = QStringLiteral("2026002");
    // Five straight numbers, lost; groups 0123 (24 orderings) and 0011 (6),
    // won by 1100; a pending bet counts in the cost only.
    const QList<Bet> mixed{betOn(QStringLiteral("2026001"), BetKind::Straight, QStringLiteral("1 2 3 4 5"), 9999),
                           betOn(two, BetKind::Group, QStringLiteral("0123 0011"), 1100),
                           betOn(QStringLiteral("2026003"), BetKind::Straight, QStringLiteral("7"))};
    const PrizeAmounts both{1000, 80}, straightOnly{1000, std::nullopt};
    QTest::newRow("nothing") << QList<Bet>{} << both << qint64(0) << 0 << std::optional<qint64>(0) << "0.00"
                             << std::optional<qint64>(0);
    QTest::newRow("both prizes") << mixed << both << qint64(16) << 1 << std::optional<qint64>(80) << "0.00"
                                 << std::optional<qint64>(5 * 1000 + 30 * 80);
    QTest::newRow("the group prize missing") << mixed << straightOnly << qint64(16) << 1 << std::optional<qint64>()
                                             << "0.00" << std::optional<qint64>();
    // Half of all numbers on each of three drawn issues: one and a half wins.
    QList<Bet> halves;
    QString half;
    for (int n = 0; n < 5000; ++n)
        half += QString::number(2 * n) + u' ';
    for (int i = 0; i < 3; ++i)
        halves.append(betOn(QString::number(2026010 + i), BetKind::Straight, half, 2 * i + 1));
    QTest::newRow("half the numbers, three lost") << halves << both << qint64(30000) << 0 << std::optional<qint64>(0)
                                                  << "1.50" << std::optional<qint64>(15000 * 1000);
}

void TestBets::totals()
{
    QFETCH(QList<Bet>, bets);
    QFETCH(PrizeAmounts, prizes);
    const BetTotals totals = bet_totals(bets, prizes);
    QTEST(totals.cost, "cost");
    QTEST(totals.wins, "wins");
    QTEST(totals.prizes, "won");
    QTEST(ten_thousandths_text(totals.expectedWins), "expectedWins");
    QTEST(totals.expectedPrizes, "expectedPrizes");
}

void TestBets::nextIssue_data()
{
    QTest::addColumn<QString>("newest");
    QTest::addColumn<int>("thisYear");
    QTest::addColumn<QString>("next");
    QTest::newRow("a year's run") << "2026045" << 2026 << "2026046";
    QTest::newRow("into the hundreds") << "2026099" << 2026 << "2026100";
    QTest::newRow("the last draw of last year") << "2026358" << 2027 << "2027001";
    QTest::newRow("a store some years behind") << "2023120" << 2027 << "2027001";
    QTest::newRow("the run's end: the player types it") << "2026999" << 2026 << "";
    QTest::newRow("a plain count") << "0999" << 2026 << "1000";
    QTest::newRow("not a number") << "2026-45" << 2026 << "";
    QTest::newRow("no draws") << "" << 2026 << "";
}

void TestBets::nextIssue()
{
    QFETCH(QString, newest);
    QFETCH(int, thisYear);
    QTEST(next_issue(newest, thisYear), "next");
}

QTEST_GUILESS_MAIN(TestBets)
#include "tst_bets.moc"
