#include "browserrecorder.h"
#include "net/http.h"
#include "httpfixture.h"
#include "ui/geometry.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSettings>
#include <QStringEncoder>

namespace {
const QByteArray kPrimaryFeed = "/m/4x/4x.txt";
const QByteArray kPrimaryReport = "/m/4x/ip.asp";
const QByteArray kSecondaryFeed = "/4x/4x.txt";
const QByteArray kSecondaryReport = "/4x/ip.asp";

QByteArray gbk(const QString &text)
{
    QStringEncoder toGbk("GBK");
    return toGbk.encode(text);
}

void storeKey(const QVariant &key)
{
    QSettings settings(QStringLiteral("Vintora"), QStringLiteral("Morvane_4x_20170601"));
    if (key.isNull())
        settings.remove(QStringLiteral("Startup/key"));
    else
        settings.setValue(QStringLiteral("Startup/key"), key);
}

QString storedKey()
{
    QSettings settings(QStringLiteral("Vintora"), QStringLiteral("Morvane_4x_20170601"));
    return settings.value(QStringLiteral("Startup/key")).toString();
}

// A started window whose feed step talks to the fixture: primary base
// /m/4x/, secondary base /4x/. The step itself runs when the test says so.
std::unique_ptr<Fmain> windowFor(const HttpFixture &server)
{
    auto window = startedWindow();
    window->serverFeed().setBaseAddresses(server.base(QStringLiteral("/m/4x/")), server.base(QStringLiteral("/4x/")));
    return window;
}

QString statusOf(const QWidget *window)
{
    return control<QLabel>(window, QStringLiteral("L_server"))->text();
}

QString captionOf(const QWidget *window, const char *family, int index)
{
    if (QAbstractButton *member = control<QAbstractButton>(window, arrayName(family, index)))
        return member->text();
    return control<QLabel>(window, arrayName(family, index))->text();
}

QStringList paths(const QList<HttpFixture::Request> &requests)
{
    QStringList list;
    for (const HttpFixture::Request &request : requests)
        list.append(QString::fromLatin1(request.path));
    return list;
}

void clickLabel(QLabel *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

void movePointerOver(QLabel *label)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &move);
}

// Closes the window once the server has seen the first request: whatever
// the machine's speed, the close then falls after the request went out.
void closeAfterFirstRequest(Fmain *window, const HttpFixture &server)
{
    auto *poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [window, &server, poll] {
        if (server.requests.isEmpty())
            return;
        poll->stop();
        window->close();
    });
    poll->start(5);
}

bool looksHovered(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText) == QColor(Qt::red) && label->font().underline();
}

bool looksCalm(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText) == QColor(Qt::blue) && !label->font().underline();
}
}

class TstFeed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init() { storeKey(QStringLiteral("100000000000001")); }

    void timerLoadRunsTheStepOnce();
    void firstPrimaryReplyIsUsed();
    void secondPrimaryAttemptFollowsHalfASecondLater();
    void secondaryTakesOverWithoutAPause();
    void replyWithoutOkMarkerIsNoFeed();
    void noServerAnswering();
    void failedFeedStillReportsTheKey();

    void tagsApplyToTheWindow();
    void linksOpenTheirAddresses();
    void feedTextsStayPlainText();
    void matchingVersionChangesNothing();
    void otherVersionEndsTheProgram_data();
    void otherVersionEndsTheProgram();
    void emptyTitleAndNewsChangeNothing();
    void slotTenIsOnlyStored();
    void slotWithoutSeparatorIsSkipped();

    void installationKey_data();
    void installationKey();

    void closingDuringARequestEndsTheStep();
    void closingDuringTheWaitEndsTheStep();
    void closingWithoutExitAddressOpensNothing();

    void hoverPaintsALabelUntilThePointerRests();
    void linkControlsSitInTheirPlaces();
    void drawsArriveWhileTheNewsIsOpen();
};

