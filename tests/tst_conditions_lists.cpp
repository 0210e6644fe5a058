#include "reference_rules.h"
#include "sheet_driver.h"

#include <QSet>
#include <algorithm>
#include <array>
#include <functional>

// The typed lists of the top panels, the special exclusions and the
// smallest/largest digit, run through "[开始缩水]" as a player does. Expected
// survivors come from plain loops over the four digits of every number.
class ConditionsListsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void straightListKillsExactlyItsNumbers_data();
    void straightListKillsExactlyItsNumbers();
    void mustContainTwoKeepsOnlyNumbersWithBoth();
    void mustContainTwoWithoutAnEntryKillsAll();
    void killThreeRejectsEveryNumberWithThreeNines();
    void compoundBetKillsItsProduct();
    void compoundBetsOnTwoLines();
    void positionalPatterns_data();
    void positionalPatterns();
    void fourEqualAndFourDistinctDigits();
    void smallestAndLargestFiveLeaveOnlyFiveFiveFiveFive();

private:
    bool shrink(QSet<int> &survivors);

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<SheetDriver> m_sheet;
};

namespace {
QSet<int> numbersWhere(const std::function<bool(int)> &keep)
{
    QSet<int> numbers;
    for (int n = 0; n < 10000; ++n) {
        if (keep(n))
            numbers.insert(n);
    }
    return numbers;
}

QSet<int> allBut(const QSet<int> &killed)
{
    return numbersWhere([&](int n) { return !killed.contains(n); });
}
}

void ConditionsListsTest::initTestCase()
{
    QVERIFY(useTestFolders());
}

void ConditionsListsTest::init()
{
    m_window = startedWindow();
    m_sheet = std::make_unique<SheetDriver>(m_window.get());
}

void ConditionsListsTest::cleanup()
{
    m_sheet.reset();
    m_window.reset();
}

// Runs the shrink and collects the numbers of the result text; false when
// it holds a token that is not four digits or the count label disagrees.
bool ConditionsListsTest::shrink(QSet<int> &survivors)
{
    const int count = m_sheet->run();
    const QList<int> numbers = m_sheet->resultNumbers();
    survivors = QSet<int>(numbers.begin(), numbers.end());
    if (numbers.contains(-1)) {
        qWarning("the result text holds a token that is not four digits");
        return false;
    }
    if (count != survivors.size()) {
        qWarning("count label %d against %lld listed", count, qlonglong(survivors.size()));
        return false;
    }
    return true;
}

void ConditionsListsTest::straightListKillsExactlyItsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("spaces") << QStringLiteral("1234 5890 6899 1479");
    QTest::newRow("commas") << QStringLiteral("1234,5890,6899,1479");
    QTest::newRow("line breaks") << QStringLiteral("1234\n5890\n6899\n1479");
    QTest::newRow("CR LF, lone CR, full-width comma") << QStringLiteral("1234\r\n5890\r6899，1479");
    QTest::newRow("short and long entries ignored") << QStringLiteral("1234 123 5890 12345 6899 1479");
}

void ConditionsListsTest::straightListKillsExactlyItsNumbers()
{
    QFETCH(QString, text);
    m_sheet->type("T_ding", 0, text);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 9996);
    QCOMPARE(survivors, allBut({1234, 5890, 6899, 1479}));
}

void ConditionsListsTest::mustContainTwoKeepsOnlyNumbersWithBoth()
{
    m_sheet->type("T_ding", 3, QStringLiteral("89"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 974);
    QCOMPARE(survivors, numbersWhere([](int n) { return has(digitsOf(n), 8) && has(digitsOf(n), 9); }));
}

void ConditionsListsTest::mustContainTwoWithoutAnEntryKillsAll()
{
    m_sheet->type("T_ding", 3, QStringLiteral("8"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QVERIFY(survivors.isEmpty());
}

void ConditionsListsTest::killThreeRejectsEveryNumberWithThreeNines()
{
    m_sheet->type("T_ding", 4, QStringLiteral("999"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    for (int n : {9991, 9399, 4999, 9989, 9999})
        QVERIFY2(!survivors.contains(n), qPrintable(QString::number(n)));
    QVERIFY(survivors.contains(9980));
    QCOMPARE(survivors.size(), 10000 - 37);
    QCOMPARE(survivors, numbersWhere([](int n) { return countOf(digitsOf(n), 9) < 3; }));
}

void ConditionsListsTest::compoundBetKillsItsProduct()
{
    m_sheet->type("T_ding", 1, QStringLiteral("123456*2345678*1234567*1234567890"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 10000 - 2940);
    QCOMPARE(survivors, numbersWhere([](int n) {
                 const auto d = digitsOf(n);
                 const bool covered = d[0] >= 1 && d[0] <= 6 && d[1] >= 2 && d[1] <= 8 && d[2] >= 1 && d[2] <= 7;
                 return !covered;
             }));
}

void ConditionsListsTest::compoundBetsOnTwoLines()
{
    m_sheet->type("T_ding", 1, QStringLiteral("1*1*1*1\n2*2*2*2"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors, allBut({1111, 2222}));
}

void ConditionsListsTest::positionalPatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("endsMatter");
    QTest::newRow("two patterns") << QStringLiteral("12** **89") << true;
    QTest::newRow("two patterns on two lines") << QStringLiteral("12**\n**89") << true;
    QTest::newRow("a short token ends the list") << QStringLiteral("12** 123 **89") << false;
}

void ConditionsListsTest::positionalPatterns()
{
    QFETCH(QString, text);
    QFETCH(bool, endsMatter);
    m_sheet->type("T_ding", 6, text);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), endsMatter ? 10000 - 199 : 10000 - 100);
    QCOMPARE(survivors, numbersWhere([&](int n) { return n / 100 != 12 && (!endsMatter || n % 100 != 89); }));
}

void ConditionsListsTest::fourEqualAndFourDistinctDigits()
{
    m_sheet->click("C_bi", 154);   // AAAA
    m_sheet->click("C_bi", 158);   // ABCD
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 10000 - 5050);
    QCOMPARE(survivors, numbersWhere([](int n) {
                 const int shape = repetitionShapeOf(digitsOf(n));
                 return shape != 0 && shape != 4;
             }));
}

void ConditionsListsTest::smallestAndLargestFiveLeaveOnlyFiveFiveFiveFive()
{
    m_sheet->click("C_max", 5);    // smallest 5
    m_sheet->click("C_max", 13);   // largest 5
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors, QSet<int>{5555});
}

QTEST_MAIN(ConditionsListsTest)
#include "tst_conditions_lists.moc"
