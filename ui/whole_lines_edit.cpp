#include "ui/whole_lines_edit.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

WholeLinesEdit::WholeLinesEdit(const QString &text, QWidget *parent)
    : QPlainTextEdit(text, parent)
{
    // The box paints its own background. A viewport that fills it itself
    // counts as opaque, and an opaque one scrolls by moving what the screen
    // showed, bringing a line into the part left blank.
    viewport()->setAutoFillBackground(false);
}

void WholeLinesEdit::paintEvent(QPaintEvent *event)
{
    QPainter(viewport()).fillRect(event->rect(), palette().base());
    QPlainTextEdit::paintEvent(event);
    // The first line shown is always drawn, even in a box too low for it.
    const qreal bottom = viewport()->height();
    bool first = true;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
        if (area.top() >= bottom)
            return;
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = area.top() + line.y();
            if (!first && top + line.height() > bottom) {
                QPainter(viewport()).fillRect(QRectF(0, top, viewport()->width(), bottom - top), palette().base());
                return;
            }
            first = false;
        }
    }
}
