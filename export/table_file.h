#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

// A table as the program shows it: every cell a text, header first. Written
// to a file, a number such as 0267 keeps its leading zero wherever the
// format can say so.
struct TextTable
{
    QString name;                   // the worksheet's name in a workbook
    QStringList header;
    QList<QStringList> rows;
};

// What a model displays, header first.
TextTable table_of_model(const QAbstractItemModel &model, const QString &name);

// The file types a save dialog offers for a table, the workbook first.
QString table_file_filter();

// Writes the whole table or nothing. A path ending in ".xlsx" gets an Excel
// workbook whose cells are all text, which spreadsheets open with 0267 as
// 0267; any other path gets UTF-8 CSV with a byte order mark, fields quoted
// where they hold a comma, a quote or a line break. False when it cannot.
bool write_table_file(const QString &path, const TextTable &table);
