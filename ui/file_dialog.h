#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every file dialog of the program passes through choose_file, so tests can
// answer it instead of blocking on it, as they do for show_modal.
struct FileRequest
{
    enum Kind { Open, Save };
    Kind kind = Open;
    QString title;
    QString suggestedName;  // the file name a save starts with
    QString filter;         // e.g. "方案文件 (*.json)"
    QString defaultSuffix;  // added to a saved name typed without one
};

// Given the request and the path the dialog would start at, a capture returns
// the chosen path, or an empty string for a cancelled dialog.
using FileDialogCapture = std::function<QString(const FileRequest &request, const QString &startPath)>;

// An empty capture restores real dialogs.
void set_file_dialog_capture(FileDialogCapture capture);

// Asks for a file, starting in the folder last used; an empty string when
// the player cancels.
QString choose_file(QWidget *parent, const FileRequest &request);
