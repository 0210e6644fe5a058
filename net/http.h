#pragma once

#include <QString>
#include <chrono>

// Every phase of a request (name look-up, connect, send, receive) gets this
// long before the request counts as failed.
constexpr std::chrono::milliseconds kRequestTimeout{15000};

// The feed is a few kilobytes; a longer reply is not one of ours.
constexpr qint64 kMaxReplyBytes = 1 << 20;

// mycode::XMLHttpRequest with its time-out as an argument: "" on any failure.
QString http_request(const QString &mode, const QString &url, const QString &data,
                     std::chrono::milliseconds timeout);
