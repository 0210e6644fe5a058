#pragma once

#include "app/fmain.h"
#include "ui/modal.h"
#include "ui/colorbutton.h"
#include "ui/file_dialog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// Records every modal message instead of showing it, for as long as it
// lives, and answers every question with `answer`.
class ModalRecorder
{
public:
    ModalRecorder()
    {
        set_modal_capture([this](const ModalMessage &message) {
            messages.append(message);
            return answer;
        });
    }
    ~ModalRecorder() { set_modal_capture({}); }

    QList<ModalMessage> messages;
    bool answer = true;
};

// Answers every file dialog with the next prepared path (cancels when none is
// left) and records what each asked, for as long as it lives.
class FileDialogRecorder
{
public:
    struct Asked
    {
        FileRequest request;
        QString startPath;
    };

    explicit FileDialogRecorder(QStringList prepared = {})
        : answers(std::move(prepared))
    {
        set_file_dialog_capture([this](const FileRequest &request, const QString &start) {
            asked.append({request, start});
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~FileDialogRecorder() { set_file_dialog_capture({}); }

    QStringList answers;
    QList<Asked> asked;
};

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a command-line program printed and how it ended (-1: it crashed or hung).
struct CommandRun
{
    int exitCode = -1;
    QByteArray out, err;
};

inline CommandRun runCommand(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Settings and locks of a test run stay out of the user's folders, and out
// of every other test process's: tests run side by side under ctest -j, and a
// shared instance lock or settings file lets one test refuse or change another.
// Call it before anything reads a setting; returns whether the folders took.
inline bool useTestFolders()
{
    static QTemporaryDir home;
    if (!home.isValid())
        return false;
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
        qunsetenv(name);
    QStandardPaths::setTestModeEnabled(true);
    const QString root = home.path() + u'/';
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).startsWith(root)
           && QSettings(QStringLiteral("Vintora"), QStringLiteral("probe")).fileName().startsWith(root);
}

template<typename T>
T *control(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

inline ColorButton *button(const QWidget *window, const QString &name)
{
    return control<ColorButton>(window, name);
}

// A main window whose core start-up and initialisation have run; the network
// step and the draws update are switched off unless a test asks for them.
inline std::unique_ptr<Fmain> startedWindow(bool withFeed = false)
{
    auto window = std::make_unique<Fmain>();
    if (!withFeed)
        control<QTimer>(window.get(), QStringLiteral("Timer_load"))->stop();
    window->show();
    // Showing starts it; it fires only once events are processed.
    if (!withFeed)
        control<QTimer>(window.get(), QStringLiteral("Timer_draws"))->stop();
    // The core start-up and the initialisation have run once their timers
    // switched themselves off; a loaded machine only makes that later.
    const QTimer *startCore = control<QTimer>(window.get(), QStringLiteral("Timer1"));
    const QTimer *initialise = control<QTimer>(window.get(), QStringLiteral("Timer_ding"));
    if (!QTest::qWaitFor([&] { return !startCore->isActive() && !initialise->isActive(); }, 60000))
        qWarning("the start-up timers never ran");
    return window;
}

// Presses an action button as the player does and returns the result count.
inline int pressAction(const QWidget *window, int index)
{
    button(window, QStringLiteral("C_guolv_ks(%1)").arg(index))->click();
    return control<QLabel>(window, QStringLiteral("dadi_zhushu"))->text().toInt();
}
