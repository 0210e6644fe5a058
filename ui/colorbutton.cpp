#include "ui/colorbutton.h"

#include <QPainter>
#include <QStyleOptionButton>

ColorButton::ColorButton(const QString &caption, QWidget *parent, int backColor)
    : QPushButton(caption, parent)
    , m_backColor(backColor)
{
    setAutoDefault(false);
}

void ColorButton::setBackColor(int value)
{
    if (m_backColor == value)
        return;
    m_backColor = value;
    update();
    emit backColorChanged(value);
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const bool sunken = isDown() || isChecked();
    painter.fillRect(rect(), Colour::toQColor(m_backColor));
    painter.setPen(sunken ? QColor(64, 64, 64) : QColor(255, 255, 255));
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(sunken ? QColor(255, 255, 255) : QColor(96, 96, 96));
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());

    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(128, 128, 128));
    const QRect textRect = sunken ? rect().translated(1, 1) : rect();
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
