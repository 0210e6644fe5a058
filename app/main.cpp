#include "app/fmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Fixes the folder of the single-instance lock whatever the file is called.
    QApplication::setApplicationName(QStringLiteral("vintora"));
    Fmain window;
    window.show();
    return app.exec();
}
