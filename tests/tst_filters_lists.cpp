#include "filters/shrink_run.h"
#include "enginetestsupport.h"
#include "filters/entered_lists.h"
#include "filters/exclusions.h"

#include <QTest>
#include <algorithm>
#include <set>

namespace {
EnteredListSelection box(int index, const QString &text)
{
    EnteredListSelection s;
    s.boxes[index] = text;
    return s;
}

// Rows written by the entered lists for one box.
CandidateSet afterBox(int index, const QString &text)
{
    CandidateSet m;
    entered_list_filters(box(index, text), m);
    return m;
}

// The candidate's digits include the combination's digits as a multiset.
bool containsCombination(const Digits &d, const QString &combination)
{
    std::multiset<int> available(d.begin(), d.end());
    for (QChar ch : combination) {
        const auto found = available.find(ch.digitValue());
        if (found == available.end())
            return false;
        available.erase(found);
    }
    return true;
}

// A line "千*百*十*个" covers a candidate whose digits stand in its fields.
bool covers(const QStringList &fields, const Digits &d)
{
    for (int p = 0; p < 4; ++p) {
        if (!fields[p].contains(QChar(u'0' + d[p])))
            return false;
    }
    return true;
}

bool matchesPattern(const QString &pattern, const Digits &d)
{
    for (int p = 0; p < 4; ++p) {
        if (pattern[p] != u'*' && pattern[p] != QChar(u'0' + d[p]))
            return false;
    }
    return true;
}

CandidateSet afterExclusions(const QStringList &captions)
{
    SpecialExclusionSelection s;
    s.captions = captions;
    CandidateSet m;
    special_exclusions(s, m);
    return m;
}

CandidateSet afterMinMax(const QString &smallest, const QString &largest)
{
    MinMaxSelection s;
    s.smallest = smallest;
    s.largest = largest;
    CandidateSet m;
    min_max_digit_filter(s, m);
    return m;
}

// A selection touching every family, each on its own.
Selections everyFamily()
{
    Selections s;
    s.entered.boxes[0] = QStringLiteral("0001");
    s.positionalKill.struck[0] = true;
    s.sumSpan.sumTails[3] = true;
    s.dan.digits[0] = QStringLiteral("7");
    s.ratios.lists[0] = QStringLiteral("2:2*");
    s.shapes.list = QStringLiteral("上山*");
    s.patterns.lists[BigSmallGrid] = QStringLiteral("大大大大*");
    s.patterns.lists[OddEvenGrid] = QStringLiteral("奇奇奇奇*");
    s.patterns.lists[PrimeCompositeGrid] = QStringLiteral("质质质质*");
    s.patterns.lists[RouteGrid] = QStringLiteral("0000*");
    s.specialExclusions.captions = {QStringLiteral("AAAA")};
    s.minMax.smallest = QStringLiteral("0");
    return s;
}
}

class TestFiltersLists : public QObject
{
    Q_OBJECT

private slots:
    // Digit-list boxes.
    void emptyOrHintBoxesLeaveRowEmpty();
    void killTwoCodeByMultiset();
    void fullCombinationListsInMustBoxes();

    // Compound bets.
    void compoundBetLines_data();
    void compoundBetLines();
    void compoundLinesEndAtEveryBreak_data();
    void compoundLinesEndAtEveryBreak();
    void entriesAreWholeDigitRuns();

    // Positional patterns.
    void cleanPatternTextCollapsesSpaces_data();
    void cleanPatternTextCollapsesSpaces();
    void positionalPatterns_data();
    void positionalPatterns();
    void severalBoxesMarkOnce();

    // Special exclusions and smallest/largest digit.
    void runClassCounts_data();
    void runClassCounts();
    void runClassExamples();
    void repetitionShapeCounts_data();
    void repetitionShapeCounts();
    void repetitionShapeExamples();
    void minMaxExamples();

    // A whole run.
    void everyFamilyWritesOnlyItsOwnRow();
    void progressStepFallsBetweenBigSmallAndOddEven();
    void failedFamiliesCountOncePerRow();
};

