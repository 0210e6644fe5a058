// Undo and redo of the sheet through the window: one step per toggle, tick,
// "清"/"全", "清空条件", loaded scheme, tolerance change and editing of a
// typed box; the live count follows; 100 steps are kept.
#include "reference_rules.h"
#include "sheet_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {
constexpr int Grey = 14737632, Yellow = 65535;
}

class TstSheetHistory : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init() { m_window = startedWindow(); }
    void cleanup() { m_window.reset(); }

    void everyKindOfStepIsUndoneAndRedoneOneAtATime();
    void theLiveCountFollowsUndoAndRedo();
    void insideATextBoxTheKeysBelongToTheBox();
    void aNewStepDropsWhatWasUndone();
    void aHundredStepsAreKept();

private:
    Fmain *w() const { return m_window.get(); }
    SheetDriver sheet() const { return SheetDriver(w()); }
    QPushButton *undo() const { return control<QPushButton>(w(), QStringLiteral("C_undo")); }
    QPushButton *redo() const { return control<QPushButton>(w(), QStringLiteral("C_redo")); }
    // Lets the steps of the last action close.
    static void settle() { QCoreApplication::processEvents(); }

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

void TstSheetHistory::everyKindOfStepIsUndoneAndRedoneOneAtATime()
{
    QTemporaryDir folder;
    const QString scheme = folder.filePath(QStringLiteral("s.json"));
    QCOMPARE(undo()->text(), QStringLiteral("撤销"));
    QCOMPARE(redo()->text(), QStringLiteral("重做"));
    QVERIFY(!undo()->isEnabled());
    QVERIFY(!redo()->isEnabled());

    QList<QStringList> sheets{sheet().state()};
    auto step = [&](auto &&act) {
        act();
        settle();
        QVERIFY(sheet().state() != sheets.last());
        sheets.append(sheet().state());
    };
    step([&] { sheet().click(QStringLiteral("C_bi(15)")); });                                             // toggle
    step([&] { sheet().tick(QStringLiteral("Check_hewei_sha(3)")); });                                    // tick
    QVERIFY(m_window->save_scheme(scheme));
    step([&] { button(w(), QStringLiteral("C_cls(13)"))->click(); });                                     // 全
    step([&] { button(w(), QStringLiteral("C_cls(4)"))->click(); });                                      // 清
    step([&] { control<QComboBox>(w(), QStringLiteral("Com_rc(5)"))->setCurrentIndex(3); });              // tolerance
    step([&] {                                                                                            // one editing
        auto *box = control<QPlainTextEdit>(w(), QStringLiteral("T_cs_ip(3)"));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("0123 "));
        settle();
        QTest::keyClicks(box, QStringLiteral("4567"));
        settle();
        m_window->controls().Cf->setFocus();
    });
    step([&] { QVERIFY(m_window->load_scheme(scheme)); });                                                // scheme
    step([&] { button(w(), QStringLiteral("C_guolv_ks(3)"))->click(); });                                 // 清空条件
    QCOMPARE(sheets.size(), 9);

    for (int i = sheets.size() - 2; i >= 0; --i) {
        QVERIFY(undo()->isEnabled());
        undo()->click();
        settle();
        QVERIFY2(sheet().state() == sheets[i], qPrintable(QString::number(i)));
    }
    QVERIFY(!undo()->isEnabled());
    m_window->controls().Cf->setFocus();
    for (int i = 1; i < sheets.size(); ++i) {
        QVERIFY(redo()->isEnabled());
        QTest::keyClick(w(), Qt::Key_Y, Qt::ControlModifier);
        settle();
        QVERIFY2(sheet().state() == sheets[i], qPrintable(QString::number(i)));
    }
    QVERIFY(!redo()->isEnabled());
    QTest::keyClick(w(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    QVERIFY(sheet().state() == sheets[sheets.size() - 2]);
}

void TstSheetHistory::theLiveCountFollowsUndoAndRedo()
{
    auto *live = control<QLabel>(w(), QStringLiteral("L_live_count"));
    int withoutTail3 = 0;
    for (int n = 0; n < 10000; ++n)
        withoutTail3 += sumOf(digitsOf(n)) % 10 != 3 ? 1 : 0;
    const QString all = QStringLiteral("当前条件：10000 注（20000 元）");
    const QString ticked = QStringLiteral("当前条件：%1 注（%2 元）").arg(withoutTail3).arg(2 * withoutTail3);

    sheet().tick(QStringLiteral("Check_hewei_sha(3)"));
    QTRY_COMPARE(live->text(), ticked);
    undo()->click();
    QTRY_COMPARE(live->text(), all);
    redo()->click();
    QTRY_COMPARE(live->text(), ticked);
}

void TstSheetHistory::insideATextBoxTheKeysBelongToTheBox()
{
    button(w(), QStringLiteral("C_bi(16)"))->click();
    settle();
    auto *box = control<QPlainTextEdit>(w(), QStringLiteral("T_cs_ip(0)"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("05"));
    QCOMPARE(box->toPlainText(), QStringLiteral("05"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    // The box took back its own typing; the toggle stays selected.
    QVERIFY(box->toPlainText() != QStringLiteral("05"));
    QCOMPARE(button(w(), QStringLiteral("C_bi(16)"))->backColor(), Yellow);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(box->toPlainText(), QStringLiteral("05"));
    QCOMPARE(button(w(), QStringLiteral("C_bi(16)"))->backColor(), Yellow);

    // The same in a tolerance box, whose line takes the keys. Its list holds
    // 0-4; the box completes what the list holds, which its line cannot undo.
    auto *total = control<QComboBox>(w(), QStringLiteral("Com_rc(1)"));
    total->setFocus();
    total->lineEdit()->selectAll();
    QTest::keyClicks(total, QStringLiteral("7"));
    QCOMPARE(total->currentText(), QStringLiteral("7"));
    QTest::keyClick(total, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(total->currentText(), QStringLiteral("0"));
    QTest::keyClick(total, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(total->currentText(), QStringLiteral("7"));
    QCOMPARE(button(w(), QStringLiteral("C_bi(16)"))->backColor(), Yellow);
}

void TstSheetHistory::aNewStepDropsWhatWasUndone()
{
    ColorButton *shape = button(w(), QStringLiteral("C_bi(17)"));
    shape->click();
    settle();
    undo()->click();
    settle();
    QVERIFY(redo()->isEnabled());
    button(w(), QStringLiteral("C_bi(18)"))->click();
    settle();
    QVERIFY(!redo()->isEnabled());
    QCOMPARE(shape->backColor(), Grey);
}

void TstSheetHistory::aHundredStepsAreKept()
{
    ColorButton *shape = button(w(), QStringLiteral("C_bi(15)"));
    for (int i = 0; i < 105; ++i) {
        shape->click();
        settle();
    }
    QCOMPARE(shape->backColor(), Yellow);
    int undone = 0;
    while (undo()->isEnabled() && undone < 200) {
        undo()->click();
        settle();
        ++undone;
    }
    QCOMPARE(undone, 100);
    // The five oldest clicks are forgotten: five times from grey ends yellow.
    QCOMPARE(shape->backColor(), Yellow);
}

QTEST_MAIN(TstSheetHistory)
#include "tst_sheet_history.moc"