void TstFeed::timerLoadRunsTheStepOnce()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{200, gbk(QStringLiteral("[ok][biaoti]定时[biaoti]"))}});
    server.script(kPrimaryReport, {{200, "ok"}});
    ModalRecorder modals;
    Fmain window;
    QTimer *timer = control<QTimer>(&window, QStringLiteral("Timer_load"));
    QSignalSpy fired(timer, &QTimer::timeout);
    window.serverFeed().setBaseAddresses(server.base(QStringLiteral("/m/4x/")), server.base(QStringLiteral("/4x/")));
    window.show();
    // A loaded machine may take its time; the step's own time-out bounds it.
    QTRY_COMPARE_WITH_TIMEOUT(server.requestsTo(kPrimaryReport).size(), 1, 2 * int(kRequestTimeout.count()));
    QCOMPARE(window.windowTitle(), QStringLiteral("定时"));
    QVERIFY(modals.messages.isEmpty());
    // A stopped timer cannot start the step again.
    QCOMPARE(fired.size(), 1);
    QVERIFY(!timer->isActive());
    QCoreApplication::processEvents();
    QCOMPARE(fired.size(), 1);
    QCOMPARE(paths(server.requests), QStringList({"/m/4x/4x.txt", "/m/4x/ip.asp"}));
}

void TstFeed::firstPrimaryReplyIsUsed()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{200, gbk(QStringLiteral("[ok]"))}});
    server.script(kPrimaryReport, {{200, "ok"}});
    auto window = windowFor(server);
    window->serverFeed().run();

    QCOMPARE(paths(server.requests), QStringList({"/m/4x/4x.txt", "/m/4x/ip.asp"}));
    const HttpFixture::Request &feed = server.requests[0];
    QCOMPARE(feed.method, QByteArray("GET"));
    QCOMPARE(feed.body, QByteArray("id="));
    const HttpFixture::Request &report = server.requests[1];
    QCOMPARE(report.method, QByteArray("POST"));
    QCOMPARE(report.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(report.body, QByteArray("id=100000000000001"));
    QCOMPARE(statusOf(window.get()), QStringLiteral("服务器A"));
}

void TstFeed::secondPrimaryAttemptFollowsHalfASecondLater()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{404, "gone"}, {200, gbk(QStringLiteral("[ok]"))}});
    server.script(kPrimaryReport, {{200, "ok"}});
    auto window = windowFor(server);
    window->serverFeed().run();

    QCOMPARE(paths(server.requests), QStringList({"/m/4x/4x.txt", "/m/4x/4x.txt", "/m/4x/ip.asp"}));
    const qint64 pause = server.requests[1].atMs - server.requests[0].atMs;
    // Half a second, and not a request's time-out: only the lower bound is
    // exact, a loaded machine may add to it.
    QVERIFY2(pause >= 480 && pause < kRequestTimeout.count(), qPrintable(QString::number(pause)));
    QCOMPARE(statusOf(window.get()), QStringLiteral("服务器A"));
}

void TstFeed::secondaryTakesOverWithoutAPause()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{500, "[ok]"}});
    server.script(kSecondaryFeed, {{200, "no marker"}, {200, gbk(QStringLiteral("[ok][biaoti]乙[biaoti]"))}});
    server.script(kSecondaryReport, {{200, "ok"}});
    auto window = windowFor(server);
    window->serverFeed().run();

    QCOMPARE(paths(server.requests),
             QStringList({"/m/4x/4x.txt", "/m/4x/4x.txt", "/4x/4x.txt", "/4x/4x.txt", "/4x/ip.asp"}));
    const auto at = [&](int i) { return server.requests[i].atMs; };
    QVERIFY2(at(1) - at(0) >= 480, qPrintable(QString::number(at(1) - at(0))));
    QVERIFY2(at(2) - at(1) < 480, qPrintable(QString::number(at(2) - at(1))));
    QVERIFY2(at(3) - at(2) >= 480, qPrintable(QString::number(at(3) - at(2))));
    QCOMPARE(statusOf(window.get()), QStringLiteral("服务器B"));
    QCOMPARE(window->windowTitle(), QStringLiteral("乙"));
}

void TstFeed::replyWithoutOkMarkerIsNoFeed()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{200, gbk(QStringLiteral("[biaoti]无标记[biaoti]"))}});
    server.script(kSecondaryFeed, {{200, gbk(QStringLiteral("[biaoti]无标记[biaoti]"))}});
    ModalRecorder modals;
    auto window = windowFor(server);
    window->serverFeed().run();
    QCOMPARE(server.requestsTo(kPrimaryFeed).size(), 2);
    QCOMPARE(server.requestsTo(kSecondaryFeed).size(), 2);
    QCOMPARE(window->windowTitle(), QStringLiteral("Vintora"));
    QCOMPARE(statusOf(window.get()), QStringLiteral("联网失败"));
}

