#include "app/mycode.h"
#include "browserrecorder.h"
#include "httpfixture.h"
#include "net/http.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QStringEncoder>

using namespace std::chrono_literals;

class TstHttp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void escapeKeepsUnreservedCharacters_data();
    void escapeKeepsUnreservedCharacters();
    void escapeWritesOtherUnitsAsHex_data();
    void escapeWritesOtherUnitsAsHex();

    void getSendsTheEscapedBodyWithoutFormType();
    void everyOtherModePostsAForm_data();
    void everyOtherModePostsAForm();
    void replyIsDecodedFromGbk();
    void onlyStatus200Counts_data();
    void onlyStatus200Counts();
    void refusedConnectionGivesEmptyText();
    void silentServerTimesOut();
    void replyUpToOneMebibyteIsAccepted();
    void longerReplyIsRefused();

    void openUrlIgnoresEmptyAddress();
    void openUrlOpensWebPages();
    void openUrlRefusesOtherAddresses_data();
    void openUrlRefusesOtherAddresses();
};

void TstHttp::escapeKeepsUnreservedCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("letters and digits") << QStringLiteral("azAZ09key123");
    QTest::newRow("marks") << QStringLiteral("-_.!~*'()");
}

void TstHttp::escapeKeepsUnreservedCharacters()
{
    QFETCH(QString, text);
    QCOMPARE(mycode::Escape(text), text);
}

void TstHttp::escapeWritesOtherUnitsAsHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("space") << QStringLiteral("a b") << QStringLiteral("a%20b");
    QTest::newRow("plus") << QStringLiteral("+") << QStringLiteral("%2B");
    QTest::newRow("slash") << QStringLiteral("/") << QStringLiteral("%2F");
    QTest::newRow("control") << QStringLiteral("\n") << QStringLiteral("%0A");
    QTest::newRow("below 255") << QString(QChar(0xFE)) << QStringLiteral("%FE");
    QTest::newRow("255 takes four digits") << QString(QChar(0xFF)) << QStringLiteral("%u00FF");
    QTest::newRow("chinese") << QStringLiteral("中") << QStringLiteral("%u4E2D");
    QTest::newRow("surrogate pair") << QStringLiteral("😀") << QStringLiteral("%uD83D%uDE00");
    QTest::newRow("mixed") << QStringLiteral("id=1&a") << QStringLiteral("id%3D1%26a");
}

void TstHttp::escapeWritesOtherUnitsAsHex()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(mycode::Escape(text), escaped);
}

void TstHttp::getSendsTheEscapedBodyWithoutFormType()
{
    HttpFixture server;
    server.script("/feed", {{200, "hello"}});
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.base(QStringLiteral("/feed")),
                                    QStringLiteral("a b中")),
             QStringLiteral("hello"));
    QCOMPARE(server.requests.size(), 1);
    const HttpFixture::Request &request = server.requests.first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.body, QByteArray("id=a%20b%u4E2D"));
    QVERIFY(!request.headers.contains("content-type"));
}

void TstHttp::everyOtherModePostsAForm_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("POST") << QStringLiteral("POST");
    QTest::newRow("POS") << QStringLiteral("POS");
    QTest::newRow("lower-case get") << QStringLiteral("get");
}

void TstHttp::everyOtherModePostsAForm()
{
    QFETCH(QString, mode);
    HttpFixture server;
    server.script("/4x/ip.asp", {{200, "ok"}});
    QCOMPARE(mycode::XMLHttpRequest(mode, server.base(QStringLiteral("/4x/ip.asp")), QStringLiteral("123456789012345")),
             QStringLiteral("ok"));
    QCOMPARE(server.requests.size(), 1);
    const HttpFixture::Request &request = server.requests.first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, QByteArray("id=123456789012345"));
}

void TstHttp::replyIsDecodedFromGbk()
{
    const QString text = QStringLiteral("[ok][biaoti]四星缩水[biaoti]");
    QStringEncoder toGbk("GBK");
    const QByteArray gbk = toGbk.encode(text);
    QCOMPARE(gbk.size(), 20 + 2 * 4);
    HttpFixture server;
    server.script("/4x.txt", {{200, gbk}});
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.base(QStringLiteral("/4x.txt")), QString()), text);
}

void TstHttp::onlyStatus200Counts_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("201") << 201;
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
}

void TstHttp::onlyStatus200Counts()
{
    QFETCH(int, status);
    HttpFixture server;
    server.script("/4x.txt", {{status, "[ok] but not a feed"}});
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.base(QStringLiteral("/4x.txt")), QString()),
             QString());
    QCOMPARE(server.requests.size(), 1);
}

void TstHttp::refusedConnectionGivesEmptyText()
{
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), HttpFixture::closedBase(QStringLiteral("/4x.txt")),
                                    QString()),
             QString());
    // Refused at once, never after the request's time-out.
    QVERIFY(clock.elapsed() < kRequestTimeout.count());
}

void TstHttp::silentServerTimesOut()
{
    HttpFixture server;
    server.script("/4x.txt", {{200, "[ok]", 0, true}});
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(http_request(QStringLiteral("GET"), server.base(QStringLiteral("/4x.txt")), QString(), 300ms),
             QString());
    // The 300 ms given, not the default 15 s.
    QVERIFY2(clock.elapsed() >= 250 && clock.elapsed() < kRequestTimeout.count() / 2,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(server.requests.size(), 1);
}

void TstHttp::replyUpToOneMebibyteIsAccepted()
{
    HttpFixture server;
    server.script("/big", {{200, QByteArray(kMaxReplyBytes, 'a')}});
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.base(QStringLiteral("/big")), QString()).size(),
             1024 * 1024);
}

void TstHttp::longerReplyIsRefused()
{
    HttpFixture server;
    server.script("/big", {{200, QByteArray(1024 * 1024 + 1, 'a')}});
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.base(QStringLiteral("/big")), QString()), QString());
}

void TstHttp::openUrlIgnoresEmptyAddress()
{
    BrowserRecorder browser;
    ModalRecorder modals;
    mycode::op_url(QString());
    QVERIFY(browser.opened.isEmpty());
    QVERIFY(modals.messages.isEmpty());
}

void TstHttp::openUrlOpensWebPages()
{
    BrowserRecorder browser;
    ModalRecorder modals;
    mycode::op_url(QStringLiteral("http://www.example.com/a?b=1"));
    mycode::op_url(QStringLiteral("https://www.example.com/下载"));
    QCOMPARE(browser.opened.size(), 2);
    QCOMPARE(browser.opened[0], QUrl(QStringLiteral("http://www.example.com/a?b=1")));
    QCOMPARE(browser.opened[1], QUrl(QStringLiteral("https://www.example.com/下载")));
    QVERIFY(modals.messages.isEmpty());
}

void TstHttp::openUrlRefusesOtherAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd");
    QTest::newRow("program path") << QStringLiteral("/usr/bin/xterm");
    QTest::newRow("other scheme") << QStringLiteral("ftp://example.com/");
    QTest::newRow("no host") << QStringLiteral("http://");
    QTest::newRow("words") << QStringLiteral("请访问官网");
}

void TstHttp::openUrlRefusesOtherAddresses()
{
    QFETCH(QString, address);
    BrowserRecorder browser;
    ModalRecorder modals;
    mycode::op_url(address);
    QVERIFY(browser.opened.isEmpty());
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("出现错误，未能打开下载页面"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("提示"));
}

QTEST_MAIN(TstHttp)
#include "tst_http.moc"
