#include "testsupport.h"

#include "ui/fts.h"
#include "app/mycode.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

// The window shell through its controls: start-up, shrink run, copy, invert.
class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void cleanup() { mycode::setClipboardWriter({}); }

    void startupTimersRunOnce();
    void shrinkWithNothingSelectedListsAll();
    void totalToleranceFromAboveTo();
    void baseSetOfThreeLines();
    void doubleClickEmptiesTheBaseSetBox();
    void copyPutsResultOnClipboardWithNotice();
    void copyRetriesABusyClipboard();
    void copyGivesUpAfterHundredAttempts();
    void copyNoticeClosesItself();
    void invertShowsMessageThenEliminated();
    void resultLinesFitTheList();
    void actionButtonsWaitWhileAnActionRuns();
};

namespace {
QPlainTextEdit *baseBox(const QWidget *w)
{
    return control<QPlainTextEdit>(w, QStringLiteral("T_cs_ip(3)"));
}
}

void TestWindow::startupTimersRunOnce()
{
    ModalRecorder modals;
    auto w = startedWindow();
    for (const char *name : {"Timer1", "Timer_load", "Timer_ding"})
        QVERIFY2(!control<QTimer>(w.get(), QLatin1String(name))->isActive(), name);
    QComboBox *total = control<QComboBox>(w.get(), QStringLiteral("Com_rc(5)"));
    QCOMPARE(total->count(), 13);
    QCOMPARE(total->itemText(12), QStringLiteral("12"));
    QCOMPARE(total->currentText(), QStringLiteral("0"));
    // Stopped timers fire no more; whatever is still queued runs now.
    QCoreApplication::processEvents();
    QCOMPARE(total->count(), 13); // the list is filled once only
    QCOMPARE(w->windowTitle(), QStringLiteral("Vintora"));
    QVERIFY(w->shrinkState().matrix); // filled at start-up, before any run
}

void TestWindow::shrinkWithNothingSelectedListsAll()
{
    ModalRecorder modals;
    auto w = startedWindow();
    QCOMPARE(pressAction(w.get(), 0), 10000);
    QListWidget *list = control<QListWidget>(w.get(), QStringLiteral("Li_out"));
    QCOMPARE(list->count(), 2500);
    QCOMPARE(list->item(0)->text(), QStringLiteral("0000 0001 0002 0003 "));
    QCOMPARE(list->item(2499)->text(), QStringLiteral("9996 9997 9998 9999 "));
    QVERIFY(list->isVisible());
    QVERIFY(!control<QWidget>(w.get(), QStringLiteral("Frame_jindu"))->isVisible());
    QVERIFY(modals.messages.isEmpty());
}

void TestWindow::totalToleranceFromAboveTo()
{
    ModalRecorder modals;
    auto w = startedWindow();
    control<QComboBox>(w.get(), QStringLiteral("Com_rc(4)"))->setEditText(QStringLiteral("2"));
    control<QComboBox>(w.get(), QStringLiteral("Com_rc(5)"))->setEditText(QStringLiteral("1"));
    QCOMPARE(pressAction(w.get(), 0), 0);
    QCOMPARE(control<QListWidget>(w.get(), QStringLiteral("Li_out"))->count(), 0);
    QVERIFY(w->shrinkState().ResultText.isEmpty());
}

void TestWindow::baseSetOfThreeLines()
{
    ModalRecorder modals;
    auto w = startedWindow();
    baseBox(w.get())->setPlainText(QStringLiteral("9999\n0001\n0123"));
    QCOMPARE(pressAction(w.get(), 0), 3);
    QListWidget *list = control<QListWidget>(w.get(), QStringLiteral("Li_out"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("0001 0123 9999 "));
    QCOMPARE(w->shrinkState().ResultText, QStringLiteral("0001 0123 9999"));
}

void TestWindow::doubleClickEmptiesTheBaseSetBox()
{
    ModalRecorder modals;
    auto w = startedWindow();
    QPlainTextEdit *box = baseBox(w.get());
    QCOMPARE(box->toPlainText(), QStringLiteral("大底号码，双击清空\n"));
    QTest::mouseDClick(box->viewport(), Qt::LeftButton);
    QVERIFY(box->toPlainText().isEmpty());
    QCOMPARE(pressAction(w.get(), 0), 10000);
}

void TestWindow::copyPutsResultOnClipboardWithNotice()
{
    ModalRecorder modals;
    auto w = startedWindow();
    pressAction(w.get(), 0);
    QString copied;
    mycode::setClipboardWriter([&copied](const QString &text) {
        copied = text;
        return true;
    });
    pressAction(w.get(), 1);
    QCOMPARE(copied.split(u' ').size(), 10000);
    QCOMPARE(copied, w->shrinkState().ResultText);
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].kind, ModalMessage::CopyNotice);
}

