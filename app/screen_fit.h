#pragma once

#include <QScrollArea>

class QScreen;

// The window that holds the sheet on a screen too small for it: the sheet
// keeps its size and its places and scrolls inside a window that fits the
// screen. Closing this window closes the sheet.
class SheetScroller : public QScrollArea
{
    Q_OBJECT
public:
    // Takes the sheet in; sizes and places itself on the screen.
    SheetScroller(QWidget *sheet, QScreen *screen);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The window frame is known only once the window is shown.
    void fitScreen();

    QSize m_wanted;     // the sheet and the scroll bars it needs
};

// Whether a window of that size fits the screen's available area.
bool fits_screen(const QSize &size, const QScreen *screen);