void TstFeed::noServerAnswering()
{
    auto window = startedWindow();
    const LinkSlot before = window->serverFeed().link(1);
    window->serverFeed().setBaseAddresses(HttpFixture::closedBase(QStringLiteral("/m/4x/")),
                                          HttpFixture::closedBase(QStringLiteral("/4x/")));
    ModalRecorder modals;
    QElapsedTimer clock;
    clock.start();
    window->serverFeed().run();
    // Two half-second pauses; refused connections never wait for a time-out.
    QVERIFY2(clock.elapsed() >= 1000 && clock.elapsed() < kRequestTimeout.count(),
             qPrintable(QString::number(clock.elapsed())));

    QCOMPARE(statusOf(window.get()), QStringLiteral("联网失败"));
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].title, QStringLiteral("温馨提示"));
    QVERIFY(modals.messages[0].text.startsWith(QStringLiteral("[*联网失败*]\n\n")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Vintora"));
    QCOMPARE(window->serverFeed().link(1).address, before.address);
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 1), before.caption);
}

void TstFeed::failedFeedStillReportsTheKey()
{
    HttpFixture server;
    server.script(kSecondaryReport, {{200, "ok"}});
    ModalRecorder modals;
    auto window = windowFor(server);
    window->serverFeed().run();
    QCOMPARE(paths(server.requests),
             QStringList({"/m/4x/4x.txt", "/m/4x/4x.txt", "/4x/4x.txt", "/4x/4x.txt", "/4x/ip.asp"}));
    QCOMPARE(server.requests.last().body, QByteArray("id=100000000000001"));
}

namespace {
const QString kFullFeed = QStringLiteral(
    "[ok]\r\n[biaoti]四星缩水测试版[biaoti]\r\n[banben]20170601[banben]\r\n[news]今晚维护[news]\r\n"
    "[n1]开奖一[*]http://example.com/1[n1][n2]走势二[*]http://example.com/2[n2]"
    "[n3]三[*]http://example.com/3[n3][n4]四[*]http://example.com/4[n4][n5]五[*]http://example.com/5[n5]"
    "[n6]六[*]http://example.com/6[n6][n7]七[*]http://example.com/7[n7][n8]八[*]http://example.com/8[n8]"
    "[n9]九[*]http://example.com/9[n9][n10]第十[*]http://example.com/10[n10]"
    "[n11]联系站长[*]http://example.com/11[n11]\r\n"
    "[ad1]广告甲[*]http://example.com/ad1[ad1][ad2]广告乙[*]https://example.com/ad2[ad2]\r\n"
    "[tuichu]http://example.com/bye[tuichu]\r\n");

std::unique_ptr<Fmain> windowWithFeed(HttpFixture &server, const QString &feed)
{
    server.script(kPrimaryFeed, {{200, gbk(feed)}});
    server.script(kPrimaryReport, {{200, "ok"}});
    auto window = windowFor(server);
    window->serverFeed().run();
    return window;
}
}

void TstFeed::tagsApplyToTheWindow()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowWithFeed(server, kFullFeed);
    const ServerFeed &feed = window->serverFeed();

    QCOMPARE(window->windowTitle(), QStringLiteral("四星缩水测试版"));
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("今晚维护"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("温馨提示"));
    const QStringList captions = {"开奖一", "走势二", "三", "四", "五", "六", "七", "八", "九"};
    for (int n = 1; n <= 9; ++n) {
        QCOMPARE(captionOf(window.get(), "C_gn_ding", n), captions[n - 1]);
        QCOMPARE(feed.link(n).caption, captions[n - 1]);
        QCOMPARE(feed.link(n).address, QStringLiteral("http://example.com/%1").arg(n));
    }
    QCOMPARE(feed.link(11).address, QStringLiteral("http://example.com/11"));
    QCOMPARE(captionOf(window.get(), "L_di_ad", 2), QStringLiteral("联系站长"));
    QCOMPARE(captionOf(window.get(), "L_di_ad", 0), QStringLiteral("广告甲"));
    QCOMPARE(captionOf(window.get(), "L_di_ad", 1), QStringLiteral("广告乙"));
    QCOMPARE(feed.exitAddress(), QStringLiteral("http://example.com/bye"));
    QCOMPARE(server.requestsTo(kPrimaryReport).size(), 1);
}

