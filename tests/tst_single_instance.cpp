#include "httpfixture.h"
#include "net/single_instance.h"
#include "testsupport.h"

#include <QDir>
#include <QLockFile>
#include <QStringEncoder>
#include <QProcess>

namespace {
// Bounds on waits for the other process; a loaded machine stays far inside them.
constexpr int kBoundMs = 30000;

// Another process holding the program's lock, as a running copy would.
class OtherCopy
{
public:
    OtherCopy()
    {
        QDir().mkpath(QFileInfo(instance_lock_path()).absolutePath());
        m_process.start(QStringLiteral(LOCK_HOLDER), {instance_lock_path()});
    }
    ~OtherCopy()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(kBoundMs))
            m_process.kill();
        m_process.waitForFinished(kBoundMs);
    }

    bool waitUntilLocked() { return m_process.waitForReadyRead(kBoundMs) && m_process.readAll().startsWith("locked"); }

    // Ends like a crash: the lock file stays behind.
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(kBoundMs);
    }

private:
    QProcess m_process;
};

std::unique_ptr<Fmain> windowFor(const HttpFixture &server)
{
    auto window = startedWindow();
    window->serverFeed().setBaseAddresses(server.base(QStringLiteral("/m/4x/")), server.base(QStringLiteral("/4x/")));
    return window;
}
}

// The lock belongs to the process once taken, so the refusal must be tested
// first; QTest runs the functions in the order declared.
class TstSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void secondCopyIsRefused();
    void lockOfACrashedCopyIsTakenOver();
    void everyWindowOfTheRunningCopyMayStart();
};

void TstSingleInstance::secondCopyIsRefused()
{
    OtherCopy running;
    QVERIFY(running.waitUntilLocked());
    HttpFixture server;
    server.script("/m/4x/4x.txt", {{200, "[ok]"}});
    ModalRecorder modals;
    auto window = windowFor(server);
    window->serverFeed().run();

    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("本软件已经打开了，不要重复打开，本界面将自动关闭"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("错误提示"));
    QVERIFY(!window->isVisible());
    QVERIFY(server.requests.isEmpty());
}

void TstSingleInstance::lockOfACrashedCopyIsTakenOver()
{
    {
        OtherCopy crashed;
        QVERIFY(crashed.waitUntilLocked());
        crashed.crash();
    }
    QVERIFY(QFile::exists(instance_lock_path()));

    HttpFixture server;
    server.script("/m/4x/4x.txt", {{200, "[ok]"}});
    server.script("/m/4x/ip.asp", {{200, "ok"}});
    ModalRecorder modals;
    auto window = windowFor(server);
    window->serverFeed().run();
    QVERIFY(modals.messages.isEmpty());
    QCOMPARE(server.requests.size(), 2);

    qint64 holder = 0;
    QString hostName, application;
    QLockFile lock(instance_lock_path());
    QVERIFY(lock.getLockInfo(&holder, &hostName, &application));
    QCOMPARE(holder, QCoreApplication::applicationPid());
}

void TstSingleInstance::everyWindowOfTheRunningCopyMayStart()
{
    QVERIFY(claim_single_instance());
    HttpFixture server;
    QStringEncoder toGbk("GBK");
    server.script("/m/4x/4x.txt", {{200, toGbk.encode(QStringLiteral("[ok][biaoti]第二个窗口[biaoti]"))}});
    ModalRecorder modals;
    auto window = windowFor(server);
    window->serverFeed().run();
    QVERIFY(modals.messages.isEmpty());
    QCOMPARE(window->windowTitle(), QStringLiteral("第二个窗口"));
    // Another process is refused while this one runs.
    OtherCopy other;
    QVERIFY(!other.waitUntilLocked());
}

QTEST_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
