#include "ui/colorbutton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>

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

void ColorButton::setNote(const QString &note)
{
    if (m_note == note)
        return;
    m_note = note;
    update();
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
    if (m_note.isEmpty())
        painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    else
        paintCaptionWithNote(painter, textRect);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ColorButton::paintCaptionWithNote(QPainter &painter, const QRect &textRect)
{
    QFont noteFont = font();
    noteFont.setPixelSize(std::max(8, QFontInfo(font()).pixelSize() * 2 / 3));
    const QFontMetricsF captionMetrics(font());
    const QFontMetricsF noteMetrics(noteFont);
    const qreal captionWidth = captionMetrics.horizontalAdvance(text());
    const qreal noteWidth = noteMetrics.horizontalAdvance(m_note);
    // Inside the frame; the note keeps a pixel from the caption.
    const QRectF inside = QRectF(textRect).adjusted(2, 0, -2, 0);
    // A note wider than the room the caption leaves is narrowed, never cut.
    const qreal noteScale = std::clamp((inside.width() - captionWidth - 1) / noteWidth, 0.6, 1.0);
    const qreal pairWidth = captionWidth + 1 + noteWidth * noteScale;
    const qreal left = inside.left() + std::max<qreal>(0, (inside.width() - pairWidth) / 2);
    painter.drawText(QRectF(left, inside.top(), captionWidth + 1, inside.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    // Raised: the note's top is level with the top of the caption's digits.
    const qreal baseline = inside.top() + (inside.height() - captionMetrics.height()) / 2 + captionMetrics.ascent();
    painter.save();
    painter.setFont(noteFont);
    painter.setPen(Colour::noteColour());
    painter.translate(std::min(left + captionWidth + 1, inside.right() + 1 - noteWidth * noteScale),
                      baseline - captionMetrics.capHeight() + noteMetrics.capHeight());
    painter.scale(noteScale, 1);
    painter.drawText(QPointF(0, 0), m_note);
    painter.restore();
}
