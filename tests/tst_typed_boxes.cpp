// Typed boxes around their hints: a hint is selected whole when its box gets
// the focus, and a tab whose panel holds a typed list shows it in bold.
#include "testsupport.h"

#include "core/sheet_layout.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {
constexpr int Grey = 14737632, LightGreen = 8454016;

// Each typed condition box and the hint it starts with.
struct HintedBox
{
    const char *name;
    int panel;          // the tab that shows it, or -1 when always shown
    const char16_t *hint;
};

constexpr HintedBox kHintedBoxes[] = {
    {"T_ding(0)", 0, u"号码之间用空格、逗号或换行隔开，双击清空"},
    {"T_ding(1)", 1, u"双击清空"},
    {"T_ding(2)", 2, u"双击清空"},
    {"T_ding(3)", 2, u"双击清空"},
    {"T_ding(4)", 3, u"双击清空"},
    {"T_ding(5)", 3, u"双击清空"},
    {"T_ding(6)", 4, u"双击清空"},
    {"T_cs_ip(0)", -1, u"和值输入要保持2位数，例如：00 05 08 16"},
    {"T_cs_ip(3)", -1, u"大底号码，双击清空"},
};

bool selectsAll(const QPlainTextEdit *box)
{
    const QTextCursor cursor = box->textCursor();
    return cursor.selectionStart() == 0 && cursor.selectionEnd() == box->document()->characterCount() - 1;
}
}

class TstTypedBoxes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init() { m_window = startedWindow(); }
    void cleanup() { m_window.reset(); }

    void clickOnAHintSelectsItAndTypingReplacesIt();
    void focusByKeyboardSelectsTheHintToo();
    void theHintLeftByTheResetIsSelected();
    void typedTextIsNotSelected();
    void doubleClickStillEmpties();
    void aTabShowsInBoldWhileItsPanelHoldsAList();
    void hintsSpacesAndEmptyBoxesLeaveTabsPlain();
    void theBoldCaptionStillFitsItsTab();
    void unreadEntriesAreNamedInOneLine_data();
    void unreadEntriesAreNamedInOneLine();
    void tabMovesTheFocusOn();

private:
    QPlainTextEdit *box(const char *name) const { return control<QPlainTextEdit>(m_window.get(), QLatin1String(name)); }
    ColorButton *tab(int i) const { return button(m_window.get(), arrayName("C_sst_0", i)); }
    void showPanelOf(const HintedBox &hinted) const
    {
        if (hinted.panel >= 0)
            tab(hinted.panel)->click();
    }
    QList<bool> boldTabs() const
    {
        QList<bool> bold;
        for (int i = 0; i < 6; ++i)
            bold.append(tab(i)->font().bold());
        return bold;
    }

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

void TstTypedBoxes::clickOnAHintSelectsItAndTypingReplacesIt()
{
    for (const HintedBox &hinted : kHintedBoxes) {
        showPanelOf(hinted);
        QPlainTextEdit *b = box(hinted.name);
        const QString before = b->toPlainText();
        QVERIFY2(before.contains(QString::fromUtf16(hinted.hint)), hinted.name);
        QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
        QTRY_VERIFY2(selectsAll(b), hinted.name);
        // The hint is still the box's text until a key is typed.
        QCOMPARE(b->toPlainText(), before);
        QTest::keyClicks(b, QStringLiteral("05"));
        QCOMPARE(b->toPlainText(), QStringLiteral("05"));
    }
}

void TstTypedBoxes::focusByKeyboardSelectsTheHintToo()
{
    QPlainTextEdit *sums = box("T_cs_ip(0)");
    sums->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(selectsAll(sums));
    QTest::keyClick(sums, Qt::Key_1);
    QCOMPARE(sums->toPlainText(), QStringLiteral("1"));
}

