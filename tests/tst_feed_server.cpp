#include "app/mycode.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>
#include <sys/prctl.h>

namespace {
// Bounds on waits for another process or a socket; they only keep a broken
// server from hanging the run, and a loaded machine stays far inside them.
constexpr int kBoundMs = 30000;

// The feed server as a child process on a free loopback port.
class FeedServer
{
public:
    FeedServer(const QString &folder, const QString &reports)
    {
        // The server ends with the test even when the test dies.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start(QStringLiteral(FEED_SERVER), {QStringLiteral("--port"), QStringLiteral("0"),
                                                      QStringLiteral("--folder"), folder,
                                                      QStringLiteral("--reports"), reports});
        while (!m_process.canReadLine() && m_process.waitForReadyRead(kBoundMs)) {
        }
        static const QRegularExpression listening(QStringLiteral("^listening on (http://127\\.0\\.0\\.1:(\\d+)/)"));
        const QRegularExpressionMatch match = listening.match(QString::fromLatin1(m_process.readLine()));
        if (match.hasMatch()) {
            m_root = match.captured(1);
            m_port = quint16(match.captured(2).toUInt());
        }
    }
    ~FeedServer()
    {
        m_process.kill();
        m_process.waitForFinished(kBoundMs);
    }

    QString root() const { return m_root; }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    QString m_root;
    quint16 m_port = 0;
};

QByteArray gbk(const QString &text)
{
    QStringEncoder toGbk("GBK");
    return toGbk.encode(text);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One HTTP answer: its head and as much body as its Content-Length says.
QByteArray readAnswer(QTcpSocket &socket)
{
    QByteArray answer;
    static const QRegularExpression length(QStringLiteral("content-length: *(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    while (socket.bytesAvailable() > 0 || socket.waitForReadyRead(kBoundMs)) {
        answer += socket.readAll();
        const qsizetype headEnd = answer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            continue;
        const QRegularExpressionMatch match = length.match(QString::fromLatin1(answer.left(headEnd)));
        if (answer.size() >= headEnd + 4 + (match.hasMatch() ? match.captured(1).toLongLong() : 0))
            break;
    }
    return answer;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

class TstFeedServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void servesTheFeedUnderBothBases();
    void unknownPathsAreNotFound();
    void keepsEveryReportOfABurst();
    void sampleFeedIsGbkMadeFromItsSource();
    void sampleFeedDrivesTheWindow();
    void commandLineUpdatesFromTheServer();
};

void TstFeedServer::servesTheFeedUnderBothBases()
{
    QTemporaryDir folder;
    const QString feed = QStringLiteral("[ok][biaoti]四星缩水[biaoti]");
    QVERIFY(writeFile(folder.filePath(QStringLiteral("4x.txt")), gbk(feed)));
    FeedServer server(folder.path(), folder.filePath(QStringLiteral("reports.txt")));
    QVERIFY(server.port() != 0);
    for (const char *base : {"m/4x/", "4x/"}) {
        QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.root() + QLatin1String(base) + "4x.txt", QString()),
                 feed);
    }
    // Edits of the feed file show at the next request.
    QVERIFY(writeFile(folder.filePath(QStringLiteral("4x.txt")), gbk(QStringLiteral("[ok]新"))));
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.root() + "4x/4x.txt", QString()),
             QStringLiteral("[ok]新"));
}

void TstFeedServer::unknownPathsAreNotFound()
{
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("4x.txt")), "[ok]"));
    FeedServer server(folder.path(), folder.filePath(QStringLiteral("reports.txt")));
    for (const char *path : {"4x.txt", "m/4x/other.txt", "x/4x/4x.txt"}) {
        QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.root() + QLatin1String(path), QString()),
                 QString());
    }
    // Reports are posted, never fetched.
    QCOMPARE(mycode::XMLHttpRequest(QStringLiteral("GET"), server.root() + "4x/ip.asp", QStringLiteral("1")),
             QString());
    QCOMPARE(readFile(folder.filePath(QStringLiteral("reports.txt"))), QByteArray());
}

