#include "app/fmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Fmain window;
    window.show();
    return app.exec();
}
