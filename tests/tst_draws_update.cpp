// Updates of the draw store from feed servers on loopback: what lands in the
// store and the one line the player reads about it.
#include "httpfixture.h"
#include "net/draws_update.h"
#include "storetestsupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Replies = QList<HttpFixture::Reply>;

namespace {
const QByteArray kPrimaryDraws = "/m/4x/draws.txt";
const QByteArray kSecondaryDraws = "/4x/draws.txt";

// Fills the store from such a listing, each draw from its own source.
void fill(DrawStore &store, const QString &text)
{
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u' ');
        const QList<Draw> draw{Draw{.issue = fields[0], .number = fields[1].toInt()}};
        if (fields[2] == u"feed")
            QVERIFY(store.merge(draw, QStringLiteral("http://elsewhere/"), QString()).written);
        else
            QVERIFY(store.enter(draw, fields[2] == u"file" ? DrawSource::File : DrawSource::Manual).written);
    }
}

DrawsUpdateReport runUpdate(DrawsUpdate &update)
{
    QSignalSpy finished(&update, &DrawsUpdate::finished);
    update.start();
    if (finished.isEmpty() && !finished.wait(60000))
        return {};
    return finished.first().first().value<DrawsUpdateReport>();
}
}

Q_DECLARE_METATYPE(DrawsUpdateReport)

class TestDrawsUpdate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<DrawsUpdateReport>(); }
    void update_data();
    void update();
    void unchangedDrawsAreNotSentAgain();
};

void TestDrawsUpdate::update_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Replies>("primary");       // none: nobody listens
    QTest::addColumn<Replies>("secondary");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("said");

    const Replies dead;
    const QString two = QStringLiteral("2026001 1111 feed\n2026002 2222 feed\n");
    QTest::newRow("first update") << QString() << Replies{{200, "# 期号 开奖号\n2026001 1111\n2026002 2 2 2 2\n"}}
                                  << dead << two << QStringLiteral("服务器A：新增 2 期");
    QTest::newRow("corrected feed draw") << two << Replies{{200, "2026001 1111\n2026002 2223\n2026003 3333\n"}} << dead
                                         << QStringLiteral("2026001 1111 feed\n2026002 2223 feed\n2026003 3333 feed\n")
                                         << QStringLiteral("服务器A：新增 1 期，更正 1 期");
    QTest::newRow("conflict with the player's draws")
        << QStringLiteral("2026045 1234 manual\n2026046 0001 file\n")
        << Replies{{200, "2026045 1243\n2026046 0002\n2026047 7777\n"}} << dead
        << QStringLiteral("2026045 1234 manual\n2026046 0001 file\n2026047 7777 feed\n")
        << QStringLiteral("服务器A：新增 1 期；2026045：本地 1234，服务器 1243；2026046：本地 0001，服务器 0002");
    QTest::newRow("gap") << QString() << Replies{{200, "2026044 4444\n2026046 6666\n2027001 1111\n2027004 4444\n"}}
                         << dead << QStringLiteral("2026044 4444 feed\n2026046 6666 feed\n2027001 1111 feed\n2027004 4444 feed\n")
                         << QStringLiteral("服务器A：新增 4 期；缺少 3 期：2026045、2027002、2027003");
    QTest::newRow("lines without an issue number") << QString() << Replies{{200, "2026001 1111\n2222\n坏行\n"}} << dead
                                                   << QStringLiteral("2026001 1111 feed\n")
                                                   << QStringLiteral("服务器A：新增 1 期；跳过 2 行");
    QTest::newRow("dead primary, live secondary") << QString() << dead << Replies{{200, "2026001 1111\n"}}
                                                  << QStringLiteral("2026001 1111 feed\n")
                                                  << QStringLiteral("服务器B：新增 1 期");

    const QString failed = QStringLiteral("更新开奖失败：服务器A：%1；服务器B：无法连接");
    QTest::newRow("garbage body") << two << Replies{{200, QByteArray("2026003 3333\n\xff\xfe\0\x01", 17)}} << dead
                                  << two << failed.arg(QStringLiteral("开奖文件不是文本"));
    QTest::newRow("a web page") << two << Replies{{200, "<html><body>2026 年开奖</body></html>"}} << dead << two
                                << failed.arg(QStringLiteral("开奖文件中没有带期号的开奖号"));
    QTest::newRow("20 MB body") << two << Replies{{200, QByteArray("2026003 3333\n").repeated(20 * 1024 * 1024 / 13)}}
                                << dead << two << failed.arg(QStringLiteral("开奖文件超过 16 MB"));
    QTest::newRow("more draws than a century") << two << Replies{{200, QByteArray("2026003 3333\n").repeated(50001)}}
                                               << dead << two << failed.arg(QStringLiteral("开奖文件超过 50000 期"));
    QTest::newRow("silent host") << two << Replies{{200, "", 0, true}} << dead << two
                                 << failed.arg(QStringLiteral("没有及时回应"));
    QTest::newRow("server error") << two << Replies{{500, "oops"}} << dead << two
                                  << failed.arg(QStringLiteral("回应 HTTP 500"));
}

void TestDrawsUpdate::update()
{
    QFETCH(QString, before);
    QFETCH(Replies, primary);
    QFETCH(Replies, secondary);

    QTemporaryDir folder;
    DrawStore store(folder.path());
    fill(store, before);
    HttpFixture server;
    server.script(kPrimaryDraws, primary);
    server.script(kSecondaryDraws, secondary);
    DrawsUpdate update(store);
    update.setBaseAddresses(primary.isEmpty() ? HttpFixture::closedBase(QStringLiteral("/m/4x/"))
                                              : server.base(QStringLiteral("/m/4x/")),
                            secondary.isEmpty() ? HttpFixture::closedBase(QStringLiteral("/4x/"))
                                                : server.base(QStringLiteral("/4x/")));
    update.setTimeout(std::chrono::milliseconds(500));

    const DrawsUpdateReport report = runUpdate(update);
    QTEST(listing(store), "after");
    QTEST(describe_update(report, 3), "said");
    QVERIFY(!update.isRunning());
}

void TestDrawsUpdate::unchangedDrawsAreNotSentAgain()
{
    QTemporaryDir folder;
    DrawStore store(folder.path());
    HttpFixture server;
    server.script(kPrimaryDraws, {{200, "2026001 1111\n", 0, false, "ETag: \"v1\"\r\n"}, {304, ""}});
    DrawsUpdate update(store);
    update.setBaseAddresses(server.base(QStringLiteral("/m/4x/")), server.base(QStringLiteral("/4x/")));
    QCOMPARE(describe_update(runUpdate(update), 3), QStringLiteral("服务器A：新增 1 期"));
    QCOMPARE(store.etag(server.base(QStringLiteral("/4x/"))), QString());

    QCOMPARE(describe_update(runUpdate(update), 3), QStringLiteral("服务器A：开奖号没有变化"));
    const QList<HttpFixture::Request> asked = server.requestsTo(kPrimaryDraws);
    QCOMPARE(asked.size(), 2);
    QVERIFY(!asked[0].headers.contains("if-none-match"));
    QCOMPARE(asked[1].headers.value("if-none-match"), QByteArray("\"v1\""));
    QCOMPARE(listing(store), QStringLiteral("2026001 1111 feed\n"));
}

QTEST_GUILESS_MAIN(TestDrawsUpdate)
#include "tst_draws_update.moc"
