#pragma once

#include "app/fmain.h"
#include "ui/modal.h"
#include "ui/colorbutton.h"

#include <QAbstractButton>
#include <QLabel>
#include <QList>
#include <QStandardPaths>
#include <QTest>
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

// Settings and locks of a test run stay out of the user's folders.
inline void useTestFolders()
{
    QStandardPaths::setTestModeEnabled(true);
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
    QTest::qWait(80);
    return window;
}

// Presses an action button as the player does and returns the result count.
inline int pressAction(const QWidget *window, int index)
{
    button(window, QStringLiteral("C_guolv_ks(%1)").arg(index))->click();
    return control<QLabel>(window, QStringLiteral("dadi_zhushu"))->text().toInt();
}