void TestFiltersLists::emptyOrHintBoxesLeaveRowEmpty()
{
    const QString hint = QStringLiteral("\n双击清空\n");
    EnteredListSelection hints;
    hints.boxes = {QStringLiteral("\n请在此粘贴要杀的直选号码\n"), hint, hint, hint, hint, hint, hint};
    CandidateSet m;
    entered_list_filters(hints, m);
    entered_list_filters(EnteredListSelection{}, m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersLists::killTwoCodeByMultiset()
{
    auto m = afterBox(2, QStringLiteral("89"));
    for (int n : {8991, 2918, 4798})
        QVERIFY(isMarked(m, n));
    for (int n : {8000, 9000})
        QVERIFY(!isMarked(m, n));
    auto fives = afterBox(2, QStringLiteral("55"));
    QVERIFY(isMarked(fives, 5512));
    QVERIFY(!isMarked(fives, 5123));
}

void TestFiltersLists::fullCombinationListsInMustBoxes()
{
    // Every candidate holds some two of its digits and some three.
    QStringList pairs, triples;
    for (int n = 0; n < 100; ++n)
        pairs.append(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    for (int n = 0; n < 1000; ++n)
        triples.append(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    EnteredListSelection s;
    s.boxes[3] = pairs.join(u' ');
    s.boxes[5] = triples.join(u'\n');
    CandidateSet m;
    entered_list_filters(s, m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersLists::compoundBetLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("killed");
    const QString example = QStringLiteral("123456*2345678*1234567*1234567890");
    QTest::newRow("second line adds 9999") << example + "\n9*9*9*9" << 2941;
    QTest::newRow("CR LF and lone CR") << example + "\r\n9*9*9*9\r8*8*8*8" << 2942;
    QTest::newRow("three fields change nothing") << example + "\n1*2*3" << 2940;
    QTest::newRow("no star changes nothing") << QStringLiteral("1234 5678") << 0;
    QTest::newRow("two single bets") << QStringLiteral("1*1*1*1\n2*2*2*2") << 2;
    QTest::newRow("fields after the fourth ignored") << QStringLiteral("1*2*3*4*5") << 1;
    QTest::newRow("letters and spaces never match") << QStringLiteral(" 1a*2 b*3*4x ") << 1;
    QTest::newRow("empty field covers nothing") << QStringLiteral("1**3*4") << 0;
    QTest::newRow("repeated line counts once") << QStringLiteral("12*3*4*5\n12*3*4*5") << 2;
}

void TestFiltersLists::compoundBetLines()
{
    QFETCH(QString, text);
    QFETCH(int, killed);
    QCOMPARE(markedCount(afterBox(1, text)), killed);
}

void TestFiltersLists::compoundLinesEndAtEveryBreak_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("killed");
    const QList<int> both = {1234, 5678};
    QTest::newRow("LF") << QStringLiteral("1*2*3*4\n5*6*7*8") << both;
    QTest::newRow("CR LF") << QStringLiteral("1*2*3*4\r\n5*6*7*8") << both;
    // Schemes and the command line hand texts over without turning CR into LF.
    QTest::newRow("lone CR") << QStringLiteral("1*2*3*4\r5*6*7*8") << both;
    QTest::newRow("two lone CRs") << QStringLiteral("1*2*3*4\r\r5*6*7*8") << both;
    QTest::newRow("lone CR after a wide line") << QStringLiteral("12*3*4*5\r9*9*9*9") << QList<int>{1345, 2345, 9999};
}

// Which numbers die, not only how many: a line that runs on past a lone CR
// kills as many numbers, but other ones (1234 and 1235 instead of 5678).
void TestFiltersLists::compoundLinesEndAtEveryBreak()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, killed);
    const auto m = afterBox(1, text);
    const QString difference = differenceFromReference(m, [&](const Digits &d) {
        return killed.contains(d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3]);
    });
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// A run of digits is an entry only when its length is exactly right: the
// first four digits of "12345" are not the number 1234.
void TestFiltersLists::entriesAreWholeDigitRuns()
{
    const auto straight = afterBox(0, QStringLiteral("12345 067890 6789"));
    const QString difference = differenceFromReference(straight, [](const Digits &d) {
        return d == Digits{6, 7, 8, 9};
    });
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(markedCount(afterBox(2, QStringLiteral("123 4567"))), 0);
}

void TestFiltersLists::cleanPatternTextCollapsesSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("separators become spaces") << " 12**,\n**89。" << "12** **89";
    QTest::newRow("32 spaces become one") << "1***" + QString(32, u' ') + "2***" << "1*** 2***";
    QTest::newRow("33 spaces become two") << "1***" + QString(33, u' ') + "2***" << "1***  2***";
    QTest::newRow("64 and 65") << "1" + QString(64, u' ') + "2" + QString(65, u' ') + "3" << "1  2   3";
    QTest::newRow("nothing usable") << "abc" << "";
}

void TestFiltersLists::cleanPatternTextCollapsesSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, cleaned);
    QCOMPARE(clean_pattern_text(text), cleaned);
}

