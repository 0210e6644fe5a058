#include "export/table_file.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace {
QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray csvOf(const TextTable &table)
{
    QString csv;
    const auto appendLine = [&csv](const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted.append(csvField(field));
        csv += quoted.join(u',') + QStringLiteral("\r\n");
    };
    appendLine(table.header);
    for (const QStringList &row : table.rows)
        appendLine(row);
    // The byte order mark lets spreadsheet programs read Chinese as UTF-8.
    return "\xEF\xBB\xBF" + csv.toUtf8();
}

// A worksheet name may not hold []:*?/\ and has at most 31 characters.
QByteArray sheetName(const QString &name)
{
    QString safe = name;
    for (QChar &ch : safe) {
        if (QStringView(u"[]:*?/\\").contains(ch))
            ch = u'_';
    }
    return safe.left(31).toUtf8();
}

// The workbook in a file of its own, which libxlsxwriter writes by name.
bool writeWorkbook(const QString &path, const TextTable &table)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return false;
    const QByteArray name = sheetName(table.name);
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, name.isEmpty() ? nullptr : name.constData());
    // "@" is the text format: a cell typed over later stays text as well.
    lxw_format *text = workbook_add_format(workbook);
    format_set_num_format(text, "@");
    lxw_format *header = workbook_add_format(workbook);
    format_set_num_format(header, "@");
    format_set_bold(header);
    if (!table.header.isEmpty())
        worksheet_set_column(sheet, 0, lxw_col_t(table.header.size() - 1), 12, text);
    const auto writeRow = [sheet](lxw_row_t row, const QStringList &cells, lxw_format *format) {
        for (qsizetype column = 0; column < cells.size(); ++column)
            worksheet_write_string(sheet, row, lxw_col_t(column), cells[column].toUtf8().constData(), format);
    };
    writeRow(0, table.header, header);
    for (qsizetype row = 0; row < table.rows.size(); ++row)
        writeRow(lxw_row_t(row + 1), table.rows[row], text);
    return workbook_close(workbook) == LXW_NO_ERROR;
}

QByteArray workbookOf(const TextTable &table)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("table.xlsx"));
    if (!folder.isValid() || !writeWorkbook(path, table))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

TextTable table_of_model(const QAbstractItemModel &model, const QString &name)
{
    TextTable table;
    table.name = name;
    for (int column = 0; column < model.columnCount(); ++column)
        table.header.append(model.headerData(column, Qt::Horizontal).toString());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.append(model.data(model.index(row, column)).toString());
        table.rows.append(cells);
    }
    return table;
}

QString table_file_filter()
{
    return QStringLiteral("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)");
}

bool write_table_file(const QString &path, const TextTable &table)
{
    const bool workbook = QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes = workbook ? workbookOf(table) : csvOf(table);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
