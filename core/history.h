#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

class QFile;

// A history of past draws as players keep it: one draw a line, in any of the
// forms lottery sites print ("2024001 1234", "2024001 1 2 3 4", "1,2,3,4"),
// often with the date, the test number (试机号) or the sales on the same line.

struct Draw
{
    QString issue;          // 期号, ASCII digits; empty when the line has none
    int number = 0;         // the drawn number, 0-9999
    QDate date;             // the draw's date where the line gives one; null otherwise
    qsizetype line = 0;     // line in the text, from 1
};

struct MalformedLine
{
    qsizetype line = 0;     // from 1
    QString excerpt;        // the start of the line, for the player to find it
};

struct DrawHistory
{
    QList<Draw> draws;              // in the text's order
    QList<MalformedLine> malformed; // in the text's order
};

// Reads one draw a line. Blank lines and lines starting with "#" are skipped;
// full-width digits and signs count as their ASCII forms. A date (2026-01-03,
// 2026/1/3, 2026.01.03 or 2026年1月3日) is taken out of the line first and
// kept as the draw's date. Then, reading the runs of digits left to right,
// the draw is the first place where four runs of one digit follow each other
// or a run has exactly four digits; whatever follows it is not read. The
// issue number is the last run before the draw. A line without a draw is
// malformed.
DrawHistory read_draw_history(QStringView text);

// The last `count` draws (every draw when count is 0 or beyond their number).
// When every draw has an issue number they are ordered by it and returned
// newest first; otherwise they keep the text's order.
QList<Draw> recent_draws(const QList<Draw> &draws, qsizetype count);

// The same draws oldest first: by issue number when every draw has one,
// otherwise in the text's order, the last line newest.
QList<Draw> draws_oldest_first(const QList<Draw> &draws, qsizetype count);

// A history file's text. Files from Chinese sites come in UTF-8 or GBK:
// text that is not valid UTF-8 is read as GB18030, of which GBK is a part.
QString history_text_from_bytes(const QByteArray &bytes);

// Larger files are refused: a history of every draw ever made is far smaller.
constexpr qint64 kHistoryFileLimit = 16 * 1024 * 1024;

struct HistoryFile
{
    enum Status { Read, CannotOpen, TooLarge };
    Status status = Read;
    QString text;
    QString error;          // the system's reason when it cannot be opened
};

HistoryFile read_history_file(const QString &path);
// The same from a device already open, such as standard input.
HistoryFile read_history_file(QFile &source);

// Why the file could not be read, in the player's words; empty when it was.
QString history_file_problem(const HistoryFile &file);