void TestFiltersLists::positionalPatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("applied");
    const QStringList both{QStringLiteral("12**"), QStringLiteral("**89")};
    const QStringList first{QStringLiteral("12**")};
    QTest::newRow("two patterns") << "12** **89" << both;
    QTest::newRow("on two lines") << "12**\r\n**89" << both;
    QTest::newRow("three-character token ends the list") << "12** 123 **89" << first;
    QTest::newRow("five-character token first disables all") << "12345 12** **89" << QStringList();
    QTest::newRow("33 spaces end the list") << "12**" + QString(33, u' ') + "**89" << first;
    QTest::newRow("so do 33 other characters") << "12**" + QString(30, u'x') + "\r\n\t" + "**89" << first;
    QTest::newRow("32 spaces do not") << "12**" + QString(32, u' ') + "**89" << both;
    QTest::newRow("leading and trailing gaps do not") << QString(40, u'-') + "12** **89" + QString(40, u' ') << both;
    QTest::newRow("1**2 and 1*6*") << "1**2 1*6*" << QStringList{"1**2", "1*6*"};
    QTest::newRow("four stars") << "****" << QStringList{"****"};
    QTest::newRow("one star in each place, and none")
        << "*234 1*34 12*4 123* 5678" << QStringList{"*234", "1*34", "12*4", "123*", "5678"};
}

void TestFiltersLists::positionalPatterns()
{
    QFETCH(QString, text);
    QFETCH(QStringList, applied);
    auto m = afterBox(6, text);
    COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
        return std::any_of(applied.begin(), applied.end(), [&](const QString &p) { return matchesPattern(p, d); });
    });
    if (applied.size() == 2 && applied.first() == QStringLiteral("12**"))
        QCOMPARE(markedCount(m), 199);
}

void TestFiltersLists::severalBoxesMarkOnce()
{
    EnteredListSelection s;
    s.boxes[0] = QStringLiteral("1289");
    s.boxes[2] = QStringLiteral("89");
    s.boxes[6] = QStringLiteral("12**");
    CandidateSet m;
    entered_list_filters(s, m);
    QCOMPARE(m.contains(1289), int16_t(1));
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) {
        return containsCombination(d, QStringLiteral("89")) || matchesPattern(QStringLiteral("12**"), d);
    });
}

void TestFiltersLists::runClassCounts_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("run");
    QTest::addColumn<int>("killed");
    QTest::newRow("4连") << "4连" << 4 << 240;
    QTest::newRow("3连") << "3连" << 3 << 1560;
    QTest::newRow("2连") << "2连" << 2 << 5300;
    QTest::newRow("不连") << "不连" << 1 << 2900;
}

void TestFiltersLists::runClassCounts()
{
    QFETCH(QString, caption);
    QFETCH(int, run);
    QFETCH(int, killed);
    auto m = afterExclusions({caption});
    QCOMPARE(markedCount(m), killed);
    COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return longestRunOf(d) == run; });
}

void TestFiltersLists::runClassExamples()
{
    // Nothing chosen marks nothing.
    QCOMPARE(markedCount(afterExclusions({})), 0);
    auto four = afterExclusions({QStringLiteral("4连")});
    for (int n : {1234, 9012, 8901, 7890})
        QVERIFY(isMarked(four, n));
    auto three = afterExclusions({QStringLiteral("3连")});
    for (int n : {1235, 9015, 8905})
        QVERIFY(isMarked(three, n));
    auto two = afterExclusions({QStringLiteral("2连")});
    for (int n : {1258, 1582, 1528, 1122, 1112, 90, 1106})
        QVERIFY2(isMarked(two, n), qPrintable(QString::number(n)));
    for (int n : {4499, 1234, 1358})
        QVERIFY2(!isMarked(two, n), qPrintable(QString::number(n)));
    auto none = afterExclusions({QStringLiteral("不连")});
    for (int n : {1358, 4499, 7777})
        QVERIFY(isMarked(none, n));
}

void TestFiltersLists::repetitionShapeCounts_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("killed");
    QTest::newRow("ABCD") << "ABCD" << 5040;
    QTest::newRow("AABC") << "AABC" << 4320;
    QTest::newRow("AAAB") << "AAAB" << 360;
    QTest::newRow("AABB") << "AABB" << 270;
    QTest::newRow("AAAA") << "AAAA" << 10;
}

void TestFiltersLists::repetitionShapeCounts()
{
    QFETCH(QString, shape);
    QFETCH(int, killed);
    auto m = afterExclusions({shape});
    QCOMPARE(markedCount(m), killed);
    COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
        return QString::fromUtf16(kExclusionCaptions[4 + repetitionShapeOf(d)]) == shape;
    });
}

void TestFiltersLists::repetitionShapeExamples()
{
    auto m = afterExclusions({QStringLiteral("AABB")});
    for (int n : {1122, 1212, 4499})
        QVERIFY(isMarked(m, n));
    for (int n : {1112, 1211})
        QVERIFY(!isMarked(m, n));
}