void TstFeed::linksOpenTheirAddresses()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowWithFeed(server, kFullFeed);
    BrowserRecorder browser;
    for (int n = 1; n <= 10; ++n)
        button(window.get(), arrayName("C_gn_ding", n))->click();
    for (int k = 0; k < 3; ++k)
        clickLabel(control<QLabel>(window.get(), arrayName("L_di_ad", k)));
    window->close();

    QStringList opened;
    for (const QUrl &url : std::as_const(browser.opened))
        opened.append(url.toString());
    QCOMPARE(opened, QStringList({"http://example.com/1", "http://example.com/2", "http://example.com/3",
                                  "http://example.com/4", "http://example.com/5", "http://example.com/6",
                                  "http://example.com/7", "http://example.com/8", "http://example.com/9",
                                  "http://example.com/10", "http://example.com/ad1", "https://example.com/ad2",
                                  "http://example.com/11", "http://example.com/bye"}));
    QVERIFY(!window->isVisible());
}

void TstFeed::feedTextsStayPlainText()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowWithFeed(server, QStringLiteral("[ok][ad1]<b>粗</b>[*]http://example.com/a[ad1]"
                                                       "[n11]<a href='x'>链</a>[*]http://example.com/b[n11]"));
    for (int k : {0, 2}) {
        QLabel *label = control<QLabel>(window.get(), arrayName("L_di_ad", k));
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QCOMPARE(captionOf(window.get(), "L_di_ad", 0), QStringLiteral("<b>粗</b>"));
}

void TstFeed::matchingVersionChangesNothing()
{
    HttpFixture server;
    ModalRecorder modals;
    BrowserRecorder browser;
    auto window = windowWithFeed(
        server, QStringLiteral("[ok][banben]20170601[banben][shengji]http://example.com/new[shengji][news]照常[news]"));
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("照常"));
    QVERIFY(browser.opened.isEmpty());
    QVERIFY(window->isVisible());
    QCOMPARE(server.requestsTo(kPrimaryReport).size(), 1);
}

void TstFeed::otherVersionEndsTheProgram_data()
{
    QTest::addColumn<QString>("version");
    QTest::newRow("newer") << QStringLiteral("20180101");
    QTest::newRow("empty block") << QString();
    QTest::newRow("with a line break") << QStringLiteral("20170601\r\n");
}

void TstFeed::otherVersionEndsTheProgram()
{
    QFETCH(QString, version);
    HttpFixture server;
    ModalRecorder modals;
    BrowserRecorder browser;
    auto window = windowWithFeed(server, QStringLiteral("[ok][biaoti]旧标题[biaoti][banben]%1[banben]"
                                                       "[shengji]http://example.com/new[shengji][news]不该出现[news]"
                                                       "[n1]不该[*]http://example.com/x[n1]"
                                                       "[tuichu]http://example.com/bye[tuichu]")
                                            .arg(version));
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("本软件已经升级，请下载新版后使用"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("升级提示"));
    QCOMPARE(browser.opened, QList<QUrl>({QUrl(QStringLiteral("http://example.com/new"))}));
    QVERIFY(!window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("旧标题"));
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 1), QStringLiteral("开奖"));
    QCOMPARE(window->serverFeed().exitAddress(), QString());
    QCOMPARE(server.requestsTo(kPrimaryReport).size(), 0);
}

void TstFeed::emptyTitleAndNewsChangeNothing()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowWithFeed(server, QStringLiteral("[ok][biaoti][biaoti][news][news]"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Vintora"));
    QVERIFY(modals.messages.isEmpty());
    QCOMPARE(server.requestsTo(kPrimaryReport).size(), 1);
}

void TstFeed::slotTenIsOnlyStored()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowWithFeed(server, QStringLiteral("[ok][n10]第十个[*]http://example.com/ten[n10]"));
    const ServerFeed &feed = window->serverFeed();
    QCOMPARE(feed.link(10).caption, QStringLiteral("第十个"));
    QCOMPARE(feed.link(10).address, QStringLiteral("http://example.com/ten"));
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 10), QStringLiteral("主页"));
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 9), QStringLiteral("关于"));
    QCOMPARE(captionOf(window.get(), "L_di_ad", 2), QStringLiteral("联系我们"));
    BrowserRecorder browser;
    button(window.get(), QStringLiteral("C_gn_ding(10)"))->click();
    QCOMPARE(browser.opened, QList<QUrl>({QUrl(QStringLiteral("http://example.com/ten"))}));
}

