#pragma once

#include <QString>

class QAbstractItemModel;
class QWidget;

// The history window's tables leave as a workbook or as CSV, by the suffix
// of the file the player picks; `name` names the worksheet and begins the
// file name the dialog suggests, with the date and time.
QString choose_table_file(QWidget *parent, const QString &title, const QString &name);

// Writes what the model displays; false, with a message, when the file
// cannot be written.
bool write_shown_table(QWidget *parent, const QString &path, const QAbstractItemModel &model, const QString &name);
