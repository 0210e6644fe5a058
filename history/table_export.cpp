#include "history/table_export.h"

#include "export/table_file.h"
#include "ui/file_dialog.h"
#include "ui/modal.h"

#include <QDateTime>
#include <QDir>

QString choose_table_file(QWidget *parent, const QString &title, const QString &name)
{
    FileRequest request;
    request.kind = FileRequest::Save;
    request.title = title;
    request.suggestedName =
        QStringLiteral("%1-%2.xlsx").arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    request.filter = table_file_filter();
    request.defaultSuffix = QStringLiteral("xlsx");
    return choose_file(parent, request);
}

bool write_shown_table(QWidget *parent, const QString &path, const QAbstractItemModel &model, const QString &name)
{
    const bool written = write_table_file(path, table_of_model(model, name));
    if (!written)
        show_message(parent, QStringLiteral("无法写入文件：\n%1").arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("错误提示"));
    return written;
}
