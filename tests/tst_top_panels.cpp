#include "testsupport.h"

#include "ui/geometry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>

// The tabbed top panels, the set-operation panel's widgets, and the special
// exclusion and smallest/largest digit panels under the route grid.
class TopPanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpShowsTheFirstPanel();
    void panelsOneToFiveAreHiddenBeforeTheTimers();
    void entryPanelsLieStackedInOnePlace();
    void eachTabShowsOnlyItsPanel();
    void clickingTheShownTabKeepsItShown();
    void leavingTheSetPanelKeepsItsTexts();
    void setPanelHidesThePositionalKillBeneath();
    void tabClicksNeverAlterTheBoxes();
    void tabClickMovesFocusToTheFocusHolder();
    void doubleClickEmptiesOnlyThatBox();
    void entryBoxesStartWithTheirHints();
    void smallestDigitTogglesGreenAndBack();
    void specialExclusionTogglesYellow();
    void everyControlHasItsCaption();

private:
    QGroupBox *frame(int index) const { return control<QGroupBox>(m_window.get(), arrayName("Frame_ding", index)); }
    ColorButton *tab(int index) const { return button(m_window.get(), arrayName("C_sst_0", index)); }
    QPlainTextEdit *box(const char *family, int index) const
    {
        return control<QPlainTextEdit>(m_window.get(), arrayName(family, index));
    }
    void verifyShown(int index) const;
    QList<QPlainTextEdit *> allBoxes() const;

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

namespace {
constexpr int Grey = 14737632, LightGreen = 8454016, Green = 65280, Yellow = 65535, HelpBlue = 16315102;

const char16_t *const kTabCaptions[] = {u"杀直选号码", u"杀垃圾复式", u"杀2码/必出2码",
                                        u"杀3码/必出3码", u"定位杀号", u"交集"};

// The five entry panels lie stacked at 20, 180 inside the strip that starts
// at 60, 240 (twips); the set-operation panel is taller.
const QRect kEntryPanel = twipRect(80, 420, 5925, 1290);
const QRect kSetPanel = twipRect(60, 420, 5925, 2985);
constexpr int PositionalKillTop = 116;   // 1740 twips
}

void TopPanelsTest::initTestCase()
{
    QVERIFY(useTestFolders());
}

void TopPanelsTest::init()
{
    m_window = startedWindow();
}

void TopPanelsTest::cleanup()
{
    m_window.reset();
}

void TopPanelsTest::verifyShown(int index) const
{
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(frame(i)->isVisible(), i == index);
        QCOMPARE(tab(i)->backColor(), i == index ? LightGreen : Grey);
    }
}

QList<QPlainTextEdit *> TopPanelsTest::allBoxes() const
{
    QList<QPlainTextEdit *> boxes;
    for (int i = 0; i < 7; ++i)
        boxes.append(box("T_ding", i));
    for (int i = 0; i < 3; ++i)
        boxes.append(box("T_jj", i));
    return boxes;
}

void TopPanelsTest::startUpShowsTheFirstPanel()
{
    verifyShown(0);
}

void TopPanelsTest::panelsOneToFiveAreHiddenBeforeTheTimers()
{
    Fmain fresh;
    QVERIFY(!control<QWidget>(&fresh, arrayName("Frame_ding", 0))->isHidden());
    for (int i = 1; i < 6; ++i)
        QVERIFY(control<QWidget>(&fresh, arrayName("Frame_ding", i))->isHidden());
}

void TopPanelsTest::entryPanelsLieStackedInOnePlace()
{
    for (int i = 0; i < 5; ++i)
        QCOMPARE(frame(i)->geometry(), kEntryPanel);
    QCOMPARE(frame(5)->geometry(), kSetPanel);
    QVERIFY(kEntryPanel.bottom() < PositionalKillTop);
}

void TopPanelsTest::eachTabShowsOnlyItsPanel()
{
    for (int i : {1, 2, 3, 4, 5, 0, 5, 3, 1}) {
        tab(i)->click();
        verifyShown(i);
    }
}

void TopPanelsTest::clickingTheShownTabKeepsItShown()
{
    tab(0)->click();
    verifyShown(0);
    tab(5)->click();
    tab(5)->click();
    verifyShown(5);
}

void TopPanelsTest::leavingTheSetPanelKeepsItsTexts()
{
    tab(5)->click();
    const QStringList texts = {QStringLiteral("1234 5678"), QStringLiteral("5678\n9999"),
                               QStringLiteral("5678")};
    for (int i = 0; i < 3; ++i)
        box("T_jj", i)->setPlainText(texts[i]);
    tab(4)->click();
    QVERIFY(!frame(5)->isVisible());
    verifyShown(4);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(box("T_jj", i)->toPlainText(), texts[i]);
}

