#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small HTTP server on a free loopback port, running in the test's own
// event loop. It records every request and answers each path from a script
// of replies; the last reply of a script repeats, unknown paths get 404.
class HttpFixture : public QObject
{
public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        bool silent = false;  // never answers
        QByteArray headers;   // more header lines, each ending in CR LF
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray body;
        qint64 atMs = 0;  // since the fixture started
    };

    HttpFixture()
    {
        m_clock.start();
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        });
    }

    QString base(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }

    void script(const QByteArray &path, const QList<Reply> &replies) { m_scripts[path] = replies; }

    QList<Request> requestsTo(const QByteArray &path) const
    {
        QList<Request> matching;
        for (const Request &request : requests) {
            if (request.path == path)
                matching.append(request);
        }
        return matching;
    }

    QList<Request> requests;

    // An address nobody listens on: connections are refused at once.
    static QString closedBase(const QString &path)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
    }

private:
    void readFrom(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        request.atMs = m_clock.elapsed();
        m_buffers.remove(socket);
        requests.append(request);
        answer(socket, nextReply(request.path));
    }

    Reply nextReply(const QByteArray &path)
    {
        auto script = m_scripts.find(path);
        if (script == m_scripts.end() || script->isEmpty())
            return Reply{404, "not found"};
        return script->size() > 1 ? script->takeFirst() : script->first();
    }

    static void answer(QTcpSocket *socket, const Reply &reply)
    {
        if (reply.silent)
            return;
        QPointer<QTcpSocket> guarded(socket);
        const auto send = [guarded, reply] {
            if (!guarded)
                return;
            QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
            response += reply.headers + "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(reply.body.size());
            response += "\r\nConnection: close\r\n\r\n" + reply.body;
            guarded->write(response);
            guarded->disconnectFromHost();
        };
        if (reply.delayMs > 0)
            QTimer::singleShot(reply.delayMs, socket, send);
        else
            send();
    }

    QTcpServer m_server;
    QElapsedTimer m_clock;
    QHash<QByteArray, QList<Reply>> m_scripts;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
