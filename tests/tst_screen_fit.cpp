// A screen too small for the window: the sheet scrolls inside a window that
// fits the screen, and keeps every control in its place; every window opens
// within its screen at any scale. Runs on offscreen screens: a desktop of
// 1280 x 1024, a netbook of 1024 x 600, a laptop of 1366 x 768, and two of
// 2560 x 1440 at scales 1.5 and 2.
#include "testsupport.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <cmath>
#include <map>

namespace {
QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

// Every named widget of the window and where it stands relative to it.
std::map<QString, QRect> placesOf(const QWidget *window)
{
    std::map<QString, QRect> places;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
            places[w->objectName()] = QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    }
    return places;
}

std::unique_ptr<Fmain> windowOn(QScreen *screen)
{
    auto window = std::make_unique<Fmain>();
    control<QTimer>(window.get(), QStringLiteral("Timer_load"))->stop();
    window->setScreen(screen);
    // Where a window manager puts a new window.
    window->move(screen->availableGeometry().topLeft());
    window->show();
    return window;
}
}

class TstScreenFit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void theDesktopShowsTheWindowAsItIs();
    void theNetbookScrollsTheSheetInAWindowThatFits();
    void everyControlKeepsItsPlaceInTheScrolledSheet();
    void theLowestButtonsCanBeScrolledTo();
    void theScrollingWindowCarriesTheTitleAndClosesTheSheet();
    void everyWindowOpensWithinItsScreen_data();
    void everyWindowOpensWithinItsScreen();
    void theSumsBoxShowsWholeLines_data();
    void theSumsBoxShowsWholeLines();

private:
    ModalRecorder m_modals;
    QScreen *m_desktop = nullptr;
    QScreen *m_netbook = nullptr;
};

void TstScreenFit::initTestCase()
{
    QVERIFY(useTestFolders());
    m_desktop = screenNamed(QStringLiteral("desktop"));
    m_netbook = screenNamed(QStringLiteral("netbook"));
    QVERIFY2(m_desktop && m_netbook, "run through ctest, which supplies the two screens");
    QCOMPARE(m_netbook->availableGeometry().size(), QSize(1024, 600));
}

void TstScreenFit::theDesktopShowsTheWindowAsItIs()
{
    auto window = windowOn(m_desktop);
    QVERIFY(window->isWindow());
    QVERIFY(!window->findChild<QScrollArea *>());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(m_desktop->availableGeometry().contains(window->frameGeometry()));
}

void TstScreenFit::theNetbookScrollsTheSheetInAWindowThatFits()
{
    auto window = windowOn(m_netbook);
    const QSize sheet = window->size();
    QVERIFY(sheet.height() > 600);

    auto *scroller = qobject_cast<QScrollArea *>(window->window());
    QVERIFY(scroller);
    QCOMPARE(scroller->widget(), window.get());
    QVERIFY(QTest::qWaitForWindowExposed(scroller));
    QVERIFY(scroller->isVisible() && window->isVisible());
    QVERIFY(m_netbook->availableGeometry().contains(scroller->frameGeometry()));
    // Only the height is short: the width holds the sheet and its scroll bar.
    QCOMPARE(scroller->frameGeometry().height(), 600);
    QVERIFY(scroller->width() >= sheet.width());
    QVERIFY(scroller->verticalScrollBar()->isVisible());
    QVERIFY(!scroller->horizontalScrollBar()->isVisible());
    QCOMPARE(window->size(), sheet);
}

void TstScreenFit::everyControlKeepsItsPlaceInTheScrolledSheet()
{
    auto onDesktop = windowOn(m_desktop);
    auto onNetbook = windowOn(m_netbook);
    const auto expected = placesOf(onDesktop.get());
    QVERIFY(expected.size() > 400);
    QVERIFY(expected == placesOf(onNetbook.get()));
    QCOMPARE(onNetbook->size(), onDesktop->size());
}

void TstScreenFit::theLowestButtonsCanBeScrolledTo()
{
    auto window = windowOn(m_netbook);
    auto *scroller = qobject_cast<QScrollArea *>(window->window());
    QVERIFY(scroller);
    QWidget *reset = button(window.get(), QStringLiteral("C_guolv_ks(3)"));
    auto shownWhole = [&](const QWidget *w) {
        return scroller->viewport()->rect().contains(QRect(w->mapTo(scroller->viewport(), QPoint(0, 0)), w->size()));
    };
    QWidget *lowest = window.get();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isVisible() && w->parentWidget() == window.get()
            && (lowest == window.get() || w->geometry().bottom() > lowest->geometry().bottom()))
            lowest = w;
    }
    QVERIFY(lowest->geometry().bottom() >= 600);
    QVERIFY(!shownWhole(lowest));
    scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
    QTRY_VERIFY(shownWhole(lowest));
    QVERIFY(shownWhole(reset));
}

