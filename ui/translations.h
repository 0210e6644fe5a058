#pragma once

#include <QString>

class QCoreApplication;

// Puts Qt's own Simplified Chinese texts (context menus, dialog buttons, file
// dialogs, command-line help) in place for the whole application. The
// catalogue is looked for in `folder`, Qt's translations folder by default; a
// missing or unreadable catalogue leaves Qt's English texts and is no error.
// Returns whether the catalogue was installed.
bool install_qt_translations(QCoreApplication *app, const QString &folder = QString());