void TstTypedBoxes::theHintLeftByTheResetIsSelected()
{
    box("T_cs_ip(3)")->setPlainText(QStringLiteral("1234 5678"));
    button(m_window.get(), QStringLiteral("C_guolv_ks(3)"))->click();
    for (const char *name : {"T_cs_ip(3)", "T_ding(0)"}) {
        QPlainTextEdit *b = box(name);
        b->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY2(selectsAll(b), name);
    }
}

void TstTypedBoxes::typedTextIsNotSelected()
{
    // The hint with something typed beside it is no longer a hint.
    for (const QString &text : {QStringLiteral("1234"), QStringLiteral("大底号码，双击清空 1234")}) {
        QPlainTextEdit *base = box("T_cs_ip(3)");
        base->setPlainText(text);
        m_window->controls().Cf->setFocus();
        base->setFocus(Qt::TabFocusReason);
        QVERIFY(base->hasFocus());
        QCoreApplication::processEvents();
        QVERIFY(!base->textCursor().hasSelection());
        QCOMPARE(base->toPlainText(), text);
    }
}

void TstTypedBoxes::doubleClickStillEmpties()
{
    QPlainTextEdit *base = box("T_cs_ip(3)");
    QTest::mouseDClick(base->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(base->toPlainText(), QString());
}

void TstTypedBoxes::aTabShowsInBoldWhileItsPanelHoldsAList()
{
    const QList<bool> none(6, false);
    QCOMPARE(boldTabs(), none);

    // Typed behind tab 2 while tab 0 is shown.
    box("T_ding(3)")->setPlainText(QStringLiteral("12 34"));
    QCOMPARE(boldTabs(), QList<bool>({false, false, true, false, false, false}));
    QCOMPARE(tab(2)->text(), QStringLiteral("杀2码/必出2码"));
    QCOMPARE(tab(0)->backColor(), LightGreen);
    QCOMPARE(tab(2)->backColor(), Grey);

    // One box of a panel is enough; the base sets mark the set-operation tab.
    box("T_ding(4)")->setPlainText(QStringLiteral("123"));
    box("T_jj(1)")->setPlainText(QStringLiteral("0001"));
    QCOMPARE(boldTabs(), QList<bool>({false, false, true, true, false, true}));

    tab(2)->click();
    QCOMPARE(tab(2)->backColor(), LightGreen);
    QCOMPARE(tab(0)->backColor(), Grey);
    QVERIFY(tab(2)->font().bold());

    QTest::mouseDClick(box("T_ding(3)")->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(boldTabs(), QList<bool>({false, false, false, true, false, true}));

    button(m_window.get(), QStringLiteral("C_guolv_ks(3)"))->click();
    QCOMPARE(boldTabs(), none);
}

void TstTypedBoxes::hintsSpacesAndEmptyBoxesLeaveTabsPlain()
{
    const QList<bool> none(6, false);
    const std::pair<const char *, QString> plain[] = {
        {"T_ding(0)", QString()},
        {"T_ding(0)", QStringLiteral("\n  \n")},
        {"T_ding(0)", QStringLiteral("\n号码之间用空格、逗号或换行隔开，双击清空\n")},
        {"T_ding(6)", QStringLiteral("\n双击清空")},
        {"T_ding(6)", QStringLiteral("双击清空\n")},
        {"T_ding(6)", QStringLiteral("  ")},
    };
    for (const auto &[name, text] : plain) {
        box(name)->setPlainText(text);
        QCOMPARE(boldTabs(), none);
    }
    // Another box's hint in this box is a typed text.
    box("T_ding(1)")->setPlainText(QStringLiteral("大底号码，双击清空"));
    QVERIFY(tab(1)->font().bold());
}

void TstTypedBoxes::theBoldCaptionStillFitsItsTab()
{
    for (int i = 0; i < 6; ++i) {
        QFont bold = tab(i)->font();
        bold.setBold(true);
        QVERIFY2(QFontMetrics(bold).horizontalAdvance(tab(i)->text()) <= tab(i)->width() - 4, qPrintable(tab(i)->text()));
    }
}

void TstTypedBoxes::unreadEntriesAreNamedInOneLine_data()
{
    QTest::addColumn<QStringList>("boxes");     // a name, then its text, for each box typed into
    QTest::addColumn<QString>("line");
    auto row = [](const char *name, const QStringList &boxes, const QString &line) {
        QTest::newRow(name) << boxes << line;
    };
    const QString sumHint = QStringLiteral("和值输入要保持2位数，例如：00 05 08 16");
    row("a lone digit and a range", {"T_cs_ip(0)", "5 30-36"}, "杀和值：2 项未读（5、30-36）");
    row("sums read whole", {"T_cs_ip(0)", "00,05，36\n16"}, "");
    row("no sum, or more than one", {"T_cs_ip(0)", "37 123"}, "杀和值：2 项未读（37、123）");
    row("full-width sums", {"T_cs_ip(0)", "０５ 16"}, "杀和值：1 项未读（０５），请用半角数字");
    row("sums beside the hint", {"T_cs_ip(0)", sumHint + " 05"}, "杀和值：1 项未读（05）");
    row("straight numbers", {"T_ding(0)", "1234,5678 123 12345"}, "杀直选号码：2 项未读（123、12345）");
    row("compound lines", {"T_ding(1)", "123*456*789*0\n12*34*56\n1*2*3*4*5\n1**2*3"},
        "杀垃圾复式：3 项未读（12*34*56、1*2*3*4*5、1**2*3）");
    row("two-digit combinations", {"T_ding(2)", "12 3 45-67"}, "杀两码组合：2 项未读（3、45-67）");
    row("a must-contain box", {"T_ding(5)", "\n双击清空\n12 345"}, "必出3码组合：1 项未读（12）");
    row("patterns up to the first that is none", {"T_ding(6)", "12** 1** **89 3456"},
        "定位杀号：3 项未读（1**、**89、3456）");
    row("a base set", {"T_cs_ip(3)", "0001\n0123 9999 123"}, "大底：1 项未读（123）");
    row("a base set beside its hint", {"T_cs_ip(3)", "大底号码，双击清空\n1234"}, "大底：1 项未读（1234）");
    row("the first five of many", {"T_ding(4)", "1 2 3 4 5 6 7"}, "杀3码组合：7 项未读（1、2、3、4、5、…）");
    row("a long entry is cut", {"T_ding(3)", "1234567890123456789"}, "必出两码组合：1 项未读（1234567890123456…）");
    row("boxes in sheet order", {"T_cs_ip(3)", "1", "T_ding(0)", "2"}, "杀直选号码：1 项未读（2）；大底：1 项未读（1）");
}

void TstTypedBoxes::unreadEntriesAreNamedInOneLine()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, line);
    const QLabel *unread = control<QLabel>(m_window.get(), QStringLiteral("L_unread"));
    // From a line that names the first box, so that an empty line is news.
    box(qPrintable(boxes[0]))->setPlainText(QStringLiteral("x"));
    QTRY_VERIFY(unread->text().endsWith(QStringLiteral("项未读（x）")));
    for (int i = 0; i < boxes.size(); i += 2)
        box(qPrintable(boxes[i]))->setPlainText(boxes[i + 1]);
    QTRY_COMPARE(unread->text(), line);
    QCOMPARE(unread->toolTip(), QString(line).replace(QStringLiteral("；"), QStringLiteral("\n")));
}

void TstTypedBoxes::tabMovesTheFocusOn()
{
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    for (const HintedBox &hinted : kHintedBoxes) {
        showPanelOf(hinted);
        QPlainTextEdit *b = box(hinted.name);
        b->setPlainText(QStringLiteral("05"));
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            b->setFocus(Qt::MouseFocusReason);
            QTRY_VERIFY2(b->hasFocus(), hinted.name);
            QTest::keyClick(b, key);
            QTRY_VERIFY2(!b->hasFocus(), hinted.name);
            QCOMPARE(b->toPlainText(), QStringLiteral("05"));
        }
    }
}

QTEST_MAIN(TstTypedBoxes)
#include "tst_typed_boxes.moc"