void TstFeed::slotWithoutSeparatorIsSkipped()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = startedWindow();
    const LinkSlot before = window->serverFeed().link(2);
    window.reset();
    window = windowWithFeed(server, QStringLiteral("[ok][n2]只有标题[n2][n3]论坛三[*]http://example.com/3[n3]"
                                                  "[ad2]乙[*]http://example.com/ad2[ad2]"
                                                  "[tuichu]http://example.com/bye[tuichu]"));
    const ServerFeed &feed = window->serverFeed();
    QCOMPARE(feed.link(2).caption, before.caption);
    QCOMPARE(feed.link(2).address, before.address);
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 2), before.caption);
    QCOMPARE(captionOf(window.get(), "C_gn_ding", 3), QStringLiteral("论坛三"));
    QCOMPARE(captionOf(window.get(), "L_di_ad", 1), QStringLiteral("乙"));
    QCOMPARE(feed.exitAddress(), QStringLiteral("http://example.com/bye"));
}

void TstFeed::installationKey_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("absent") << QVariant() << false;
    QTest::newRow("9 characters") << QVariant(QStringLiteral("123456789")) << false;
    QTest::newRow("10 characters") << QVariant(QStringLiteral("1234567890")) << true;
    QTest::newRow("letters") << QVariant(QStringLiteral("abcdefghijk")) << true;
}

void TstFeed::installationKey()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, kept);
    storeKey(stored);
    HttpFixture server;
    auto window = windowWithFeed(server, QStringLiteral("[ok]"));
    const QString key = storedKey();
    if (kept) {
        QCOMPARE(key, stored.toString());
    } else {
        static const QRegularExpression fifteenDigits(QStringLiteral("^[0-9]{15}$"));
        QVERIFY2(fifteenDigits.match(key).hasMatch(), qPrintable(key));
    }
    QCOMPARE(server.requestsTo(kPrimaryReport).value(0).body, "id=" + key.toLatin1());
}

void TstFeed::closingDuringARequestEndsTheStep()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{200, gbk(QStringLiteral("[ok][biaoti]迟到[biaoti][tuichu]http://example.com/x[tuichu]")), 800}});
    server.script(kPrimaryReport, {{200, "ok"}});
    ModalRecorder modals;
    BrowserRecorder browser;
    auto window = windowFor(server);
    // The reply comes 800 ms after the request arrives: the close falls
    // inside the request.
    closeAfterFirstRequest(window.get(), server);
    QElapsedTimer clock;
    clock.start();
    window->serverFeed().run();
    // Ends without waiting for the late reply's time-out.
    QVERIFY(clock.elapsed() < kRequestTimeout.count());
    QVERIFY(!window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Vintora"));
    QCOMPARE(window->serverFeed().exitAddress(), QString());
    QCOMPARE(paths(server.requests), QStringList({"/m/4x/4x.txt"}));
    QVERIFY(modals.messages.isEmpty());
    QVERIFY(browser.opened.isEmpty());
}

void TstFeed::closingDuringTheWaitEndsTheStep()
{
    HttpFixture server;
    ModalRecorder modals;
    auto window = windowFor(server);
    // The first attempt fails at once; the close falls into the half-second wait.
    closeAfterFirstRequest(window.get(), server);
    window->serverFeed().run();
    QVERIFY(!window->isVisible());
    QCOMPARE(paths(server.requests), QStringList({"/m/4x/4x.txt"}));
    QVERIFY(modals.messages.isEmpty());
    QCOMPARE(statusOf(window.get()), QStringLiteral("服务器A"));
}

void TstFeed::closingWithoutExitAddressOpensNothing()
{
    auto window = startedWindow();
    BrowserRecorder browser;
    ModalRecorder modals;
    window->close();
    QVERIFY(!window->isVisible());
    QVERIFY(browser.opened.isEmpty());
    QVERIFY(modals.messages.isEmpty());
}

