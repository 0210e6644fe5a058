#include "app/fmain.h"
#include "ui/translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <memory>

namespace {
void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Vintora：按条件缩水四位数号码。"));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version only print, and must do so without a display, where
// QApplication would abort.
bool onlyPrints(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.parse(arguments);
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))
        || parser.isSet(QStringLiteral("version"));
}
}

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("vintora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VINTORA_VERSION));
    const std::unique_ptr<QCoreApplication> app = onlyPrints(argc, argv)
        ? std::make_unique<QCoreApplication>(argc, argv)
        : std::make_unique<QApplication>(argc, argv);
    install_qt_translations(app.get());

    // Parsed again after QApplication has taken Qt's own options (-platform,
    // -style, ...) out of the arguments; --help and --version exit here.
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(*app);

    Fmain window;
    window.show();
    return app->exec();
}
