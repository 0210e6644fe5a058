#include "ui/file_dialog.h"

#include "ui/settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString kFolderKey = QStringLiteral("FileDialog/folder");

FileDialogCapture &capture()
{
    static FileDialogCapture installed;
    return installed;
}

QString startPath(const FileRequest &request)
{
    QString folder = WindowSettings().value(kFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return request.suggestedName.isEmpty() ? folder : QDir(folder).filePath(request.suggestedName);
}

QString askPlayer(QWidget *parent, const FileRequest &request, const QString &start)
{
    QFileDialog dialog(parent, request.title, start, request.filter);
    if (request.kind == FileRequest::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
}

void set_file_dialog_capture(FileDialogCapture newCapture)
{
    capture() = std::move(newCapture);
}

QString choose_file(QWidget *parent, const FileRequest &request)
{
    const QString start = startPath(request);
    const QString chosen = capture() ? capture()(request, start) : askPlayer(parent, request, start);
    if (!chosen.isEmpty())
        WindowSettings().setValue(kFolderKey, QFileInfo(chosen).absolutePath());
    return chosen;
}
