// Conditions of the left column and the pattern grids set as a player sets
// them, then "[开始缩水]": the count and the surviving numbers.
#include "reference_rules.h"
#include "sheet_driver.h"

#include <functional>

namespace {
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
    std::unique_ptr<SheetDriver> m_sheet;

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void init()
    {
        m_modals = std::make_unique<ModalRecorder>();
        m_window = startedWindow();
        m_sheet = std::make_unique<SheetDriver>(m_window.get());
    }

    void cleanup()
    {
        m_sheet.reset();
        m_window.reset();
        m_modals.reset();
    }

    void nothingChosenKeepsEverything() { QCOMPARE(m_sheet->run(), 10000); }

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
        m_sheet->tick("Check_hewei_sha1", 1);        // thousands 1
        m_sheet->tick("Check_hewei_sha1", 30 + 2);   // units 2
        m_sheet->setTolerance(0, from);
        m_sheet->setTolerance(1, to);
        QCOMPARE(m_sheet->run(), count);
        const int low = from.toInt(), high = to.toInt();
        QCOMPARE(m_sheet->listed(), numbersWhere([&](int n) {
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
        m_sheet->typeKeys(QStringLiteral("T_cs_ip(0)"), typed);
        QCOMPARE(m_sheet->run(), 10000 - killed);
    }

    void everySpanTickedKillsEverything()
    {
        for (int span = 0; span < 10; ++span)
            m_sheet->tick("Check_kuadu_sha", span);
        QCOMPARE(m_sheet->run(), 0);
    }

    void danRowKeepsNumbersWithItsDigits()
    {
        m_sheet->click("C_danzu", 1);
        m_sheet->click("C_danzu", 2);
        QCOMPARE(m_sheet->run(), 5904);
    }

    void danRowWithCountZeroKeepsNumbersWithoutItsDigits()
    {
        m_sheet->click("C_danzu", 1);
        m_sheet->click("C_danzu", 2);
        m_sheet->click("C_danzu_gs", 0);
        QCOMPARE(m_sheet->run(), 4096);
        QCOMPARE(m_sheet->listed(), numbersWhere([](int n) {
                     const QString digits = QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
                     return !digits.contains(u'1') && !digits.contains(u'2');
                 }));
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
        m_sheet->click("C_bi", index);
        QCOMPARE(m_sheet->run(), 10000 - killed);
        QCOMPARE(m_sheet->listed(), numbersWhere([&](int n) { return !hasShape(index - 15, digitsOf(n)); }));
    }

    void allSixShapesLeaveTheTenRepeatedDigits()
    {
        for (int index = 15; index <= 20; ++index)
            m_sheet->click("C_bi", index);
        QCOMPARE(m_sheet->run(), 10);
        QCOMPARE(m_sheet->listed(), numbersWhere([](int n) { return n % 1111 == 0; }));
    }

    // The thousands row's "清" clears that row's ten boxes and nothing else:
    // the boxes beside it on both sides keep killing.
    void thousandsClearKeepsTheOtherRows()
    {
        for (int i = 0; i < 10; ++i)
            m_sheet->tick("Check_hewei_sha1", i);
        m_sheet->tick("Check_hewei_sha1", 10);       // hundreds 0
        m_sheet->tick("Check_hewei_sha1", 39);       // units 9
        m_sheet->click("C_cls", 0);
        for (int i = 0; i < 40; ++i) {
            const bool kept = i == 10 || i == 39;
            QCOMPARE(control<QCheckBox>(m_window.get(), arrayName("Check_hewei_sha1", i))->isChecked(), kept);
        }
        QCOMPARE(m_sheet->run(), 8100);
        QCOMPARE(m_sheet->listed(), numbersWhere([](int n) { return digitsOf(n)[1] != 0 && digitsOf(n)[3] != 9; }));
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
            m_sheet->click("C_bi", i);
        QCOMPARE(m_sheet->run(), 0);
    }
};

QTEST_MAIN(TestConditionsLeft)
#include "tst_conditions_left.moc"
