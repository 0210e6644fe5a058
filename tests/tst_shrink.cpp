#include "filters/shrink_run.h"

#include <QTest>
#include <algorithm>

// The shrink pipeline without any condition family: matrix, base set, total
// tolerance, list format and inversion.
class TestShrink : public QObject
{
    Q_OBJECT
private slots:
    void fillWritesDigitRowsAndClearsResult();
    void nothingSelectedKeepsAll();
    void toleranceFromAboveToKillsAll();
    void toleranceCountsMarkedRows_data();
    void toleranceCountsMarkedRows();
    void countedBetweenCountsEveryCandidate_data();
    void countedBetweenCountsEveryCandidate();
    void baseSet_data();
    void baseSet();
    void baseSetWithFullToleranceKeepsExactlyTheSet();
    void fiveSurvivorsMakeTwoLines();
    void inversionListsTheEliminatedAgain();
};

namespace {
Selections withBase(const QString &text)
{
    Selections s;
    s.baseSetText = text;
    return s;
}

QStringList survivors(const Selections &s)
{
    ShrinkState state;
    run_shrink(s, state);
    return collect_survivors(state).text.split(u' ', Qt::SkipEmptyParts);
}
}

void TestShrink::fillWritesDigitRowsAndClearsResult()
{
    ShrinkState state;
    state.ResultText = QStringLiteral("0001");
    fill_candidate_matrix(state);
    QVERIFY(state.ResultText.isEmpty());
    const CandidateMatrix &m = *state.matrix;
    for (int c : {0, 7, 1234, 9080, 9999}) {
        QCOMPARE(m.cell(ThousandsRow, c), c / 1000);
        QCOMPARE(m.cell(HundredsRow, c), c / 100 % 10);
        QCOMPARE(m.cell(TensRow, c), c / 10 % 10);
        QCOMPARE(m.cell(UnitsRow, c), c % 10);
        for (int r = KillRow; r <= BaseRow; ++r)
            QCOMPARE(m.cell(r, c), 0);
    }
}

void TestShrink::nothingSelectedKeepsAll()
{
    ShrinkState state;
    run_shrink(Selections(), state);
    const ResultList result = collect_survivors(state);
    QCOMPARE(result.count, 10000);
    QCOMPARE(display_lines(result.text).size(), 2500);
    QCOMPARE(display_lines(result.text).first(), QStringLiteral("0000 0001 0002 0003 "));
    QCOMPARE(display_lines(result.text).last(), QStringLiteral("9996 9997 9998 9999 "));
    QVERIFY(state.ResultText.startsWith(QStringLiteral("0000 0001 ")));
    QVERIFY(state.ResultText.endsWith(QStringLiteral(" 9999")));
    QCOMPARE(state.ResultText.size(), 10000 * 5 - 1);
}

void TestShrink::toleranceFromAboveToKillsAll()
{
    Selections s;
    s.total = {2, 1};
    ShrinkState state;
    run_shrink(s, state);
    const ResultList result = collect_survivors(state);
    QCOMPARE(result.count, 0);
    QVERIFY(display_lines(result.text).isEmpty());
    QVERIFY(state.ResultText.isEmpty());
}

void TestShrink::toleranceCountsMarkedRows_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("kept");
    // Candidate 5 carries marks in rows 1 and 3, candidate 6 in row 3 only
    // and candidate 7 in the last family's row, 12.
    QTest::newRow("0-0") << 0 << 0 << 9997;
    QTest::newRow("1-1") << 1 << 1 << 2;
    QTest::newRow("2-2") << 2 << 2 << 1;
    QTest::newRow("0-12") << 0 << 12 << 10000;
}

void TestShrink::toleranceCountsMarkedRows()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, kept);
    ShrinkState state;
    fill_candidate_matrix(state);
    CandidateMatrix &m = *state.matrix;
    m.row(EnteredListRow).insert(5);
    m.row(SumSpanRow).insert(5);
    m.row(SumSpanRow).insert(6);
    m.row(MinMaxRow).insert(7);
    apply_tolerance(m, {int16_t(from), int16_t(to)}, 0);
    QCOMPARE(collect_survivors(state).count, kept);
}

void TestShrink::countedBetweenCountsEveryCandidate_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("in none") << 0 << 0;
    QTest::newRow("in every set") << 12 << 12;
    QTest::newRow("from below zero") << -3 << 1;
    QTest::newRow("to above the sets") << 5 << 40;
    QTest::newRow("from above to") << 3 << 2;
    QTest::newRow("eleven") << 11 << 11;
}

