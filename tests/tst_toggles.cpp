// Clicks on the toggle buttons of the left column and the pattern grids:
// colours, the dan hit-count rule and where the keyboard focus goes.
#include "testsupport.h"

#include "ui/geometry.h"

#include <QCheckBox>
#include <QPlainTextEdit>

class TestToggles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;

    ColorButton *at(const char *family, int index) const
    {
        ColorButton *b = button(m_window.get(), arrayName(family, index));
        Q_ASSERT(b);
        return b;
    }
    int colourOf(const char *family, int index) const { return at(family, index)->backColor(); }
    void click(const char *family, int index) { at(family, index)->click(); }

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void init()
    {
        m_modals = std::make_unique<ModalRecorder>();
        m_window = startedWindow();
    }

    void cleanup()
    {
        m_window.reset();
        m_modals.reset();
    }

    void everyToggleStartsGrey()
    {
        for (int i = 0; i <= 149; ++i)
            QCOMPARE(colourOf("C_bi", i), Colour::Grey);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(colourOf("C_danzu", i), Colour::Grey);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(colourOf("C_danzu_gs", i), Colour::Grey);
    }

    void ratioButtonTogglesGreen()
    {
        click("C_bi", 1);
        QCOMPARE(colourOf("C_bi", 1), Colour::Green);
        click("C_bi", 1);
        QCOMPARE(colourOf("C_bi", 1), Colour::Grey);
        click("C_bi", 14);
        QCOMPARE(colourOf("C_bi", 14), Colour::Green);
    }

    void shapeAndPatternButtonsToggleYellow_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("first shape 上山") << 15;
        QTest::newRow("last shape 反N形") << 20;
        QTest::newRow("big/small 大大大大") << 21;
        QTest::newRow("odd/even") << 40;
        QTest::newRow("prime/composite") << 68;
        QTest::newRow("route 0000") << 69;
        QTest::newRow("route 0022") << 149;
    }

    void shapeAndPatternButtonsToggleYellow()
    {
        QFETCH(int, index);
        click("C_bi", index);
        QCOMPARE(colourOf("C_bi", index), Colour::Yellow);
        click("C_bi", index);
        QCOMPARE(colourOf("C_bi", index), Colour::Grey);
    }

    void danDigitTogglesGreen()
    {
        click("C_danzu", 39);
        QCOMPARE(colourOf("C_danzu", 39), Colour::Green);
        QCOMPARE(colourOf("C_danzu", 38), Colour::Grey);
        click("C_danzu", 39);
        QCOMPARE(colourOf("C_danzu", 39), Colour::Grey);
    }

    void countsUpToTheNumberOfDanDigitsAreAccepted()
    {
        // Row 1 has the dan digits 3 and 7.
        click("C_danzu", 13);
        click("C_danzu", 17);
        for (int k = 0; k <= 2; ++k) {
            click("C_danzu_gs", 5 + k);
            QCOMPARE(colourOf("C_danzu_gs", 5 + k), Colour::Green);
        }
        QVERIFY(m_modals->messages.isEmpty());
    }

    void countsAboveTheNumberOfDanDigitsAreRefused()
    {
        click("C_danzu", 13);
        click("C_danzu", 17);
        for (int k = 3; k <= 4; ++k) {
            m_modals->messages.clear();
            click("C_danzu_gs", 5 + k);
            QCOMPARE(colourOf("C_danzu_gs", 5 + k), Colour::Grey);
            QCOMPARE(m_modals->messages.size(), 1);
            QCOMPARE(m_modals->messages[0].text, QStringLiteral("出胆个数不能大于选胆个数"));
            QCOMPARE(m_modals->messages[0].title, QStringLiteral("错误提示"));
        }
    }

    void digitsOfAnotherRowDoNotCount()
    {
        click("C_danzu", 0);
        click("C_danzu", 1);
        click("C_danzu_gs", 5 + 1);
        QCOMPARE(colourOf("C_danzu_gs", 6), Colour::Grey);
        QCOMPARE(m_modals->messages.size(), 1);
    }

    void countingRepeatsAcceptsAnyCount()
    {
        control<QCheckBox>(m_window.get(), QStringLiteral("Check_dm_jchong"))->setChecked(true);
        for (int k = 0; k <= 4; ++k) {
            click("C_danzu_gs", 10 + k);
            QCOMPARE(colourOf("C_danzu_gs", 10 + k), Colour::Green);
        }
        QVERIFY(m_modals->messages.isEmpty());
    }

    void deselectingACountNeverComplains()
    {
        click("C_danzu", 33);
        click("C_danzu", 37);
        click("C_danzu_gs", 15 + 2);
        QCOMPARE(colourOf("C_danzu_gs", 17), Colour::Green);
        // The digits go, the chosen count stays and can still be taken back.
        click("C_danzu", 33);
        click("C_danzu", 37);
        QCOMPARE(colourOf("C_danzu_gs", 17), Colour::Green);
        click("C_danzu_gs", 17);
        QCOMPARE(colourOf("C_danzu_gs", 17), Colour::Grey);
        QVERIFY(m_modals->messages.isEmpty());
    }

    void countZeroNeedsNoDigits()
    {
        click("C_danzu_gs", 0);
        QCOMPARE(colourOf("C_danzu_gs", 0), Colour::Green);
        QVERIFY(m_modals->messages.isEmpty());
    }

    void danDigitClickMovesFocusToTheHolder()
    {
        auto *sumBox = control<QPlainTextEdit>(m_window.get(), arrayName("T_cs_ip", 0));
        auto *holder = control<QWidget>(m_window.get(), QStringLiteral("Cf"));
        sumBox->setFocus();
        QCOMPARE(m_window->focusWidget(), sumBox);
        // Ratio and count buttons leave the focus where it is.
        click("C_bi", 0);
        click("C_danzu_gs", 0);
        QCOMPARE(m_window->focusWidget(), sumBox);
        click("C_danzu", 5);
        QCOMPARE(m_window->focusWidget(), holder);
    }

    void sumBoxDoubleClickEmptiesItselfOnly()
    {
        auto *sumBox = control<QPlainTextEdit>(m_window.get(), arrayName("T_cs_ip", 0));
        auto *baseBox = control<QPlainTextEdit>(m_window.get(), arrayName("T_cs_ip", 3));
        QCOMPARE(sumBox->toPlainText(), QStringLiteral("和值输入要保持2位数，例如：00 05 08 16"));
        const QString baseText = baseBox->toPlainText();
        QTest::mouseDClick(sumBox->viewport(), Qt::LeftButton);
        QCOMPARE(sumBox->toPlainText(), QString());
        QCOMPARE(baseBox->toPlainText(), baseText);
    }
};

QTEST_MAIN(TestToggles)
#include "tst_toggles.moc"
