#pragma once

#include "app/fmain.h"
#include "ui/modal.h"
#include "ui/colorbutton.h"

#include <QAbstractButton>
#include <QLabel>
#include <QFile>
#include <QList>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// Records every modal message instead of showing it, for as long as it lives.
class ModalRecorder
{
public:
    ModalRecorder()
    {
        set_modal_capture([this](const ModalMessage &message) { messages.append(message); });
    }
    ~ModalRecorder() { set_modal_capture({}); }

    QList<ModalMessage> messages;
};

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
// step is switched off unless a test asks for it.
inline std::unique_ptr<Fmain> startedWindow(bool withFeed = false)
{
    auto window = std::make_unique<Fmain>();
    if (!withFeed)
        control<QTimer>(window.get(), QStringLiteral("Timer_load"))->stop();
    window->show();
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
