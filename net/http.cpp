#include "net/http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {
QString upperHex(char16_t value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}
}

QString escape_text(QStringView text)
{
    static constexpr QStringView kUnreserved = u"-_.!~*'()";
    QString escaped;
    for (const QChar ch : text) {
        const char16_t v = ch.unicode();
        const bool plain = (v >= u'0' && v <= u'9') || (v >= u'a' && v <= u'z') || (v >= u'A' && v <= u'Z')
                           || kUnreserved.contains(ch);
        if (plain)
            escaped += ch;
        else if (v >= 255)
            escaped += QStringLiteral("%u") + upperHex(v, 4);
        else
            escaped += u'%' + upperHex(v, 2);
    }
    return escaped;
}

std::optional<QUrl> web_page(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!isWebAddress(url))
        return std::nullopt;
    return url;
}

QString http_request(const QString &mode, const QString &url, const QString &data,
                     std::chrono::milliseconds timeout)
{
    const std::optional<QUrl> address = web_page(url);
    if (!address)
        return QString();

    QNetworkRequest request(*address);
    request.setTransferTimeout(int(timeout.count()));
    // Only an exact "GET" is a GET; every other mode ("POST", "POS", ...) posts a form.
    const bool isGet = mode == u"GET";
    if (!isGet)
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    // The body goes out with a GET as well: the server reads "id" either way.
    const QByteArray body = "id=" + escape_text(data).toLatin1();

    QNetworkAccessManager manager;
    QEventLoop loop;
    // Our own guard keeps the same time-out over every phase (name look-up,
    // connect, send, receive), whatever the transfer time-out watches.
    QTimer guard;
    guard.setSingleShot(true);
    guard.setInterval(timeout);
    bool tooLong = false;
    std::unique_ptr<QNetworkReply> reply(manager.sendCustomRequest(request, isGet ? "GET" : "POST", body));
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&guard, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
    QObject::connect(reply.get(), &QNetworkReply::uploadProgress, &guard, [&guard] { guard.start(); });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &guard,
                     [&](qint64 received, qint64 total) {
                         guard.start();
                         if (received > kMaxReplyBytes || total > kMaxReplyBytes) {
                             tooLong = true;
                             reply->abort();
                         }
                     });
    guard.start();
    // The loop ends early when the program is ending; the request is then dropped.
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished())
        reply->abort();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLong || reply->error() != QNetworkReply::NoError || status != 200)
        return QString();
    const QByteArray bytes = reply->readAll();
    if (bytes.size() > kMaxReplyBytes)
        return QString();
    QStringDecoder fromGbk("GBK");
    return fromGbk.decode(bytes);
}
