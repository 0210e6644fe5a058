// The draw store on disk: what it keeps, what it takes at its first opening,
// and what it does with a file or a folder it cannot use.
#include "store/draw_store.h"
#include "storetestsupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {
QList<Draw> draws(std::initializer_list<std::pair<const char *, int>> list)
{
    QList<Draw> out;
    for (const auto &[issue, number] : list)
        out.append(Draw{.issue = QString::fromLatin1(issue), .number = number});
    return out;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

class TestDrawStore : public QObject
{
    Q_OBJECT
private slots:
    void firstOpeningTakesTheEarlierHistory();
    void playerEntriesAndCorrections();
    void unreadableFileIsSetAside_data();
    void unreadableFileIsSetAside();
    void unusableFolderKeepsDrawsInMemory();
    void secondWriterWaits();
    void missingIssues_data();
    void missingIssues();
};

void TestDrawStore::firstOpeningTakesTheEarlierHistory()
{
    QTemporaryDir folder;
    const QByteArray earlier = "2024010 1234\n1,2,3,4\n2024002 5 6 7 8\n坏行\n2024001 0007\n";
    QVERIFY(write(earlier_history_path(folder.path()), earlier));
    {
        DrawStore store(folder.path());
        QCOMPARE(store.state(), DrawStore::State::Ready);
        // Issue numbers order the draws as whole numbers; the draw without one is left out.
        QCOMPARE(listing(store), QStringLiteral("2024001 0007 manual\n2024002 5678 manual\n2024010 1234 manual\n"));
    }
    QCOMPARE(read(earlier_history_path(folder.path())), earlier);

    // Taken once; a store whose version went unrecorded would be made again.
    QVERIFY(write(earlier_history_path(folder.path()), "2024011 1111\n"));
    DrawStore again(folder.path());
    QCOMPARE(again.state(), DrawStore::State::Ready);
    QCOMPARE(again.draws().size(), 3);
}

void TestDrawStore::playerEntriesAndCorrections()
{
    QTemporaryDir folder;
    DrawStore store(folder.path());
    QList<Draw> typed = draws({{"2026001", 1111}, {"2026002", 2222}, {"2026003", 3333}});
    typed[0].date = QDate(2026, 1, 1);
    QVERIFY(store.enter(typed, DrawSource::Manual).written);
    QCOMPARE(store.draws().first().date, QDate(2026, 1, 1));
    // A correction makes the draw the player's; one of no draw, or of no number, is refused.
    QVERIFY(store.merge(draws({{"2026004", 4}}), QStringLiteral("http://a/"), QString()).written);
    QVERIFY(store.correct(QStringLiteral("2026004"), 4321));
    QVERIFY(!store.correct(QStringLiteral("2026009"), 4321));
    QVERIFY(!store.correct(QStringLiteral("2026003"), 10000));
    QVERIFY(store.remove({QStringLiteral("2026001"), QStringLiteral("2026002")}));
    QCOMPARE(listing(store), QStringLiteral("2026003 3333 manual\n2026004 4321 manual\n"));
}

void TestDrawStore::unreadableFileIsSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");   // empty: a store with tables of another program
    QTest::newRow("not a database") << QByteArray("draws\n2026001 1234\n").repeated(300);
    QTest::newRow("a database of other tables") << QByteArray();
}

void TestDrawStore::unreadableFileIsSetAside()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("draws.sqlite"));
    if (bytes.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("CREATE TABLE draws (x)"))
                && QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 1")));
        db.close();
        bytes = read(path);
    }
    QVERIFY(write(path, bytes));
    QVERIFY(write(earlier_history_path(folder.path()), "2026001 1234\n"));

    {
        DrawStore store(folder.path());
        QCOMPARE(store.state(), DrawStore::State::SetAside);
        QVERIFY(store.setAsidePath().startsWith(path + u'.'));
        QCOMPARE(read(store.setAsidePath()), bytes);
        QVERIFY(store.problemText().contains(QDir::toNativeSeparators(store.setAsidePath())));
        // The new store starts as a first one does, and keeps what it is given.
        QCOMPARE(listing(store), QStringLiteral("2026001 1234 manual\n"));
        QVERIFY(store.enter(draws({{"2026002", 2}}), DrawSource::Manual).written);
    }
    DrawStore reopened(folder.path());
    QCOMPARE(reopened.state(), DrawStore::State::Ready);
    QCOMPARE(reopened.draws().size(), 2);
}

void TestDrawStore::unusableFolderKeepsDrawsInMemory()
{
    QTemporaryDir home;
    // A file where the folder should be: no permission bits needed.
    QVERIFY(write(home.filePath(QStringLiteral("data")), "a file"));
    DrawStore store(home.filePath(QStringLiteral("data/vintora")));
    QCOMPARE(store.state(), DrawStore::State::InMemory);
    QVERIFY(store.problemText().contains(QStringLiteral("只保存在内存中")));
    QVERIFY(store.enter(draws({{"2026001", 1}}), DrawSource::Manual).written);
    QCOMPARE(store.merge(draws({{"2026002", 2}}), QStringLiteral("http://a/"), QStringLiteral("e")).added, 1);
    QCOMPARE(listing(store), QStringLiteral("2026001 0001 manual\n2026002 0002 feed\n"));
    QCOMPARE(read(home.filePath(QStringLiteral("data"))), QByteArray("a file"));
}

void TestDrawStore::secondWriterWaits()
{
    QTemporaryDir folder;
    DrawStore store(folder.path());
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    holder.setDatabaseName(store.filePath());
    QVERIFY(holder.open());
    QVERIFY(QSqlQuery(holder).exec(QStringLiteral("BEGIN IMMEDIATE")));

    // Another program's store, writing while the first holds the file.
    std::atomic<bool> done{false};
    bool written = false;
    std::thread other([&] {
        DrawStore second(folder.path());
        written = second.enter(draws({{"2026001", 1}}), DrawSource::Manual).written;
        done = true;
    });
    // It waits rather than failing at once.
    QVERIFY(!QTest::qWaitFor([&] { return done.load(); }, 500));
    QVERIFY(QSqlQuery(holder).exec(QStringLiteral("COMMIT")));
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
    other.join();
    QVERIFY(written);
    QCOMPARE(store.draws().size(), 1);
}

void TestDrawStore::missingIssues_data()
{
    QTest::addColumn<QStringList>("issues");
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("unordered") << QStringList{"2026010", "2026006", "2026008"} << QStringList{"2026007", "2026009"};
    QTest::newRow("short issues") << QStringList{"1", "3", "0044", "0046"} << QStringList{};
    QTest::newRow("five digits") << QStringList{"26001", "26003"} << QStringList{"26002"};
    QTest::newRow("leading zeros") << QStringList{"02026001", "2026003"} << QStringList{"2026002"};
}

void TestDrawStore::missingIssues()
{
    QFETCH(QStringList, issues);
    QTEST(missing_issues(issues), "missing");
}

QTEST_GUILESS_MAIN(TestDrawStore)
#include "tst_draw_store.moc"
