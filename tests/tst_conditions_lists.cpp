#include "reference_rules.h"
#include "testsupport.h"

#include "ui/geometry.h"

#include <QPlainTextEdit>
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
    void fourRunKillsTheTenRuns();
    void fourEqualAndFourDistinctDigits();
    void smallestAndLargestFiveLeaveOnlyFiveFiveFiveFive();
    void smallestZeroKeepsNumbersWithAZero();
    void eachDigitButtonAlone_data();
    void eachDigitButtonAlone();
    void eachSpecialExclusionAlone_data();
    void eachSpecialExclusionAlone();

private:
    void type(int box, const QString &text);
    void press(const char *family, int index);
    bool shrink(QSet<int> &survivors);

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

namespace {
constexpr int ShrinkAction = 0;

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
}

void ConditionsListsTest::cleanup()
{
    m_window.reset();
}

void ConditionsListsTest::type(int box, const QString &text)
{
    control<QPlainTextEdit>(m_window.get(), arrayName("T_ding", box))->setPlainText(text);
}

void ConditionsListsTest::press(const char *family, int index)
{
    button(m_window.get(), arrayName(family, index))->click();
}

// Runs the shrink and collects the listed numbers; false when the result
// text is malformed or the count label disagrees with it.
bool ConditionsListsTest::shrink(QSet<int> &survivors)
{
    const int count = pressAction(m_window.get(), ShrinkAction);
    survivors.clear();
    const QString result = m_window->shrinkState().ResultText;
    for (QStringView number : QStringView(result).split(u' ', Qt::SkipEmptyParts)) {
        if (number.size() != 4) {
            qWarning("result holds %s", qPrintable(number.toString()));
            return false;
        }
        survivors.insert(number.toInt());
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
    type(0, text);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 9996);
    QCOMPARE(survivors, allBut({1234, 5890, 6899, 1479}));
}

void ConditionsListsTest::mustContainTwoKeepsOnlyNumbersWithBoth()
{
    type(3, QStringLiteral("89"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 974);
    QCOMPARE(survivors, numbersWhere([](int n) { return has(digitsOf(n), 8) && has(digitsOf(n), 9); }));
}

void ConditionsListsTest::mustContainTwoWithoutAnEntryKillsAll()
{
    type(3, QStringLiteral("8"));
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QVERIFY(survivors.isEmpty());
}

void ConditionsListsTest::killThreeRejectsEveryNumberWithThreeNines()
{
    type(4, QStringLiteral("999"));
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
    type(1, QStringLiteral("123456*2345678*1234567*1234567890"));
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
    type(1, QStringLiteral("1*1*1*1\n2*2*2*2"));
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
    type(6, text);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), endsMatter ? 10000 - 199 : 10000 - 100);
    QCOMPARE(survivors, numbersWhere([&](int n) { return n / 100 != 12 && (!endsMatter || n % 100 != 89); }));
}

void ConditionsListsTest::fourRunKillsTheTenRuns()
{
    press("C_bi", 153);   // 4连
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 10000 - 240);
    QCOMPARE(survivors, numbersWhere([&](int n) { return longestRunOf(digitsOf(n)) != 4; }));
    for (int n : {1234, 9012, 8901, 7890})
        QVERIFY(!survivors.contains(n));
}

void ConditionsListsTest::fourEqualAndFourDistinctDigits()
{
    press("C_bi", 154);   // AAAA
    press("C_bi", 158);   // ABCD
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
    press("C_max", 5);    // smallest 5
    press("C_max", 13);   // largest 5
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors, QSet<int>{5555});
}

void ConditionsListsTest::smallestZeroKeepsNumbersWithAZero()
{
    press("C_max", 0);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    QCOMPARE(survivors.size(), 3439);
    QCOMPARE(survivors, numbersWhere([](int n) { return has(digitsOf(n), 0); }));
}

void ConditionsListsTest::eachDigitButtonAlone_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("digit");
    QTest::addColumn<bool>("smallest");
    for (int i = 0; i < 18; ++i)
        QTest::addRow("C_max(%d)", i) << i << (i < 9 ? i : i - 8) << (i < 9);
}

// One button of the two rows alone: the first row's last button (8) is still
// a smallest digit and the second row's first (1) a largest one.
void ConditionsListsTest::eachDigitButtonAlone()
{
    QFETCH(int, index);
    QFETCH(int, digit);
    QFETCH(bool, smallest);
    press("C_max", index);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    const QSet<int> expected = numbersWhere([&](int n) {
        return (smallest ? smallestOf(digitsOf(n)) : largestOf(digitsOf(n))) == digit;
    });
    QCOMPARE(survivors, expected);
    // Smallest 8 leaves the fifteen numbers of 8s and 9s with an 8; largest 1
    // the fifteen of 0s and 1s with a 1.
    if (index == 8 || index == 9) {
        QCOMPARE(survivors.size(), 15);
        QVERIFY(survivors.contains(index == 8 ? 8989 : 1010));
    }
}

void ConditionsListsTest::eachSpecialExclusionAlone_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 9; ++i)
        QTest::addRow("%s", qPrintable(QString::fromUtf16(kExclusionCaptions[i]))) << 150 + i;
}

// One special exclusion alone kills exactly its class: runs by the longest
// run of consecutive digits in the digit set (9 and 0 neighbours), shapes by
// how often each digit repeats.
void ConditionsListsTest::eachSpecialExclusionAlone()
{
    QFETCH(int, index);
    press("C_bi", index);
    QSet<int> survivors;
    QVERIFY(shrink(survivors));
    const int member = index - 150;
    QCOMPARE(survivors, numbersWhere([&](int n) {
                 const Digits d = digitsOf(n);
                 return member < 4 ? longestRunOf(d) != member + 1 : repetitionShapeOf(d) != member - 4;
             }));
}

QTEST_MAIN(ConditionsListsTest)
#include "tst_conditions_lists.moc"
