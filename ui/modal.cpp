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

void show_modal(QWidget *parent, const ModalMessage &message)
{
    if (capture()) {
        capture()(message);
        return;
    }
    if (message.kind == ModalMessage::CopyNotice) {
        Fts notice(parent);
        notice.exec();
        return;
    }
    build_message_box(parent, message)->exec();
}

std::unique_ptr<QMessageBox> build_message_box(QWidget *parent, const ModalMessage &message)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, message.title, message.text, QMessageBox::Ok,
                                             parent);
    box->setTextFormat(Qt::PlainText);
    // Chinese even where Qt's own translations are not installed.
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    return box;
}

void show_message(QWidget *parent, const QString &text, const QString &title)
{
    show_modal(parent, {ModalMessage::MessageBox, text, title});
}
