#include "core/history.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace {
constexpr qsizetype kExcerptLength = 40;

// The value of an ASCII or full-width digit, else -1.
int digitValue(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'０' && u <= u'９')
        return u - u'０';
    return -1;
}

// Blank lines and comments hold no draw.
bool isSkipped(QStringView line)
{
    const auto first = std::find_if(line.begin(), line.end(), [](QChar ch) { return !ch.isSpace(); });
    return first == line.end() || *first == u'#' || *first == u'＃';
}

QString asciiDigits(QStringView run)
{
    QString out(run.size(), Qt::Uninitialized);
    std::transform(run.begin(), run.end(), out.begin(), [](QChar ch) { return QChar(u'0' + digitValue(ch)); });
    return out;
}

QString excerptOf(QStringView line)
{
    if (line.size() <= kExcerptLength)
        return line.toString();
    // Never cut a surrogate pair in two.
    const qsizetype cut = line[kExcerptLength - 1].isHighSurrogate() ? kExcerptLength - 1 : kExcerptLength;
    return line.first(cut).toString() + u'…';
}

// The runs of digits a line's draw is read from: the first one, the last four
// and how many there are. A pasted line may hold millions of runs, so only
// these are kept.
struct DigitRuns
{
    qsizetype count = 0;
    QStringView first;
    std::array<QStringView, 4> last;   // last[(count - 1) % 4] is the latest

    QStringView fromEnd(int k) const { return last[std::size_t((count - 1 - k) % 4)]; }
};

DigitRuns digitRunsOf(QStringView line)
{
    DigitRuns runs;
    qsizetype i = 0;
    while (i < line.size()) {
        if (digitValue(line[i]) < 0) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && digitValue(line[i]) >= 0)
            ++i;
        const QStringView run = line.sliced(start, i - start);
        if (runs.count == 0)
            runs.first = run;
        runs.last[std::size_t(runs.count % 4)] = run;
        ++runs.count;
    }
    return runs;
}

// Reads one line that is neither blank nor a comment; false when it holds no draw.
bool readDraw(QStringView line, Draw &draw)
{
    const DigitRuns runs = digitRunsOf(line);
    qsizetype drawRuns = 0;
    if (runs.count >= 4) {
        drawRuns = 4;
        for (int k = 0; k < 4; ++k) {
            if (runs.fromEnd(k).size() != 1)
                drawRuns = 0;
        }
        if (drawRuns == 4) {
            draw.number = 0;
            for (int k = 3; k >= 0; --k)
                draw.number = draw.number * 10 + digitValue(runs.fromEnd(k).front());
        }
    }
    if (drawRuns == 0 && runs.count >= 1 && runs.fromEnd(0).size() == 4) {
        drawRuns = 1;
        draw.number = asciiDigits(runs.fromEnd(0)).toInt();
    }
    if (drawRuns == 0)
        return false;
    draw.issue = runs.count > drawRuns ? asciiDigits(runs.first) : QString();
    return true;
}

// Issue numbers compare as whole numbers of any length.
bool issueBefore(const Draw &a, const Draw &b)
{
    auto significant = [](const QString &issue) {
        const auto nonZero = std::find_if(issue.begin(), issue.end(), [](QChar ch) { return ch != u'0'; });
        return QStringView(issue).sliced(nonZero - issue.begin());
    };
    const QStringView x = significant(a.issue);
    const QStringView y = significant(b.issue);
    if (x.size() != y.size())
        return x.size() < y.size();
    return x < y;
}
}

DrawHistory read_draw_history(QStringView text)
{
    DrawHistory history;
    qsizetype lineNumber = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = text.sliced(start, end - start);
        ++lineNumber;
        Draw draw;
        if (!isSkipped(line)) {
            if (readDraw(line, draw)) {
                draw.line = lineNumber;
                history.draws.append(std::move(draw));
            } else {
                history.malformed.append({lineNumber, excerptOf(line)});
            }
        }
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return history;
}

QList<Draw> recent_draws(const QList<Draw> &draws, qsizetype count)
{
    const bool numbered = std::all_of(draws.begin(), draws.end(), [](const Draw &d) { return !d.issue.isEmpty(); });
    QList<Draw> chosen = draws;
    if (numbered)
        std::stable_sort(chosen.begin(), chosen.end(), issueBefore);
    if (count > 0 && count < chosen.size())
        chosen.remove(0, chosen.size() - count);
    if (numbered)
        std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

QString history_text_from_bytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GB18030");
    if (gbk.isValid()) {
        QString wide = gbk.decode(bytes);
        if (!gbk.hasError())
            return wide;
    }
    return text;
}

HistoryFile read_history_file(const QString &path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        HistoryFile file;
        file.status = HistoryFile::CannotOpen;
        file.error = source.errorString();
        return file;
    }
    return read_history_file(source);
}

HistoryFile read_history_file(QFile &source)
{
    HistoryFile file;
    // Read one byte past the limit: a device's size may be unknown.
    const QByteArray bytes = source.read(kHistoryFileLimit + 1);
    if (bytes.size() > kHistoryFileLimit) {
        file.status = HistoryFile::TooLarge;
        return file;
    }
    if (source.error() != QFileDevice::NoError) {
        file.status = HistoryFile::CannotOpen;
        file.error = source.errorString();
        return file;
    }
    file.text = history_text_from_bytes(bytes);
    return file;
}

QString history_file_problem(const HistoryFile &file)
{
    switch (file.status) {
    case HistoryFile::CannotOpen:
        return QStringLiteral("无法打开（%1）").arg(file.error);
    case HistoryFile::TooLarge:
        return QStringLiteral("文件太大（超过 %1 MB）").arg(kHistoryFileLimit / (1024 * 1024));
    case HistoryFile::Read:
        break;
    }
    return {};
}