void TestFiltersLists::minMaxExamples()
{
    QCOMPARE(markedCount(afterMinMax({}, {})), 0);
    auto twoToSix = afterMinMax(QStringLiteral("2"), QStringLiteral("6"));
    for (int n : {2246, 3256, 4256})
        QVERIFY(!isMarked(twoToSix, n));
    for (int n : {1256, 2257})
        QVERIFY(isMarked(twoToSix, n));

    auto fives = afterMinMax(QStringLiteral("5"), QStringLiteral("5"));
    QCOMPARE(markedCount(fives), kCandidateCount - 1);
    QVERIFY(!isMarked(fives, 5555));

    QCOMPARE(markedCount(afterMinMax(QStringLiteral("8"), QStringLiteral("1"))), kCandidateCount);

    auto zero = afterMinMax(QStringLiteral("0"), {});
    QCOMPARE(kCandidateCount - markedCount(zero), 3439);

    auto several = afterMinMax(QStringLiteral("13"), QStringLiteral("79"));
    COMPARE_WITH_REFERENCE(several, [](const Digits &d) {
        const int low = *std::min_element(d.begin(), d.end());
        const int high = *std::max_element(d.begin(), d.end());
        return !(low == 1 || low == 3) || !(high == 7 || high == 9);
    });
}

void TestFiltersLists::everyFamilyWritesOnlyItsOwnRow()
{
    // Each family on its own writes the row it writes within the full run.
    const Selections all = everyFamily();
    ShrinkState full;
    run_shrink(all, full);
    std::vector<std::pair<int, Selections>> single;
    single.emplace_back(EnteredListRow, Selections{}); single.back().second.entered = all.entered;
    single.emplace_back(PositionalKillRow, Selections{}); single.back().second.positionalKill = all.positionalKill;
    single.emplace_back(SumSpanRow, Selections{}); single.back().second.sumSpan = all.sumSpan;
    single.emplace_back(DanRow, Selections{}); single.back().second.dan = all.dan;
    single.emplace_back(RatioRow, Selections{}); single.back().second.ratios = all.ratios;
    single.emplace_back(ShapeRow, Selections{}); single.back().second.shapes = all.shapes;
    for (PatternGrid g : {BigSmallGrid, OddEvenGrid, PrimeCompositeGrid, RouteGrid}) {
        single.emplace_back(int(BigSmallRow) + int(g), Selections{});
        single.back().second.patterns.lists[g] = all.patterns.lists[g];
    }
    single.emplace_back(SpecialExclusionRow, Selections{}); single.back().second.specialExclusions = all.specialExclusions;
    single.emplace_back(MinMaxRow, Selections{}); single.back().second.minMax = all.minMax;

    QCOMPARE(int(single.size()), MinMaxRow);
    for (const auto &[row, selection] : single) {
        ShrinkState alone;
        run_shrink(selection, alone);
        QVERIFY2(markedCount(*alone.matrix, row) > 0, qPrintable(QString::number(row)));
        for (int r = EnteredListRow; r <= LastSummedRow; ++r) {
            const int expected = r == row ? markedCount(*full.matrix, row) : 0;
            QCOMPARE(markedCount(*alone.matrix, r), expected);
        }
        QVERIFY(alone.matrix->row(MatrixRow(row)) == full.matrix->row(MatrixRow(row)));
    }
}

void TestFiltersLists::progressStepFallsBetweenBigSmallAndOddEven()
{
    const Selections all = everyFamily();
    ShrinkState state;
    QList<double> steps;
    run_shrink(all, state, [&](double fraction) {
        steps.append(fraction);
        if (fraction != 0.5)
            return;
        for (int r = EnteredListRow; r <= BigSmallRow; ++r)
            QVERIFY(markedCount(*state.matrix, r) > 0);
        for (int r = OddEvenRow; r <= MinMaxRow; ++r)
            QCOMPARE(markedCount(*state.matrix, r), 0);
    });
    QCOMPARE(steps, (QList<double>{0.5, 0.8}));
}

void TestFiltersLists::failedFamiliesCountOncePerRow()
{
    // 0003 fails both the sum tail and the span (one row) and nothing else.
    Selections s;
    s.sumSpan.sumTails[3] = true;
    s.sumSpan.spans[3] = true;
    s.total = {1, 1};
    ShrinkState state;
    run_shrink(s, state);
    const ResultList survivors = collect_survivors(state);
    QVERIFY(survivors.text.startsWith(QStringLiteral("0003 ")));
    QCOMPARE(survivors.count, countWhere([](const Digits &d) {
        const int sum = d[0] + d[1] + d[2] + d[3];
        const int span = *std::max_element(d.begin(), d.end()) - *std::min_element(d.begin(), d.end());
        return sum % 10 == 3 || span == 3;
    }));
}

QTEST_APPLESS_MAIN(TestFiltersLists)
#include "tst_filters_lists.moc"