void TopPanelsTest::setPanelHidesThePositionalKillBeneath()
{
    tab(5)->click();
    const QRect panel = frame(5)->geometry();
    QVERIFY(panel.intersects(control<QWidget>(m_window.get(), QStringLiteral("PositionalKill"))->geometry()));
    const QImage before = m_window->grab(panel).toImage();
    for (QCheckBox *box : m_window->findChildren<QCheckBox *>()) {
        if (box->objectName().startsWith(QStringLiteral("Check_hewei_sha1(")))
            box->setChecked(true);
    }
    // Nothing of the ticked boxes beneath shows through the panel.
    QCOMPARE(m_window->grab(panel).toImage(), before);
}

void TopPanelsTest::tabClicksNeverAlterTheBoxes()
{
    const QList<QPlainTextEdit *> boxes = allBoxes();
    QStringList before;
    for (int i = 0; i < boxes.size(); ++i) {
        if (i % 2 == 0)
            boxes[i]->setPlainText(QStringLiteral("box %1\n12** 3456").arg(i));
        before.append(boxes[i]->toPlainText());
    }
    for (int i : {0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1, 0})
        tab(i)->click();
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(boxes[i]->toPlainText(), before[i]);
}

void TopPanelsTest::tabClickMovesFocusToTheFocusHolder()
{
    QPushButton *focusHolder = control<QPushButton>(m_window.get(), QStringLiteral("Cf"));
    box("T_ding", 0)->setFocus();
    QCOMPARE(m_window->focusWidget(), box("T_ding", 0));
    tab(1)->click();
    QCOMPARE(m_window->focusWidget(), focusHolder);
}

void TopPanelsTest::doubleClickEmptiesOnlyThatBox()
{
    tab(2)->click();
    QStringList before;
    for (int i = 0; i < 7; ++i)
        before.append(box("T_ding", i)->toPlainText());
    QPlainTextEdit *target = box("T_ding", 3);
    QTest::mouseDClick(target->viewport(), Qt::LeftButton, {}, target->viewport()->rect().center());
    QTRY_VERIFY(target->toPlainText().isEmpty());
    for (int i = 0; i < 7; ++i) {
        if (i != 3)
            QCOMPARE(box("T_ding", i)->toPlainText(), before[i]);
    }
}

void TopPanelsTest::entryBoxesStartWithTheirHints()
{
    for (int i = 1; i < 7; ++i)
        QCOMPARE(box("T_ding", i)->toPlainText(), QStringLiteral("\n双击清空\n"));

    // Box 0 holds one line of notice between two line breaks, and nothing a
    // filter could take for an entry.
    const QString notice = box("T_ding", 0)->toPlainText();
    QVERIFY(notice.startsWith(u'\n'));
    QVERIFY(notice.endsWith(u'\n'));
    const QString line = notice.mid(1, notice.size() - 2);
    QVERIFY(!line.isEmpty());
    QVERIFY(!line.contains(u'\n'));
    QVERIFY(!line.contains(u'*'));
    for (QChar ch : line)
        QVERIFY2(!(ch >= u'0' && ch <= u'9'), qPrintable(line));

    for (int i = 0; i < 3; ++i)
        QVERIFY(box("T_jj", i)->toPlainText().isEmpty());
}

void TopPanelsTest::smallestDigitTogglesGreenAndBack()
{
    QPushButton *focusHolder = control<QPushButton>(m_window.get(), QStringLiteral("Cf"));
    for (int index : {0, 8, 9, 17}) {
        ColorButton *digit = button(m_window.get(), arrayName("C_max", index));
        box("T_ding", 0)->setFocus();
        digit->click();
        QCOMPARE(digit->backColor(), Green);
        QCOMPARE(m_window->focusWidget(), focusHolder);
        digit->click();
        QCOMPARE(digit->backColor(), Grey);
    }
}

void TopPanelsTest::specialExclusionTogglesYellow()
{
    for (int index = 150; index <= 158; ++index) {
        ColorButton *exclusion = button(m_window.get(), arrayName("C_bi", index));
        QCOMPARE(exclusion->backColor(), Grey);
        exclusion->click();
        QCOMPARE(exclusion->backColor(), Yellow);
    }
    button(m_window.get(), arrayName("C_bi", 150))->click();
    QCOMPARE(button(m_window.get(), arrayName("C_bi", 150))->backColor(), Grey);
}

