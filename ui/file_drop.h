#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Takes a single local file dropped anywhere on a window, its text boxes
// included (which would otherwise paste the file's address as text), and
// hands its path on. Other drops, text into a box for one, pass untouched.
class FileDropCatcher : public QObject
{
public:
    using Receiver = std::function<void(const QString &path)>;

    // Watches the window and every child that takes drops, as they are now.
    FileDropCatcher(QWidget *window, Receiver receiver);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Receiver m_receiver;
};