void TstScreenFit::theScrollingWindowCarriesTheTitleAndClosesTheSheet()
{
    auto window = windowOn(m_netbook);
    QWidget *scroller = window->window();
    QCOMPARE(scroller->windowTitle(), QStringLiteral("Vintora"));
    window->setWindowTitle(QStringLiteral("四星缩水"));
    QCOMPARE(scroller->windowTitle(), QStringLiteral("四星缩水"));
    QVERIFY(scroller->close());
    QVERIFY(!window->isVisible());
    QVERIFY(!scroller->isVisible());
}

void TstScreenFit::everyWindowOpensWithinItsScreen_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QSize>("available");     // in the scaled pixels windows are laid out in
    QTest::newRow("1366 x 768") << QStringLiteral("laptop") << QSize(1366, 768);
    QTest::newRow("2560 x 1440 at scale 1.5") << QStringLiteral("scale 1.5") << QSize(1707, 960);
    QTest::newRow("2560 x 1440 at scale 2") << QStringLiteral("scale 2") << QSize(1280, 720);
}

void TstScreenFit::everyWindowOpensWithinItsScreen()
{
    QFETCH(QString, screen);
    QFETCH(QSize, available);
    QScreen *on = screenNamed(screen);
    QVERIFY(on);
    QCOMPARE(on->availableGeometry().size(), available);
    const QRect room = on->availableGeometry();
    auto window = windowOn(on);
    QVERIFY(QTest::qWaitForWindowExposed(window->window()));
    QVERIFY(room.contains(window->window()->frameGeometry()));
    auto withinScreen = [&](const QWidget *w) { return room.contains(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())); };

    button(window.get(), QStringLiteral("C_teshu_sm(2)"))->click();
    const QWidget *picture = control<QWidget>(window.get(), QStringLiteral("Pic_dmsm"));
    QTRY_VERIFY(picture->isVisible());
    QVERIFY(withinScreen(picture));

    control<QPushButton>(window.get(), QStringLiteral("C_history"))->click();
    auto *history = control<QWidget>(window.get(), QStringLiteral("HistoryWindow"));
    QVERIFY(QTest::qWaitForWindowExposed(history));
    QCOMPARE(history->screen(), on);
    QVERIFY2(room.contains(history->frameGeometry()), qPrintable(QStringLiteral("%1x%2").arg(history->width()).arg(history->height())));
    auto *tabs = control<QTabWidget>(history, QStringLiteral("history_tabs"));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        for (const QWidget *chart : tabs->currentWidget()->findChildren<QWidget *>(QRegularExpression(QStringLiteral("chart$"))))
            QTRY_VERIFY2(chart->isVisible() && withinScreen(chart), qPrintable(chart->objectName()));
    }
}

void TstScreenFit::theSumsBoxShowsWholeLines_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("scale 1") << QStringLiteral("laptop");
    QTest::newRow("scale 1.5") << QStringLiteral("scale 1.5");
    QTest::newRow("scale 2") << QStringLiteral("scale 2");
}

void TstScreenFit::theSumsBoxShowsWholeLines()
{
    QFETCH(QString, screen);
    auto window = windowOn(screenNamed(screen));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *sums = control<QPlainTextEdit>(window.get(), QStringLiteral("T_cs_ip(0)"));
    QWidget *viewport = sums->viewport();
    const QColor base = sums->palette().color(QPalette::Base);
    const qreal scale = window->screen()->devicePixelRatio();
    // Whether the screen shows nothing but the box's background in rows
    // `from` to `to` (in the box's own pixels) of the box. A box that
    // scrolls moves what it showed and paints only the rest. A fractional
    // scale leaves a last row and column shared with the frame.
    auto blank = [&](int from, int to) {
        const QPoint at = viewport->mapTo(window.get(), QPoint(0, 0));
        const QImage shown = window->screen()
                                 ->grabWindow(window->winId(), at.x(), at.y(), viewport->width(), viewport->height())
                                 .toImage();
        for (int y = int(std::ceil(from * scale)); y < std::min(int(to * scale), shown.height() - 1); ++y) {
            for (int x = 0; x < shown.width() - 1; ++x) {
                if (shown.pixelColor(x, y) != base)
                    return false;
            }
        }
        return true;
    };

    // Typed on to a second line, which the box scrolls to: it stands whole.
    sums->setPlainText(QStringLiteral("05 16 27\n30 31 32 33 34 35 36"));
    sums->moveCursor(QTextCursor::End);
    sums->ensureCursorVisible();
    const QRect second = sums->cursorRect();
    QVERIFY(viewport->rect().contains(second));
    QTRY_VERIFY(!blank(second.top(), second.bottom() + 1));

    // Back on the first line: whatever of the second does not fit under it is blank.
    sums->moveCursor(QTextCursor::Start);
    sums->ensureCursorVisible();
    const int firstLineEnd = sums->cursorRect().bottom() + 1;
    QVERIFY(firstLineEnd < viewport->height() - 1);
    QTRY_VERIFY(blank(firstLineEnd, viewport->height()));
}

QTEST_MAIN(TstScreenFit)
#include "tst_screen_fit.moc"