// Twelve sets, as many as the families, counted side by side in bit planes:
// every candidate's count is compared with a plain count, the last partial
// word included, and no candidate past 9999 may appear.
void TestShrink::countedBetweenCountsEveryCandidate()
{
    QFETCH(int, low);
    QFETCH(int, high);
    std::array<CandidateSet, 12> sets;
    for (int c = 0; c < kCandidateCount; ++c) {
        for (int k = 0; k < 12; ++k) {
            if ((c * 7 + k * 13) % (k + 2) == 0)
                sets[k].insert(c);
        }
    }
    for (CandidateSet &set : sets) {
        set.insert(9999);
        set.insert(9985);
    }
    sets[3].words.back() &= ~(uint64_t(1) << (9985 % 64));    // 9985 is in eleven sets

    const CandidateSet between = counted_between(sets, low, high);
    int expected = 0;
    for (int c = 0; c < kCandidateCount; ++c) {
        const int count = int(std::count_if(sets.begin(), sets.end(), [c](const CandidateSet &s) { return s.contains(c); }));
        const bool in = count >= low && count <= high;
        if (between.contains(c) != in)
            QFAIL(qPrintable(QStringLiteral("%1 in %2 sets").arg(c).arg(count)));
        expected += in ? 1 : 0;
    }
    QCOMPARE(between.size(), expected);
}

void TestShrink::baseSet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("kept");
    const QStringList all; // marker: every candidate
    const QStringList three{QStringLiteral("0001"), QStringLiteral("0123"), QStringLiteral("9999")};
    QTest::newRow("empty box") << QString() << all;
    QTest::newRow("hint") << QStringLiteral("大底号码，双击清空\n") << all;
    QTest::newRow("only blanks") << QStringLiteral("  \n\t \r\n") << all;
    QTest::newRow("another 号码 text") << QStringLiteral("1234 号码 5678") << all;
    QTest::newRow("three lines") << QStringLiteral("0001\n0123\n9999") << three;
    QTest::newRow("descending, CR LF, runs") << QStringLiteral("9999   \r\n\r\n  0123      0001") << three;
    QTest::newRow("comma separated") << QStringLiteral("1234,5678")
                                     << QStringList{QStringLiteral("1234"), QStringLiteral("5678")};
    QTest::newRow("tabs and full-width") << QStringLiteral("9999\t0001，0123")  << three;
    QTest::newRow("duplicates") << QStringLiteral("0123 0123 0123") << QStringList{QStringLiteral("0123")};
    QTest::newRow("wrong lengths only") << QStringLiteral("123 12345") << QStringList{QString()};
    QTest::newRow("letters only") << QStringLiteral("abcd") << QStringList{QString()};
}

void TestShrink::baseSet()
{
    QFETCH(QString, text);
    QFETCH(QStringList, kept);
    const QStringList result = survivors(withBase(text));
    if (kept.isEmpty())
        QCOMPARE(result.size(), 10000);
    else if (kept == QStringList{QString()})
        QVERIFY(result.isEmpty());
    else
        QCOMPARE(result, kept);
}

void TestShrink::baseSetWithFullToleranceKeepsExactlyTheSet()
{
    Selections s = withBase(QStringLiteral("4321 0007"));
    s.total = {0, 12};
    QCOMPARE(survivors(s), (QStringList{QStringLiteral("0007"), QStringLiteral("4321")}));
}

void TestShrink::fiveSurvivorsMakeTwoLines()
{
    ShrinkState state;
    run_shrink(withBase(QStringLiteral("0011 0010 0005 0002 0001")), state);
    const ResultList result = collect_survivors(state);
    QCOMPARE(display_lines(result.text), (QStringList{QStringLiteral("0001 0002 0005 0010 "), QStringLiteral("0011 ")}));
    QCOMPARE(result.count, 5);
    QCOMPARE(state.ResultText, QStringLiteral("0001 0002 0005 0010 0011"));
}

void TestShrink::inversionListsTheEliminatedAgain()
{
    ShrinkState state;
    fill_candidate_matrix(state);
    QCOMPARE(invert_result(state).count, 0); // nothing eliminated before a run

    QString base;
    for (int n = 0; n < 600; ++n)
        base += QString::number(1000 + n) + u' ';
    run_shrink(withBase(base), state);
    QCOMPARE(collect_survivors(state).count, 600);
    const ResultList first = invert_result(state);
    QCOMPARE(first.count, 9400);
    QCOMPARE(display_lines(first.text).first(), QStringLiteral("0000 0001 0002 0003 "));
    const ResultList second = invert_result(state);
    QCOMPARE(second.text, first.text);
    QCOMPARE(state.ResultText, first.text);
    QVERIFY(!state.ResultText.contains(QStringLiteral("1000")));
}

QTEST_APPLESS_MAIN(TestShrink)
#include "tst_shrink.moc"
