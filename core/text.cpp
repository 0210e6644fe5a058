#include "core/text.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>

namespace {
bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }
}

QString only_str(QStringView yuan_str, QStringView mubiao_str)
{
    // One pass gives what replace, trim and repeated pair collapsing give.
    // The allowed set is looked up per character of lists megabytes long,
    // so it is a table, not a search of mubiao_str.
    std::bitset<0x10000> isAllowed;
    for (QChar ch : mubiao_str)
        isAllowed.set(ch.unicode());
    QString out;
    out.reserve(yuan_str.size());
    bool pendingSpace = false;
    for (QChar ch : yuan_str) {
        const bool allowed = isAllowed[ch.unicode()];
        if (!allowed || ch == u' ') {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace)
            out += u' ';
        pendingSpace = false;
        out += ch;
    }
    return out;
}

QChar ascii_form(QChar ch)
{
    return ch >= u'！' && ch <= u'～' ? QChar(ch.unicode() - (u'！' - u'!')) : ch;
}

QStringView trim_spaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString collapse_space_pairs(QStringView text, int passes)
{
    // Written through a pointer: players paste megabytes into these boxes.
    const qsizetype divisor = qsizetype(1) << passes;
    QString out(text.size(), Qt::Uninitialized);
    QChar *write = out.data();
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u' ') {
            *write++ = text[i++];
            continue;
        }
        qsizetype run = 0;
        while (i < text.size() && text[i] == u' ') {
            ++run;
            ++i;
        }
        write = std::fill_n(write, (run + divisor - 1) / divisor, QChar(u' '));
    }
    out.truncate(write - out.constData());
    return out;
}

QStringList split_lines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start).toString());
    return lines;
}

QList<QStringView> split_spaces(QStringView text)
{
    return text.split(u' ');
}

int16_t tolerance_value(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            sign = -1;
        ++i;
    }
    double value = 0;
    bool anyDigit = false;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
        value = value * 10 + text[i].digitValue();
        anyDigit = true;
    }
    if (i < text.size() && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i) {
            value += text[i].digitValue() * scale;
            scale /= 10;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    const double rounded = std::nearbyint(sign * value); // default rounding: halves to even
    constexpr double low = std::numeric_limits<int16_t>::min();
    constexpr double high = std::numeric_limits<int16_t>::max();
    return int16_t(std::clamp(rounded, low, high));
}

std::optional<QStringView> text_after_key(QStringView text, QStringView key)
{
    const qsizetype first = text.indexOf(key);
    if (key.isEmpty() || first < 0)
        return std::nullopt;
    const qsizetype start = first + key.size();
    const qsizetype next = text.indexOf(key, start);
    return next < 0 ? text.mid(start) : text.mid(start, next - start);
}
