#include "ui/modal.h"

#include "ui/fts.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
ModalCapture &capture()
{
    static ModalCapture installed;
    return installed;
}
}

void set_modal_capture(ModalCapture newCapture)
{
    capture() = std::move(newCapture);
}

bool show_modal(QWidget *parent, const ModalMessage &message)
{
    if (capture())
        return capture()(message) && message.kind == ModalMessage::Question;
    if (message.kind == ModalMessage::CopyNotice) {
        Fts notice(parent);
        notice.exec();
        return false;
    }
    return build_message_box(parent, message)->exec() == QMessageBox::Yes;
}

std::unique_ptr<QMessageBox> build_message_box(QWidget *parent, const ModalMessage &message)
{
    const bool question = message.kind == ModalMessage::Question;
    auto box = std::make_unique<QMessageBox>(question ? QMessageBox::Question : QMessageBox::NoIcon, message.title,
                                             message.text, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                                             parent);
    box->setTextFormat(Qt::PlainText);
    // Chinese even where Qt's own translations are not installed.
    if (question) {
        box->button(QMessageBox::Yes)->setText(QStringLiteral("是"));
        box->button(QMessageBox::No)->setText(QStringLiteral("否"));
        box->setDefaultButton(QMessageBox::No);
    } else {
        box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    }
    return box;
}

void show_message(QWidget *parent, const QString &text, const QString &title)
{
    show_modal(parent, {ModalMessage::MessageBox, text, title});
}

bool ask_question(QWidget *parent, const QString &text, const QString &title)
{
    return show_modal(parent, {ModalMessage::Question, text, title});
}