void TestWindow::copyRetriesABusyClipboard()
{
    ModalRecorder modals;
    int attempts = 0;
    mycode::setClipboardWriter([&attempts](const QString &) { return ++attempts > 3; });
    mycode::data_cp(nullptr, QStringLiteral("1234"));
    QCOMPARE(attempts, 4);
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].kind, ModalMessage::CopyNotice);
}

void TestWindow::copyGivesUpAfterHundredAttempts()
{
    ModalRecorder modals;
    int attempts = 0;
    mycode::setClipboardWriter([&attempts](const QString &) {
        ++attempts;
        return false;
    });
    mycode::data_cp(nullptr, QStringLiteral("1234"));
    QCOMPARE(attempts, 100);
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("本次复制出现错误，请再次复制！"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("错误提示"));
}

void TestWindow::copyNoticeClosesItself()
{
    Fts notice;
    QCOMPARE(notice.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("复制成功！"));
    QElapsedTimer clock;
    clock.start();
    notice.show();
    // About 600 ms: the lower bound is the behaviour, the upper one only
    // keeps a broken notice from hanging the run.
    QTRY_VERIFY_WITH_TIMEOUT(!notice.isVisible(), 20000);
    QVERIFY2(clock.elapsed() >= 550, qPrintable(QString::number(clock.elapsed())));
}

void TestWindow::invertShowsMessageThenEliminated()
{
    ModalRecorder modals;
    auto w = startedWindow();
    ColorButton *invert = button(w.get(), QStringLiteral("C_guolv_ks(4)"));
    QCOMPARE(invert->backColor(), 8454016);
    QCOMPARE(pressAction(w.get(), 4), 0); // nothing eliminated before a run
    QCOMPARE(invert->backColor(), 255);

    baseBox(w.get())->setPlainText(QStringLiteral("0001 0002"));
    QCOMPARE(pressAction(w.get(), 0), 2);
    QCOMPARE(invert->backColor(), 8454016);
    modals.messages.clear();
    QCOMPARE(pressAction(w.get(), 4), 9998);
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("反选成功。\n注意，组选号码不能反选，只能反选直选号码"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("温馨提示"));
    QCOMPARE(control<QListWidget>(w.get(), QStringLiteral("Li_out"))->item(0)->text(),
             QStringLiteral("0000 0003 0004 0005 "));
    QCOMPARE(pressAction(w.get(), 4), 9998); // pressing again lists the same
    QCOMPARE(invert->backColor(), 255);
}

void TestWindow::resultLinesFitTheList()
{
    ModalRecorder modals;
    auto w = startedWindow();
    pressAction(w.get(), 0);
    QListWidget *list = control<QListWidget>(w.get(), QStringLiteral("Li_out"));
    const QFontMetrics metrics(list->font());
    const int widest = metrics.horizontalAdvance(QStringLiteral("8888 8888 8888 8888 "));
    QVERIFY2(widest <= list->visualItemRect(list->item(0)).width() - 4,
             qPrintable(QStringLiteral("%1 > %2").arg(widest).arg(list->visualItemRect(list->item(0)).width())));
}

void TestWindow::actionButtonsWaitWhileAnActionRuns()
{
    auto w = startedWindow();
    QList<ColorButton *> actions;
    for (ColorButton *b : w->findChildren<ColorButton *>()) {
        if (b->objectName().startsWith(QStringLiteral("C_guolv_ks(")))
            actions.append(b);
    }
    QVERIFY(actions.size() >= 5);
    int enabledDuringMessage = -1;
    set_modal_capture([&](const ModalMessage &) {
        enabledDuringMessage = int(std::count_if(actions.begin(), actions.end(),
                                                 [](ColorButton *b) { return b->isEnabled(); }));
        return false;
    });
    pressAction(w.get(), 4);
    set_modal_capture({});
    QCOMPARE(enabledDuringMessage, 0);
    QVERIFY(button(w.get(), QStringLiteral("C_guolv_ks(4)"))->isEnabled());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