void TstFeedServer::keepsEveryReportOfABurst()
{
    QTemporaryDir folder;
    const QString reports = folder.filePath(QStringLiteral("reports.txt"));
    FeedServer server(folder.path(), reports);
    QVERIFY(server.port() != 0);

    // All connections are open and all requests sent before any answer is read.
    constexpr int kReports = 120;
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < kReports; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, server.port());
        sockets.push_back(std::move(socket));
    }
    for (int i = 0; i < kReports; ++i) {
        QVERIFY(sockets[i]->waitForConnected(kBoundMs));
        const QByteArray body = "id=" + QByteArray::number(100000000000000LL + i);
        const char *base = i % 2 ? "/4x/" : "/m/4x/";
        sockets[i]->write(QByteArray("POST ") + base + "ip.asp HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                          "Content-Type: application/x-www-form-urlencoded\r\nConnection: close\r\n"
                          "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    for (const auto &socket : sockets) {
        const QByteArray answer = readAnswer(*socket);
        QVERIFY2(answer.startsWith("HTTP/1.1 200"), answer.constData());
    }

    const QList<QByteArray> lines = readFile(reports).split('\n');
    QCOMPARE(lines.size(), kReports + 1);
    QVERIFY(lines.last().isEmpty());
    QSet<QByteArray> ids;
    for (qsizetype i = 0; i < kReports; ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        QCOMPARE(fields.size(), 3);
        QCOMPARE(fields[1], QByteArray("127.0.0.1"));
        ids.insert(fields[2]);
    }
    QCOMPARE(ids.size(), kReports);
    for (int i = 0; i < kReports; ++i)
        QVERIFY(ids.contains("id=" + QByteArray::number(100000000000000LL + i)));
}

void TstFeedServer::sampleFeedIsGbkMadeFromItsSource()
{
    const QByteArray served = readFile(QStringLiteral(VINTORA_SOURCE_DIR "/server/sample/4x.txt"));
    const QByteArray source = readFile(QStringLiteral(VINTORA_SOURCE_DIR "/server/sample/4x.utf8.txt"));
    QVERIFY(!served.isEmpty());
    QStringDecoder fromGbk("GBK");
    const QString text = fromGbk.decode(served);
    QVERIFY(!fromGbk.hasError());
    QCOMPARE(text, QString::fromUtf8(source).replace(u'\n', QStringLiteral("\r\n")));
    QVERIFY(text.contains(QStringLiteral("[ok]")));
    QVERIFY(text.contains(QStringLiteral("[banben]20170601[banben]")));
}

void TstFeedServer::sampleFeedDrivesTheWindow()
{
    QTemporaryDir reportsFolder;
    const QString reports = reportsFolder.filePath(QStringLiteral("reports.txt"));
    FeedServer server(QStringLiteral(VINTORA_SOURCE_DIR "/server/sample"), reports);
    QVERIFY(server.port() != 0);
    ModalRecorder modals;
    auto window = startedWindow();
    window->serverFeed().setBaseAddresses(server.root() + "m/4x/", server.root() + "4x/");
    window->serverFeed().run();

    QCOMPARE(window->windowTitle(), QStringLiteral("Vintora 四星缩水（本地测试服务器）"));
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].title, QStringLiteral("温馨提示"));
    QCOMPARE(control<QLabel>(window.get(), QStringLiteral("L_server"))->text(), QStringLiteral("服务器A"));
    QCOMPARE(control<QLabel>(window.get(), QStringLiteral("L_di_ad(0)"))->text(), QStringLiteral("缩水技巧"));
    QTRY_VERIFY_WITH_TIMEOUT(readFile(reports).contains("\tid="), kBoundMs);
}

void TstFeedServer::commandLineUpdatesFromTheServer()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QStringLiteral(VINTORA_SOURCE_DIR "/server/sample/draws.txt"), folder.filePath(QStringLiteral("draws.txt"))));
    auto server = std::make_unique<FeedServer>(folder.path(), folder.filePath(QStringLiteral("reports.txt")));
    QVERIFY(server->port() != 0);
    qputenv("VINTORA_FEED_PRIMARY", (server->root() + QStringLiteral("m/4x/")).toUtf8());
    qputenv("VINTORA_FEED_SECONDARY", "http://127.0.0.1:1/4x/");
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath(QStringLiteral("data"))));
    auto shrink = [](const char *option) { return runCommand(QStringLiteral(VINTORA_SHRINK), {QLatin1String(option)}); };

    QCOMPARE(shrink("--update").out, QStringLiteral("服务器A：新增 60 期\n").toUtf8());
    // The server's ETag comes back, and the unchanged file is not sent again.
    QCOMPARE(shrink("--update").out, QStringLiteral("服务器A：开奖号没有变化\n").toUtf8());
    QFile draws(folder.filePath(QStringLiteral("draws.txt")));
    QVERIFY(draws.open(QIODevice::Append) && draws.write("2026062 2026-03-03 1234\n") > 0);
    draws.close();
    QCOMPARE(shrink("--update").out, QStringLiteral("服务器A：新增 1 期；缺少 1 期：2026061\n").toUtf8());

    server.reset();
    const CommandRun failed = shrink("--update");
    QCOMPARE(failed.exitCode, 2);
    QCOMPARE(failed.out, QStringLiteral("更新开奖失败：服务器A：无法连接；服务器B：无法连接\n").toUtf8());
}

QTEST_MAIN(TstFeedServer)
#include "tst_feed_server.moc"
