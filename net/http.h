#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>
#include <chrono>
#include <optional>

// Every phase of a request (name look-up, connect, send, receive) gets this
// long before the request counts as failed.
constexpr std::chrono::milliseconds kRequestTimeout{15000};

// The feed is a few kilobytes; a longer reply is not one of ours.
constexpr qint64 kMaxReplyBytes = 1 << 20;

// One request with the body "id=" + escaped data: the reply decoded from GBK,
// "" on any failure.
QString http_request(const QString &mode, const QString &url, const QString &data,
                     std::chrono::milliseconds timeout);

// The form encoding of the requests: letters, digits and -_.!~*'() stay,
// code units of 255 and above become %uXXXX, the rest %XX.
QString escape_text(QStringView text);

// The address as a web page to open; nothing when it names anything else, so
// that an address from the feed cannot start a local program or open a file.
std::optional<QUrl> web_page(const QString &address);