void TstFeed::hoverPaintsALabelUntilThePointerRests()
{
    auto window = startedWindow();
    QLabel *labels[3];
    for (int k = 0; k < 3; ++k) {
        labels[k] = control<QLabel>(window.get(), arrayName("L_di_ad", k));
        QVERIFY(looksCalm(labels[k]));
    }
    QTimer *timer = control<QTimer>(window.get(), QStringLiteral("Timer_hy_wz"));
    QCOMPARE(timer->interval(), 0);

    movePointerOver(labels[1]);
    QVERIFY(looksHovered(labels[1]));
    QVERIFY(looksCalm(labels[0]));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 600);
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    // Moves a while later restart the wait: the labels calm down 600 ms after
    // the last move, not the first. The times are only lower bounds, so a
    // slow machine cannot fail the test.
    QTRY_VERIFY(sinceFirst.elapsed() >= 300);
    movePointerOver(labels[1]);
    movePointerOver(labels[2]);
    QElapsedTimer sinceLast;
    sinceLast.start();
    QVERIFY(looksHovered(labels[1]));
    QVERIFY(looksHovered(labels[2]));
    QTRY_VERIFY_WITH_TIMEOUT(looksCalm(labels[1]) && looksCalm(labels[2]), 20000);
    QVERIFY2(sinceLast.elapsed() >= 570, qPrintable(QString::number(sinceLast.elapsed())));
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 0);
}

void TstFeed::linkControlsSitInTheirPlaces()
{
    auto window = startedWindow();
    // Link buttons in the tab row right of the tabs, in slot order.
    int lastRight = 0;
    for (ColorButton *tab : window->controls().C_sst_0)
        lastRight = std::max(lastRight, tab->geometry().right());
    QRect previous;
    for (int n = 1; n <= 10; ++n) {
        ColorButton *link = button(window.get(), arrayName("C_gn_ding", n));
        QVERIFY(link);
        QVERIFY(link->geometry().left() > lastRight);
        QVERIFY(link->geometry().right() < window->width());
        QVERIFY(link->geometry().bottom() < px(405));
        QVERIFY(previous.isNull() || link->geometry().left() > previous.right());
        QVERIFY(link->fontMetrics().horizontalAdvance(link->text()) < link->width() - 4);
        previous = link->geometry();
    }
    // Status and link labels in the free corner right of the base-set box.
    const QRect corner = twipRect(10440, 7560, 12180 - 10440, 9180 - 7560);
    const QStringList names = {"L_server", "L_di_ad(0)", "L_di_ad(1)", "L_di_ad(2)"};
    for (const QString &name : names) {
        QLabel *label = control<QLabel>(window.get(), name);
        QVERIFY2(label && corner.contains(label->geometry()), qPrintable(name));
    }
    for (QWidget *other : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (names.contains(other->objectName()) || !other->isVisible())
            continue;
        QVERIFY2(!other->geometry().intersects(corner), qPrintable(other->objectName()));
    }
}

void TstFeed::drawsArriveWhileTheNewsIsOpen()
{
    HttpFixture server;
    server.script(kPrimaryFeed, {{200, gbk(QStringLiteral("[ok][news]开奖号已更新[news]"))}});
    server.script(kPrimaryReport, {{200, "ok"}});
    server.script("/m/4x/draws.txt", {{200, "2026001 1234\n"}});
    // Both reads take their addresses from the environment.
    qputenv("VINTORA_FEED_PRIMARY", server.base(QStringLiteral("/m/4x/")).toUtf8());
    qputenv("VINTORA_FEED_SECONDARY", HttpFixture::closedBase(QStringLiteral("/4x/")).toUtf8());
    Fmain window;
    qunsetenv("VINTORA_FEED_PRIMARY");
    qunsetenv("VINTORA_FEED_SECONDARY");
    // The news box stays open until the draws are in; an update that waited
    // for it would never come.
    QStringList shown;
    set_modal_capture([&](const ModalMessage &message) {
        shown.append(message.text);
        const bool updated = QTest::qWaitFor([&] { return window.drawsUpdate().lastReport().has_value(); }, 30000);
        shown.append(updated && !window.drawStore().draws().isEmpty() ? QStringLiteral("draws in") : QStringLiteral("no draws"));
        return false;
    });
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(server.requestsTo(kPrimaryReport).size(), 1, 2 * int(kRequestTimeout.count()));
    set_modal_capture({});
    QCOMPARE(shown, QStringList({"开奖号已更新", "draws in"}));
}

QTEST_MAIN(TstFeed)
#include "tst_feed.moc"
