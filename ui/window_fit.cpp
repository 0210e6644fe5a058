#include "ui/window_fit.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

void fit_into_screen(QWidget *window, const QSize &wanted)
{
    const QRect inner = window->geometry(), outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QRect room = window->screen()->availableGeometry().marginsRemoved(frame);
    const QSize size = wanted.boundedTo(room.size());
    window->resize(size);
    window->move(std::clamp(inner.left(), room.left(), room.right() + 1 - size.width()) - frame.left(),
                 std::clamp(inner.top(), room.top(), room.bottom() + 1 - size.height()) - frame.top());
}
