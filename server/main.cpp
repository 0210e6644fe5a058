// The feed server for development and tests: serves the feed document 4x.txt
// (GBK bytes) and the past draws draws.txt (UTF-8), both read from the feed
// folder on every request, under the base paths /m/4x/ and /4x/, and appends
// every report posted to ip.asp to a file. draws.txt carries an ETag; a
// request naming that ETag in If-None-Match is answered 304.
//
//   vintora-feed-server --port 8765 --folder server/sample
//
// Prints "listening on http://HOST:PORT/" once it accepts connections (with
// --port 0 the port is the one the system chose).

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <cstdio>

namespace {
const QStringList kBasePaths = {QStringLiteral("/m/4x/"), QStringLiteral("/4x/")};

// Reports are appended and flushed one by one, so a burst of reports arriving
// at once loses none and each survives a crash of the server.
class ReportLog
{
public:
    explicit ReportLog(const QString &path)
        : m_file(path)
    {
    }

    bool open() { return m_file.open(QIODevice::WriteOnly | QIODevice::Append); }
    QString errorString() const { return m_file.errorString(); }

    bool append(const QHttpServerRequest &request)
    {
        // One line per report; the body is form-encoded, so it holds no line break.
        QByteArray line = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1();
        line += '\t' + request.remoteAddress().toString().toLatin1();
        line += '\t' + QByteArray(request.body()).replace('\r', ' ').replace('\n', ' ') + '\n';
        return m_file.write(line) == line.size() && m_file.flush();
    }

private:
    QFile m_file;
};

// The draws file as it is now; a client holding its ETag gets 304.
QHttpServerResponse serveDraws(const QString &path, const QHttpServerRequest &request)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    const QByteArray body = file.readAll();
    const QByteArray etag = '"' + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex().left(32) + '"';
    QHttpServerResponse response = request.value("If-None-Match") == etag
        ? QHttpServerResponse(QHttpServerResponse::StatusCode::NotModified)
        : QHttpServerResponse(QByteArrayLiteral("text/plain; charset=utf-8"), body);
    response.setHeader("ETag", etag);
    return response;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vintora-feed-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the Vintora start-up feed and past draws, and records key reports."));
    parser.addHelpOption();
    const QCommandLineOption hostOption(QStringLiteral("host"), QStringLiteral("Address to listen on."),
                                        QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one."),
                                        QStringLiteral("port"), QStringLiteral("8765"));
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("Folder holding 4x.txt (GBK) and draws.txt (UTF-8)."),
                                          QStringLiteral("folder"), QStringLiteral("."));
    const QCommandLineOption reportsOption(
        QStringLiteral("reports"), QStringLiteral("File the reports are appended to."), QStringLiteral("file"),
        QDir::temp().filePath(QStringLiteral("vintora-feed-reports.txt")));
    parser.addOptions({hostOption, portOption, folderOption, reportsOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    const QHostAddress host(parser.value(hostOption));
    if (!portOk || port > 65535 || host.isNull()) {
        std::fprintf(stderr, "invalid --host or --port\n");
        return 2;
    }
    const QString feedPath = QDir(parser.value(folderOption)).filePath(QStringLiteral("4x.txt"));
    const QString drawsPath = QDir(parser.value(folderOption)).filePath(QStringLiteral("draws.txt"));
    ReportLog reports(parser.value(reportsOption));
    if (!reports.open()) {
        std::fprintf(stderr, "cannot open the reports file: %s\n", qPrintable(reports.errorString()));
        return 1;
    }

    QHttpServer server;
    for (const QString &base : kBasePaths) {
        server.route(base + QStringLiteral("4x.txt"), QHttpServerRequest::Method::Get, [feedPath] {
            QFile feed(feedPath);
            if (!feed.open(QIODevice::ReadOnly))
                return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
            return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=GBK"), feed.readAll());
        });
        server.route(base + QStringLiteral("draws.txt"), QHttpServerRequest::Method::Get,
                     [drawsPath](const QHttpServerRequest &request) { return serveDraws(drawsPath, request); });
        server.route(base + QStringLiteral("ip.asp"), QHttpServerRequest::Method::Post,
                     [&reports](const QHttpServerRequest &request) {
                         return reports.append(request)
                                    ? QHttpServerResponse(QByteArrayLiteral("text/plain"), QByteArrayLiteral("ok"))
                                    : QHttpServerResponse(QHttpServerResponse::StatusCode::InternalServerError);
                     });
    }

    const quint16 listening = server.listen(host, quint16(port));
    if (listening == 0) {
        std::fprintf(stderr, "cannot listen on %s:%u\n", qPrintable(host.toString()), port);
        return 1;
    }
    std::printf("listening on http://%s:%u/\n", qPrintable(host.toString()), unsigned(listening));
    std::fflush(stdout);
    return app.exec();
}