void TopPanelsTest::everyControlHasItsCaption()
{
    const QWidget *w = m_window.get();
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(tab(i)->text(), QString::fromUtf16(kTabCaptions[i]));
        QCOMPARE(frame(i)->title(), QString::fromUtf16(kTabCaptions[i]));
    }

    // Help buttons and the panel that holds each.
    const std::pair<int, const char *> helpButtons[] = {
        {5, "Frame_ding(0)"}, {11, "Frame_ding(1)"}, {13, "Frame_ding(2)"}, {14, "Frame_ding(2)"},
        {15, "Frame_ding(3)"}, {16, "Frame_ding(3)"}, {17, "Frame_ding(4)"}, {3, "Frame_ding(5)"},
        {4, "SpecialExclusions"}, {0, "MinMaxDigits"},
    };
    for (const auto &[index, parent] : helpButtons) {
        ColorButton *help = button(w, arrayName("C_teshu_sm", index));
        QVERIFY2(help, qPrintable(arrayName("C_teshu_sm", index)));
        QCOMPARE(help->text(), QStringLiteral("说明"));
        QCOMPARE(help->backColor(), HelpBlue);
        QCOMPARE(help->parentWidget()->objectName(), QLatin1String(parent));
        QCOMPARE(help->y(), 0);
    }

    // Each entry box sits in its panel beside its label.
    const std::pair<int, const char16_t *> entryBoxes[] = {
        {0, u"双击清空"}, {1, u"双击清空"}, {2, u"杀两码组合"}, {2, u"必出两码组合"},
        {3, u"杀3码组合"}, {3, u"必出3码组合"}, {4, u"双击清空"},
    };
    for (int i = 0; i < 7; ++i) {
        const auto &[panel, label] = entryBoxes[i];
        QCOMPARE(box("T_ding", i)->parentWidget(), frame(panel));
        const QList<QLabel *> labels = frame(panel)->findChildren<QLabel *>();
        const bool labelled = std::any_of(labels.begin(), labels.end(), [&](const QLabel *l) {
            return l->text() == QString::fromUtf16(label) && l->geometry().right() < box("T_ding", i)->x()
                && l->geometry().top() == box("T_ding", i)->y();
        });
        QVERIFY2(labelled, qPrintable(arrayName("T_ding", i)));
    }

    // The set-operation panel.
    QGroupBox *setPanel = frame(5);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(box("T_jj", i)->parentWidget(), setPanel);
    QStringList labelTexts;
    for (const QLabel *l : setPanel->findChildren<QLabel *>())
        labelTexts.append(l->text());
    for (const char *text : {"大底A", "大底B", "结果注数"})
        QVERIFY2(labelTexts.contains(QString::fromUtf8(text)), text);
    auto *count = control<QLabel>(w, QStringLiteral("Ljiaoji_zhushu"));
    QCOMPARE(count->parentWidget(), setPanel);
    QCOMPARE(count->text(), QStringLiteral("0"));
    const char16_t *actions[] = {u"复制号码", u"A.B交集", u"A.B并集", u"A排除B", u"B排除A"};
    for (int k = 0; k < 5; ++k) {
        ColorButton *action = button(w, arrayName("C_guolv_ks", 5 + k));
        QCOMPARE(action->text(), QString::fromUtf16(actions[k]));
        QCOMPARE(action->parentWidget(), setPanel);
    }
    // The clear buttons stand over the boxes they empty.
    for (const auto &[index, target] : {std::pair{24, 0}, std::pair{26, 1}}) {
        ColorButton *clear = button(w, arrayName("C_cls", index));
        QCOMPARE(clear->text(), QStringLiteral("清"));
        QCOMPARE(clear->parentWidget(), setPanel);
        const QRect boxRect = box("T_jj", target)->geometry();
        QVERIFY(clear->x() >= boxRect.left() && clear->geometry().right() <= boxRect.right());
    }

    // Special exclusions and smallest/largest digit.
    QCOMPARE(control<QGroupBox>(w, QStringLiteral("SpecialExclusions"))->title(),
             QStringLiteral("特别排除(以下连号与旧版稍有不同，详情看说明)"));
    const char *exclusions[] = {"不连", "2连", "3连", "4连", "AAAA", "AAAB", "AABC", "AABB", "ABCD"};
    for (int k = 0; k < 9; ++k)
        QCOMPARE(button(w, arrayName("C_bi", 150 + k))->text(), QString::fromUtf8(exclusions[k]));
    for (int k = 0; k < 9; ++k) {
        QCOMPARE(button(w, arrayName("C_max", k))->text(), QString::number(k));
        QCOMPARE(button(w, arrayName("C_max", 9 + k))->text(), QString::number(k + 1));
        QCOMPARE(button(w, arrayName("C_max", 9 + k))->y(), button(w, arrayName("C_max", 9))->y());
        QVERIFY(button(w, arrayName("C_max", 9 + k))->y() > button(w, arrayName("C_max", k))->y());
    }
    QCOMPARE(button(w, arrayName("C_cls", 32))->text(), QStringLiteral("清"));
    QStringList minMaxLabels;
    for (const QLabel *l : control<QWidget>(w, QStringLiteral("MinMaxDigits"))->findChildren<QLabel *>())
        minMaxLabels.append(l->text());
    QCOMPARE(minMaxLabels, (QStringList{QStringLiteral("最小号码"), QStringLiteral("最大号码")}));
}

QTEST_MAIN(TopPanelsTest)
#include "tst_top_panels.moc"
