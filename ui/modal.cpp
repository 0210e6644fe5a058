#include "ui/modal.h"

#include "ui/fts.h"

#include <QMessageBox>

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
    QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void show_message(QWidget *parent, const QString &text, const QString &title)
{
    show_modal(parent, {ModalMessage::MessageBox, text, title});
}
