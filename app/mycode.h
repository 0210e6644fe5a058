#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>

class ColorButton;
class QWidget;

// The program's shared utility methods. They keep no state, so they are
// static members rather than methods of an instance.
class mycode
{
public:
    // HTTP and browser, through net/.
    static QString XMLHttpRequest(const QString &mode, const QString &url, const QString &data);
    static QString Escape(QStringView text);

    // Toggle-button colours: mode 1 sets color_1, mode 2 sets color_2,
    // mode 3 toggles between them, any other mode does nothing.
    static void SetButtonColor_diandong(ColorButton *Button, uint8_t mode, int color_1, int color_2);
    // Colours every ColorButton of form named ctl_name(i), ks <= i <= js.
    static void set_button_color(QWidget *form, const QString &ctl_name, int16_t ctl_index_ks,
                                 int16_t ctl_index_js, int ctl_yanse);

    static QString only_str(QStringView yuan_str, QStringView mubiao_str);
    // "ok" when mystr is now on the clipboard, else "".
    static QString get_zt_f_ng(const QString &mystr);
    // Copies mysj with up to 100 attempts and confirms with the copy notice.
    static void data_cp(QWidget *parent, const QString &mysj);

    // Opens a web address in the browser.
    static void op_url(const QString &address);

    // Waits ys_time seconds while the window keeps handling events.
    static void yanshi(double ys_time);

    // Tests replace the clipboard to make it busy; the writer returns whether
    // the text arrived. An empty writer restores the system clipboard.
    using ClipboardWriter = std::function<bool(const QString &)>;
    static void setClipboardWriter(ClipboardWriter writer);
};
