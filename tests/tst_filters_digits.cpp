#include "enginetestsupport.h"
#include "filters/dan_groups.h"
#include "filters/digit_kills.h"

#include <QTest>
#include <algorithm>

namespace {
PositionalKillSelection positional(const QList<int> &struckIndices, int from, int to)
{
    PositionalKillSelection s;
    for (int i : struckIndices)
        s.struck[i] = true;
    s.tolerance = {int16_t(from), int16_t(to)};
    return s;
}

SumSpanSelection sumList(const QString &text)
{
    SumSpanSelection s;
    s.sumValueText = text;
    return s;
}

DanSelection danRow(const QString &digits, const QString &counts, bool countRepeats = false, int from = 0, int to = 0)
{
    DanSelection s;
    s.digits[0] = digits;
    s.counts[0] = counts;
    s.countRepeats = countRepeats;
    s.tolerance = {int16_t(from), int16_t(to)};
    return s;
}

// Hits of a dan row counted the way the player reads them.
int hits(const Digits &d, const QString &danDigits, bool countRepeats)
{
    int h = 0;
    if (countRepeats) {
        for (int digit : d)
            h += danDigits.contains(QChar(u'0' + digit)) ? 1 : 0;
    } else {
        for (QChar ch : danDigits)
            h += has(d, ch.digitValue()) ? 1 : 0;
    }
    return h;
}
}

class TestFiltersDigits : public QObject
{
    Q_OBJECT

private slots:
    // Positional kill grid with its own tolerance.
    void positionalMarksAllOrNothing_data();
    void positionalMarksAllOrNothing();
    void positionalWrongCountsUpToFour_data();
    void positionalWrongCountsUpToFour();

    // Sum tail, sum value, span, kill-all digits, AC value.
    void sumListKillsListedSums_data();
    void sumListKillsListedSums();
    void spanCounts();
    void acValueCounts();
    void acValueExamples();
    void sumGroupMarksOncePerCandidate();

    // Dan groups.
    void danNothingSelectedLeavesRowEmpty();
    void danCountRepeatsCountsPositions();
    void danFiveDigitsFourHits();
    void danTwoRowsToleranceOneToOne();
    void danToleranceRanges();
    void danCountsWithoutDigitsHaveNoEffect();
};

void TestFiltersDigits::positionalMarksAllOrNothing_data()
{
    QTest::addColumn<QList<int>>("struck");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("marked");
    QTest::newRow("nothing struck") << QList<int>{} << 2 << 1 << 0;
    QTest::newRow("tolerance from above to") << QList<int>{5} << 2 << 1 << kCandidateCount;
    QTest::newRow("every digit of a position struck") << QList<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29} << 0 << 0
                                                      << kCandidateCount;
    QTest::newRow("a position with nothing struck never counts") << QList<int>{13, 17} << 0 << 1 << 0;
}

void TestFiltersDigits::positionalMarksAllOrNothing()
{
    QFETCH(QList<int>, struck);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, marked);
    CandidateSet m;
    filter_positional_kill(positional(struck, from, to), m);
    QCOMPARE(markedCount(m), marked);
}

void TestFiltersDigits::positionalWrongCountsUpToFour_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    for (int from = 0; from <= 4; ++from) {
        for (int to = from; to <= 4; ++to)
            QTest::addRow("%d-%d", from, to) << from << to;
    }
}

// Two struck digits in every position, so a number can be wrong in zero to
// all four positions; each tolerance keeps exactly the numbers whose count of
// wrong positions lies in it.
void TestFiltersDigits::positionalWrongCountsUpToFour()
{
    QFETCH(int, from);
    QFETCH(int, to);
    CandidateSet m;
    filter_positional_kill(positional({1, 7, 12, 18, 23, 29, 34, 30}, from, to), m);
    const int struck[4][2] = {{1, 7}, {2, 8}, {3, 9}, {4, 0}};
    COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
        int wrong = 0;
        for (int p = 0; p < 4; ++p)
            wrong += d[p] == struck[p][0] || d[p] == struck[p][1];
        return wrong < from || wrong > to;
    });
}

void TestFiltersDigits::sumListKillsListedSums_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("sums");
    QTest::addColumn<int>("killed");
    QTest::newRow("two-digit list") << "00 05 08 16" << QList<int>{0, 5, 8, 16} << 855;
    QTest::newRow("digits run together") << "123" << QList<int>{12, 23} << 895;
    QTest::newRow("lone digit matches nothing") << "5" << QList<int>{} << 0;
    QTest::newRow("full-width comma separates") << "05，08" << QList<int>{5, 8} << 56 + 165;
    QTest::newRow("padded, tabs and line breaks") << "  16\t\n33 " << QList<int>{16, 33} << 633 + 20;
    QTest::newRow("pairs above 36 match no sum") << "99 37" << QList<int>{} << 0;
    QTest::newRow("no digit at all") << "abc" << QList<int>{} << 0;
    QTest::newRow("empty") << "" << QList<int>{} << 0;
    QTest::newRow("the hint") << "和值输入要保持2位数，例如：00 05 08 16" << QList<int>{} << 0;
    QTest::newRow("ignored while the hint remains") << "16 例如：00" << QList<int>{} << 0;
}

void TestFiltersDigits::sumListKillsListedSums()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, sums);
    QFETCH(int, killed);
    CandidateSet m;
    filter_sum_span_group(sumList(text), m);
    QCOMPARE(markedCount(m), killed);
    COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return sums.contains(sumOf(d)); });
}

