// vintora_feed_bench: the feed server under load. Starts vintora-feed-server
// on a free loopback port, serving a draws.txt of ten thousand draws, and
// lets 100 clients fetch it 20 times each, all at once, every request on a
// connection of its own, as programs starting up would. Reports requests per
// second and errors (a failed request or a body that is not the file), and
// exits with 1 when there was any.
//
//   ./build/bench/vintora_feed_bench

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kClients = 100;
constexpr int kRequestsEach = 20;
constexpr int kDraws = 10000;
// A bench that has not finished by then has hung: it stops and says so.
constexpr int kDeadlineMs = 300000;

// One client: its own connections, one request after the other.
class Client : public QObject
{
public:
    Client(const QUrl &url, const QByteArray &expected, int &errors, int &finished)
        : m_url(url), m_expected(expected), m_errors(errors), m_finished(finished)
    {
    }

    void next()
    {
        if (m_left == 0)
            return;
        --m_left;
        QNetworkRequest request(m_url);
        request.setRawHeader("Connection", "close");
        QNetworkReply *reply = m_manager.get(request);
        connect(reply, &QNetworkReply::finished, this, [this, reply] {
            reply->deleteLater();
            const bool served = reply->error() == QNetworkReply::NoError
                                && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200
                                && reply->readAll() == m_expected;
            m_errors += served ? 0 : 1;
            if (++m_finished == kClients * kRequestsEach)
                QCoreApplication::quit();
            next();
        });
    }

private:
    QNetworkAccessManager m_manager;
    QUrl m_url;
    const QByteArray &m_expected;
    int &m_errors;
    int &m_finished;
    int m_left = kRequestsEach;
};

QByteArray drawsFile()
{
    QByteArray text;
    for (int i = 0; i < kDraws; ++i) {
        text += QStringLiteral("%1%2 %3\n").arg(2000 + i / 1000).arg(i % 1000 + 1, 3, 10, QChar(u'0'))
                    .arg(i * 7919 % 10000, 4, 10, QChar(u'0')).toLatin1();
    }
    return text;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QByteArray draws = drawsFile();
    QFile file(folder.filePath(QStringLiteral("draws.txt")));
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(draws) != draws.size()) {
        std::fprintf(stderr, "cannot write the draws file\n");
        return 2;
    }
    file.close();

    QProcess server;
    server.start(QStringLiteral(FEED_SERVER), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--folder"),
                                               folder.path(), QStringLiteral("--reports"),
                                               folder.filePath(QStringLiteral("reports.txt"))});
    while (!server.canReadLine() && server.waitForReadyRead(30000)) {
    }
    static const QRegularExpression listening(QStringLiteral("^listening on (http://\\S+/)"));
    const QRegularExpressionMatch match = listening.match(QString::fromLatin1(server.readLine()));
    if (!match.hasMatch()) {
        std::fprintf(stderr, "the feed server did not start\n");
        return 2;
    }
    const QUrl url(match.captured(1) + QStringLiteral("m/4x/draws.txt"));

    int errors = 0;
    int finished = 0;
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < kClients; ++i)
        clients.push_back(std::make_unique<Client>(url, draws, errors, finished));
    QElapsedTimer clock;
    clock.start();
    for (const auto &client : clients)
        client->next();
    QTimer::singleShot(kDeadlineMs, &app, &QCoreApplication::quit);
    app.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;

    const int total = kClients * kRequestsEach;
    errors += total - finished;   // unfinished at the deadline
    std::printf("feed server, draws.txt of %d draws (%lld bytes), %d clients x %d requests over loopback\n", kDraws,
                static_cast<long long>(draws.size()), kClients, kRequestsEach);
    std::printf("%d requests in %.2f s: %.0f requests/s, %.1f MB/s, %d errors\n", total, seconds, finished / seconds,
                finished * double(draws.size()) / seconds / 1e6, errors);
    server.kill();
    server.waitForFinished(30000);
    return errors == 0 ? 0 : 1;
}
