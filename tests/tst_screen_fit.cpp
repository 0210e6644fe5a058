// A screen too small for the window: the sheet scrolls inside a window that
// fits the screen, and keeps every control in its place. Runs on two offscreen
// screens, a desktop of 1280 x 1024 and a netbook of 1024 x 600.
#include "testsupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

QTEST_MAIN(TstScreenFit)
#include "tst_screen_fit.moc"
