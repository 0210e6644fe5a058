// Conditions of the left column and the pattern grids set as a player sets
// them, then "[开始缩水]": the count and the surviving numbers.
#include "reference_rules.h"
#include "testsupport.h"

#include "ui/geometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>

namespace {
constexpr int kShrink = 0;

QList<int> numbersWhere(const std::function<bool(int)> &keep)
{
    QList<int> numbers;
    for (int n = 0; n < 10000; ++n) {
        if (keep(n))
            numbers.append(n);
    }
    return numbers;
}
}

class TestConditionsLeft : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;

    void click(const char *family, int index)
    {
        ColorButton *b = button(m_window.get(), arrayName(family, index));
        QVERIFY2(b, qPrintable(arrayName(family, index)));
        b->click();
    }
    void tick(const char *family, int index)
    {
        auto *box = control<QCheckBox>(m_window.get(), arrayName(family, index));
        QVERIFY2(box, qPrintable(arrayName(family, index)));
        box->click();
        QVERIFY(box->isChecked());
    }
    void setTolerance(int box, const QString &text)
    {
        control<QComboBox>(m_window.get(), arrayName("Com_rc", box))->setEditText(text);
    }
    void typeSums(const QString &text)
    {
        auto *box = control<QPlainTextEdit>(m_window.get(), arrayName("T_cs_ip", 0));
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        QTest::keyClicks(box, text);
    }
    int shrink() { return pressAction(m_window.get(), kShrink); }

    QList<int> listed() const
    {
        QList<int> numbers;
        const QListWidget *list = control<QListWidget>(m_window.get(), QStringLiteral("Li_out"));
        for (int row = 0; row < list->count(); ++row) {
            for (const QString &token : list->item(row)->text().split(u' ', Qt::SkipEmptyParts))
                numbers.append(token.toInt());
        }
        return numbers;
    }

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

    void nothingChosenKeepsEverything() { QCOMPARE(shrink(), 10000); }

    void thousandsZeroKillsItsThousand()
    {
        tick("Check_hewei_sha1", 0);
        QCOMPARE(shrink(), 9000);
        QCOMPARE(listed(), numbersWhere([](int n) { return n >= 1000; }));
    }

    void positionalToleranceCountsWrongPositions_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("count");
        QTest::newRow("0-0") << "0" << "0" << 8100;
        QTest::newRow("0-1") << "0" << "1" << 9900;
        QTest::newRow("1-1") << "1" << "1" << 1800;
    }

    void positionalToleranceCountsWrongPositions()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, count);
        tick("Check_hewei_sha1", 1);        // thousands 1
        tick("Check_hewei_sha1", 30 + 2);   // units 2
        setTolerance(0, from);
        setTolerance(1, to);
        QCOMPARE(shrink(), count);
        const int low = from.toInt(), high = to.toInt();
        QCOMPARE(listed(), numbersWhere([&](int n) {
                     const int wrong = (digitsOf(n)[0] == 1) + (digitsOf(n)[3] == 2);
                     return wrong >= low && wrong <= high;
                 }));
    }

    void sumListKillsTheTypedSums_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("killed");
        QTest::newRow("00 05 08 16") << "00 05 08 16" << 855;
        QTest::newRow("123 finds 12 and 23") << "123" << 895;
    }

    void sumListKillsTheTypedSums()
    {
        QFETCH(QString, typed);
        QFETCH(int, killed);
        typeSums(typed);
        QCOMPARE(shrink(), 10000 - killed);
    }

    void untouchedSumHintKillsNothing() { QCOMPARE(shrink(), 10000); }

    void sumTailThreeKillsAThousand()
    {
        tick("Check_hewei_sha", 3);
        QCOMPARE(shrink(), 9000);
    }

    void killAllFiveKillsEveryNumberWithAFive()
    {
        tick("Check_tsm_sha", 5);
        QCOMPARE(shrink(), 10000 - 3439);
        QCOMPARE(listed(), numbersWhere([](int n) { return !QString::number(n).contains(u'5'); }));
    }

    void everySpanTickedKillsEverything()
    {
        for (int span = 0; span < 10; ++span)
            tick("Check_kuadu_sha", span);
        QCOMPARE(shrink(), 0);
    }

    void acValueOneKillsTheTenRepdigits()
    {
        tick("Check_ac_sha", 0);
        QCOMPARE(shrink(), 9990);
    }

    void danRowKeepsNumbersWithItsDigits()
    {
        click("C_danzu", 1);
        click("C_danzu", 2);
        QCOMPARE(shrink(), 5904);
    }

    void danRowWithCountZeroKeepsNumbersWithoutItsDigits()
    {
        click("C_danzu", 1);
        click("C_danzu", 2);
        click("C_danzu_gs", 0);
        QCOMPARE(shrink(), 4096);
        QCOMPARE(listed(), numbersWhere([](int n) {
                     const QString digits = QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
                     return !digits.contains(u'1') && !digits.contains(u'2');
                 }));
    }

    void bigSmallOneToThreeKeepsAQuarter()
    {
        click("C_bi", 1);
        QCOMPARE(shrink(), 2500);
    }

    void eachShapeKillsItsNumbers_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("killed");
        QTest::newRow("上山") << 15 << 705;
        QTest::newRow("下山") << 16 << 705;
        QTest::newRow("凸形") << 17 << 2595;
        QTest::newRow("凹形") << 18 << 2595;
        QTest::newRow("N形") << 19 << 1695;
        QTest::newRow("反N形") << 20 << 1695;
    }

    // Each shape button alone kills exactly the numbers of its shape, read
    // from thousands to units; mirrored shapes have equal counts, so the
    // numbers themselves are compared.
    void eachShapeKillsItsNumbers()
    {
        QFETCH(int, index);
        QFETCH(int, killed);
        click("C_bi", index);
        QCOMPARE(shrink(), 10000 - killed);
        QCOMPARE(listed(), numbersWhere([&](int n) { return !hasShape(index - 15, digitsOf(n)); }));
    }

    void allSixShapesLeaveTheTenRepeatedDigits()
    {
        for (int index = 15; index <= 20; ++index)
            click("C_bi", index);
        QCOMPARE(shrink(), 10);
        QCOMPARE(listed(), numbersWhere([](int n) { return n % 1111 == 0; }));
    }

    // The thousands row's "清" clears that row's ten boxes and nothing else:
    // the boxes beside it on both sides keep killing.
    void thousandsClearKeepsTheOtherRows()
    {
        for (int i = 0; i < 10; ++i)
            tick("Check_hewei_sha1", i);
        tick("Check_hewei_sha1", 10);       // hundreds 0
        tick("Check_hewei_sha1", 39);       // units 9
        button(m_window.get(), arrayName("C_cls", 0))->click();
        for (int i = 0; i < 40; ++i) {
            const bool kept = i == 10 || i == 39;
            QCOMPARE(control<QCheckBox>(m_window.get(), arrayName("Check_hewei_sha1", i))->isChecked(), kept);
        }
        QCOMPARE(shrink(), 8100);
        QCOMPARE(listed(), numbersWhere([](int n) { return digitsOf(n)[1] != 0 && digitsOf(n)[3] != 9; }));
    }

    void routeAllZeroKillsTheNumbersOf0369()
    {
        click("C_bi", 69);
        QCOMPARE(shrink(), 10000 - 256);
    }

    void everyButtonOfAGridKillsEverything_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("big/small") << 21 << 36;
        QTest::newRow("odd/even") << 37 << 52;
        QTest::newRow("prime/composite") << 53 << 68;
        QTest::newRow("route") << 69 << 149;
    }

    void everyButtonOfAGridKillsEverything()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        for (int i = first; i <= last; ++i)
            click("C_bi", i);
        QCOMPARE(shrink(), 0);
    }

    void oneSmallPatternKillsItsNumbers()
    {
        click("C_bi", 36);  // 小小小小
        QCOMPARE(shrink(), 10000 - 625);
    }
};

QTEST_MAIN(TestConditionsLeft)
#include "tst_conditions_left.moc"
