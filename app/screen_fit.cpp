#include "app/screen_fit.h"

#include "ui/window_fit.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QScreen>
#include <QStyle>

SheetScroller::SheetScroller(QWidget *sheet, QScreen *screen)
{
    setObjectName(QStringLiteral("SheetScroller"));
    setFrameShape(QFrame::NoFrame);
    setWindowTitle(sheet->windowTitle());
    setWindowIcon(sheet->windowIcon());
    connect(sheet, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    connect(sheet, &QWidget::windowIconChanged, this, &QWidget::setWindowIcon);

    const QRect available = screen->availableGeometry();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_wanted = sheet->size();
    // A bar across one side takes room from the other.
    if (m_wanted.height() > available.height())
        m_wanted.rwidth() += bar;
    if (m_wanted.width() > available.width())
        m_wanted.rheight() += bar;
    setWidget(sheet);
    setScreen(screen);
    fitScreen();
}

void SheetScroller::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    fitScreen();
}

void SheetScroller::fitScreen()
{
    move(screen()->availableGeometry().topLeft());
    fit_into_screen(this, m_wanted);
}

void SheetScroller::closeEvent(QCloseEvent *event)
{
    event->setAccepted(widget() ? widget()->close() : true);
}

bool fits_screen(const QSize &size, const QScreen *screen)
{
    const QSize available = screen->availableGeometry().size();
    return size.width() <= available.width() && size.height() <= available.height();
}
