#include "app/shutdown.h"

#include <QApplication>

void end_program()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
