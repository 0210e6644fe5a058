#include "app/mycode.h"

#include "core/text.h"
#include "net/http.h"
#include "ui/colorbutton.h"
#include "ui/modal.h"
#include "ui/toggle_colours.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QThread>

namespace {
mycode::ClipboardWriter &clipboardWriter()
{
    static mycode::ClipboardWriter writer;
    return writer;
}

bool writeSystemClipboard(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->clear();
    clipboard->setText(text);
    // The system may refuse while another program holds the clipboard:
    // only what reads back has arrived.
    return clipboard->text() == text;
}
}

QString mycode::XMLHttpRequest(const QString &mode, const QString &url, const QString &data)
{
    return http_request(mode, url, data, kRequestTimeout);
}

QString mycode::Escape(QStringView text)
{
    return escape_text(text);
}

void mycode::op_url(const QString &address)
{
    if (address.isEmpty())
        return;
    const std::optional<QUrl> page = web_page(address);
    if (!page || !QDesktopServices::openUrl(*page))
        show_message(nullptr, QStringLiteral("出现错误，未能打开下载页面"), QStringLiteral("提示"));
}

void mycode::SetButtonColor_diandong(ColorButton *Button, uint8_t mode, int color_1, int color_2)
{
    paint_toggle(Button, mode, color_1, color_2);
}

void mycode::set_button_color(QWidget *form, const QString &ctl_name, int16_t ctl_index_ks,
                              int16_t ctl_index_js, int ctl_yanse)
{
    paint_members(form, ctl_name, ctl_index_ks, ctl_index_js, ctl_yanse);
}

QString mycode::only_str(QStringView yuan_str, QStringView mubiao_str)
{
    return ::only_str(yuan_str, mubiao_str);
}

QString mycode::get_zt_f_ng(const QString &mystr)
{
    QCoreApplication::processEvents();
    const ClipboardWriter &writer = clipboardWriter();
    const bool placed = writer ? writer(mystr) : writeSystemClipboard(mystr);
    return placed ? QStringLiteral("ok") : QString();
}

void mycode::data_cp(QWidget *parent, const QString &mysj)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (get_zt_f_ng(mysj) == u"ok") {
            show_modal(parent, {ModalMessage::CopyNotice, QStringLiteral("复制成功！"), QString()});
            return;
        }
    }
    show_message(parent, QStringLiteral("本次复制出现错误，请再次复制！"), QStringLiteral("错误提示"));
}

void mycode::yanshi(double ys_time)
{
    QElapsedTimer clock;
    clock.start();
    const qint64 wait = qint64(ys_time * 1000);
    while (clock.elapsed() < wait) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
    }
}

void mycode::setClipboardWriter(ClipboardWriter writer)
{
    clipboardWriter() = std::move(writer);
}