void TestFiltersDigits::spanCounts()
{
    const int expected[10] = {10, 126, 400, 770, 1164, 1510, 1736, 1770, 1540, 974};
    for (int span = 0; span < 10; ++span) {
        SumSpanSelection s;
        s.spans[span] = true;
        CandidateSet m;
        filter_sum_span_group(s, m);
        QCOMPARE(markedCount(m), expected[span]);
        COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return spanOf(d) == span; });
    }
    SumSpanSelection all;
    all.spans.fill(true);
    CandidateSet m;
    filter_sum_span_group(all, m);
    QCOMPARE(markedCount(m), kCandidateCount);
}

void TestFiltersDigits::acValueCounts()
{
    const int expected[6] = {10, 630, 1008, 4896, 2016, 1440};
    for (int i = 0; i < 6; ++i) {
        SumSpanSelection s;
        s.acValues[i] = true;
        CandidateSet m;
        filter_sum_span_group(s, m);
        QCOMPARE(markedCount(m), expected[i]);
        COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return acValueOf(d) == i + 1; });
    }
    SumSpanSelection all;
    all.acValues.fill(true);
    CandidateSet m;
    filter_sum_span_group(all, m);
    QCOMPARE(markedCount(m), kCandidateCount);
}

void TestFiltersDigits::acValueExamples()
{
    const struct { int candidate; int ac; } examples[] = {{7552, 4}, {9814, 6}, {1111, 1}};
    for (const auto &e : examples) {
        for (int i = 0; i < 6; ++i) {
            SumSpanSelection s;
            s.acValues[i] = true;
            CandidateSet m;
            filter_ac_value(s, m);
            QCOMPARE(isMarked(m, e.candidate), i + 1 == e.ac);
        }
    }
}

void TestFiltersDigits::sumGroupMarksOncePerCandidate()
{
    // 0003 has sum tail 3 and span 3: two reasons, one mark.
    SumSpanSelection s;
    s.sumTails[3] = true;
    s.spans[3] = true;
    s.sumValueText = QStringLiteral("03");
    s.killAllDigits[3] = true;
    CandidateSet m;
    filter_sum_span_group(s, m);
    QCOMPARE(m.contains(3), int16_t(1));
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) {
        return sumOf(d) % 10 == 3 || spanOf(d) == 3 || has(d, 3);
    });
}

void TestFiltersDigits::danNothingSelectedLeavesRowEmpty()
{
    DanSelection s;
    s.counts[0] = QStringLiteral("0");
    s.tolerance = {2, 1};
    CandidateSet m;
    filter_dan_groups(s, m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersDigits::danCountRepeatsCountsPositions()
{
    // 1123 holds both dan digits (2 hits) on three positions (3 hits).
    for (bool countRepeats : {false, true}) {
        for (const QString &counts : {QStringLiteral("2"), QStringLiteral("3")}) {
            CandidateSet m;
            filter_dan_groups(danRow(QStringLiteral("12"), counts, countRepeats), m);
            const int accepted = counts.toInt();
            QCOMPARE(isMarked(m, 1123), accepted != (countRepeats ? 3 : 2));
            COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
                return hits(d, QStringLiteral("12"), countRepeats) != accepted;
            });
        }
    }
    // Without a repeated dan digit both ways agree.
    CandidateSet off;
    CandidateSet on;
    filter_dan_groups(danRow(QStringLiteral("12"), QStringLiteral("2")), off);
    filter_dan_groups(danRow(QStringLiteral("12"), QStringLiteral("2"), true), on);
    QCOMPARE(isMarked(off, 1253), isMarked(on, 1253));
    QVERIFY(!isMarked(on, 1253));
}

void TestFiltersDigits::danFiveDigitsFourHits()
{
    CandidateSet m;
    filter_dan_groups(danRow(QStringLiteral("12345"), QStringLiteral("4")), m);
    QCOMPARE(kCandidateCount - markedCount(m), 120);
    QVERIFY(!isMarked(m, 5321));
    QVERIFY(isMarked(m, 1123));
}

void TestFiltersDigits::danTwoRowsToleranceOneToOne()
{
    DanSelection s;
    s.digits = {QStringLiteral("12"), QString(), QStringLiteral("789"), QString()};
    s.counts = {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("23"), QString()};
    for (bool countRepeats : {false, true}) {
        s.countRepeats = countRepeats;
        s.tolerance = {1, 1};
        CandidateSet m;
        filter_dan_groups(s, m);
        COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
            const int h0 = hits(d, QStringLiteral("12"), countRepeats);
            const int h2 = hits(d, QStringLiteral("789"), countRepeats);
            const int wrong = (h0 != 1) + (h2 != 2 && h2 != 3);
            return wrong != 1;
        });
    }
}

void TestFiltersDigits::danToleranceRanges()
{
    DanSelection s;
    s.digits = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    s.tolerance = {0, 4};
    CandidateSet m;
    filter_dan_groups(s, m);
    QCOMPARE(markedCount(m), 0);

    s.tolerance = {2, 1};
    CandidateSet all;
    filter_dan_groups(s, all);
    QCOMPARE(markedCount(all), kCandidateCount);
}

void TestFiltersDigits::danCountsWithoutDigitsHaveNoEffect()
{
    DanSelection s;
    s.digits[1] = QStringLiteral("5");
    s.counts = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("4"), QString()};
    CandidateSet m;
    filter_dan_groups(s, m);
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) { return !has(d, 5); });
}

QTEST_APPLESS_MAIN(TestFiltersDigits)
#include "tst_filters_digits.moc"
