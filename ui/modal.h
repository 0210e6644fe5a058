#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// Every modal window of the program passes through show_modal, so tests can
// capture what would be shown instead of blocking on it.
struct ModalMessage
{
    enum Kind { MessageBox, CopyNotice, Question };
    Kind kind = MessageBox;
    QString text;
    QString title;
};

// Returns the player's answer to a Question (true for "是"); the answer to
// any other kind is not read.
using ModalCapture = std::function<bool(const ModalMessage &)>;

// With a capture installed, show_modal hands it the message and returns its
// answer at once; an empty capture restores real windows.
void set_modal_capture(ModalCapture capture);

// True when a Question was answered "是"; false for every other kind.
bool show_modal(QWidget *parent, const ModalMessage &message);

// The box show_modal shows for a MessageBox, built but not shown.
std::unique_ptr<QMessageBox> build_message_box(QWidget *parent, const ModalMessage &message);

// A message box with one OK button.
void show_message(QWidget *parent, const QString &text, const QString &title);

// A box with "是" and "否", "否" the default; true when "是" was chosen.
bool ask_question(QWidget *parent, const QString &text, const QString &title);
