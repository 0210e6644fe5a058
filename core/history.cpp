#include "core/history.h"

#include "core/text.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace {
constexpr qsizetype kExcerptLength = 40;

// The value of an ASCII or full-width digit, else -1.
int digitValue(QChar ch)
{
    const char16_t u = ascii_form(ch).unicode();
    return u >= u'0' && u <= u'9' ? u - u'0' : -1;
}

int valueOf(QStringView digits)
{
    int value = 0;
    for (QChar ch : digits)
        value = 10 * value + digitValue(ch);
    return value;
}

// Blank lines and comments hold no draw.
bool isSkipped(QStringView line)
{
    const auto first = std::find_if(line.begin(), line.end(), [](QChar ch) { return !ch.isSpace(); });
    return first == line.end() || ascii_form(*first) == u'#';
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

// A line's runs of digits from left to right, with its dates taken out: the
// digits of "2026-01-03" are no runs of their own.
class RunReader
{
public:
    explicit RunReader(QStringView line) : m_line(line) {}

    // The next run that is not part of a date; empty at the end of the line.
    QStringView next()
    {
        while (m_at < m_line.size()) {
            if (digitValue(m_line[m_at]) < 0) {
                ++m_at;
                continue;
            }
            const qsizetype start = m_at;
            m_at = runEnd(start);
            if (m_at - start == 4 && passDate(start))
                continue;
            return m_line.sliced(start, m_at - start);
        }
        return {};
    }

    // The first date passed so far; null when none.
    QDate date() const { return m_date; }

private:
    qsizetype runEnd(qsizetype at) const
    {
        while (at < m_line.size() && digitValue(m_line[at]) >= 0)
            ++at;
        return at;
    }

    // The value of the run of one or two digits at `at`, which is passed;
    // -1 when there is none.
    int passShortRun(qsizetype &at) const
    {
        const qsizetype end = runEnd(at);
        if (end - at < 1 || end - at > 2)
            return -1;
        const int value = valueOf(m_line.sliced(at, end - at));
        at = end;
        return value;
    }

    bool passMark(qsizetype &at, char16_t mark) const
    {
        if (at >= m_line.size() || ascii_form(m_line[at]) != mark)
            return false;
        ++at;
        return true;
    }

    // Whether the four-digit run from yearStart to m_at is the year of a
    // date: a sign ("-", "/" or ".") or "年", the month, the same sign or
    // "月", the day, and "日" after "年". A date is passed whole; anything
    // else leaves the reader where it was.
    bool passDate(qsizetype yearStart)
    {
        qsizetype at = m_at;
        const char16_t sign = at < m_line.size() ? ascii_form(m_line[at]).unicode() : char16_t(0);
        const bool chinese = sign == u'年';
        if (!chinese && sign != u'-' && sign != u'/' && sign != u'.')
            return false;
        ++at;
        const int month = passShortRun(at);
        if (month < 0 || !passMark(at, chinese ? u'月' : sign))
            return false;
        const int day = passShortRun(at);
        if (day < 0 || (chinese && !passMark(at, u'日')))
            return false;
        const QDate date(valueOf(m_line.sliced(yearStart, 4)), month, day);
        if (!date.isValid())
            return false;
        if (m_date.isNull())
            m_date = date;
        m_at = at;
        return true;
    }

    QStringView m_line;
    qsizetype m_at = 0;
    QDate m_date;
};

// Reads one line that is neither blank nor a comment; false when it holds no draw.
bool readDraw(QStringView line, Draw &draw)
{
    RunReader reader(line);
    // The runs read so far, the latest first: enough for four single digits
    // and the run before them.
    std::array<QStringView, 5> latest;
    int singles = 0;    // single-digit runs in a row, up to the latest
    bool found = false;
    while (!found) {
        const QStringView run = reader.next();
        if (run.isEmpty())
            return false;
        std::shift_right(latest.begin(), latest.end(), 1);
        latest[0] = run;
        singles = run.size() == 1 ? singles + 1 : 0;
        if (singles == 4) {
            draw.number = valueOf(latest[3]) * 1000 + valueOf(latest[2]) * 100 + valueOf(latest[1]) * 10
                          + valueOf(latest[0]);
            draw.issue = asciiDigits(latest[4]);
            found = true;
        } else if (run.size() == 4) {
            draw.number = valueOf(run);
            draw.issue = asciiDigits(latest[1]);
            found = true;
        }
    }
    // Nothing after the draw is read, but a date there is still its date.
    while (reader.date().isNull() && !reader.next().isEmpty())
        continue;
    draw.date = reader.date();
    return true;
}

bool everyDrawNumbered(const QList<Draw> &draws)
{
    return std::all_of(draws.begin(), draws.end(), [](const Draw &d) { return !d.issue.isEmpty(); });
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
    QList<Draw> chosen = draws_oldest_first(draws, count);
    if (everyDrawNumbered(draws))
        std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

QList<Draw> draws_oldest_first(const QList<Draw> &draws, qsizetype count)
{
    QList<Draw> chosen = draws;
    if (everyDrawNumbered(draws))
        std::stable_sort(chosen.begin(), chosen.end(), issueBefore);
    if (count > 0 && count < chosen.size())
        chosen.remove(0, chosen.size() - count);
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
