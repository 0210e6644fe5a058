#include "core/history.h"
#include "filters/backtest.h"
#include "filters/shrink_run.h"

#include <QRandomGenerator>
#include <QTest>
#include <set>

// Back-testing past draws reads the matrix of one run; every row it gives is
// checked here against the matrix read by a plain loop.
class TestBacktest : public QObject
{
    Q_OBJECT
private slots:
    void syntheticHistoryAgreesWithTheFullRun();
    void readsOnlyTheMatrix();
    void summaryCountsKeptDrawsAndFamilies();
    void activeFamiliesAreThoseThatMarkSomething();
    void survivorDistributionByDigits();
};

namespace {
// Several families at once, a base set, and a tolerance that lets one
// failure through, so kept, killed and every failure count occur.
Selections mixedSelections()
{
    Selections s;
    s.entered.boxes[0] = QStringLiteral("1234 5678 0000");
    s.positionalKill.struck[10 * 0 + 9] = true;
    s.sumSpan.sumTails[3] = true;
    s.sumSpan.spans[9] = true;
    s.ratios.lists[0] = QStringLiteral("4:0*");
    s.shapes.list = QStringLiteral("上山*");
    s.patterns.lists[OddEvenGrid] = QStringLiteral("奇奇奇奇*");
    s.specialExclusions.captions = {QStringLiteral("AAAB")};
    s.minMax.largest = QStringLiteral("56789");
    QString base;
    for (int n = 0; n < 10000; n += 3)
        base += four_digits(n) + u' ';
    s.baseSetText = base;
    s.total = {0, 1};
    return s;
}

// A history in every accepted form, 600 draws drawn at random.
QString syntheticHistory(QList<int> &numbers)
{
    QRandomGenerator random(2024);
    QString text = QStringLiteral("# issue draw\n");
    for (int i = 0; i < 600; ++i) {
        const int n = int(random.bounded(10000));
        numbers.append(n);
        const QString digits = four_digits(n);
        switch (i % 3) {
        case 0: text += QStringLiteral("%1 %2\n").arg(2024001 + i).arg(digits); break;
        case 1: text += QStringLiteral("%1期 %2,%3,%4,%5\r\n").arg(2024001 + i).arg(digits[0]).arg(digits[1]).arg(digits[2]).arg(digits[3]); break;
        default: text += digits + u'\n'; break;
        }
    }
    return text;
}
}

void TestBacktest::syntheticHistoryAgreesWithTheFullRun()
{
    ShrinkState state;
    run_shrink(mixedSelections(), state);
    const CandidateMatrix &m = *state.matrix;

    QList<int> drawn;
    const DrawHistory history = read_draw_history(syntheticHistory(drawn));
    QCOMPARE(history.malformed.size(), 0);
    QCOMPARE(history.draws.size(), drawn.size());
    QList<int> numbers;
    for (const Draw &draw : history.draws)
        numbers.append(draw.number);
    QCOMPARE(numbers, drawn);

    const QList<BacktestRow> rows = backtest(m, numbers);
    QCOMPARE(rows.size(), numbers.size());
    std::set<int> failureCounts;
    int kept = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int n = numbers[i];
        int failures = 0;
        for (int r = 1; r <= 49; ++r)
            failures += m.cells[r][n];
        QCOMPARE(rows[i].number, n);
        QCOMPARE(rows[i].kept, m.cells[0][n] == 0);
        QCOMPARE(rows[i].failedConditions, failures);
        for (int r = 1; r <= 12; ++r)
            QCOMPARE(bool(rows[i].markedBy & (1 << (r - 1))), m.cells[r][n] == 1);
        failureCounts.insert(failures);
        kept += rows[i].kept ? 1 : 0;
    }
    // The history reaches kept and killed draws and several failure counts.
    QVERIFY(kept > 0 && kept < rows.size());
    QVERIFY(failureCounts.size() >= 3);
}

void TestBacktest::readsOnlyTheMatrix()
{
    // A matrix no run could make: marks in rows 13-49, and a kill row that
    // contradicts them. The back-test reports what the matrix holds.
    auto m = std::make_unique<CandidateMatrix>();
    m->cells[13][42] = 1;
    m->cells[49][42] = 1;
    m->cells[5][42] = 1;
    m->cells[0][7] = 1;
    const int numbers[] = {42, 7, 9999, 42};
    const QList<BacktestRow> rows = backtest(*m, numbers);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].failedConditions, 3);
    QCOMPARE(rows[0].kept, true);
    QCOMPARE(rows[0].markedBy, FamilySet(1 << 4));
    QCOMPARE(rows[1].kept, false);
    QCOMPARE(rows[1].failedConditions, 0);
    QCOMPARE(rows[1].markedBy, FamilySet(0));
    QCOMPARE(rows[2].kept, true);
    QCOMPARE(rows[3].number, 42);
    QVERIFY(backtest(*m, {}).isEmpty());
}

void TestBacktest::summaryCountsKeptDrawsAndFamilies()
{
    ShrinkState state;
    run_shrink(mixedSelections(), state);
    const CandidateMatrix &m = *state.matrix;
    QList<int> numbers;
    for (int n = 0; n < 10000; n += 7)
        numbers.append(n);
    const QList<BacktestRow> rows = backtest(m, numbers);
    const BacktestSummary summary = summarize_backtest(rows);
    QCOMPARE(summary.draws, numbers.size());
    int kept = 0;
    std::array<int, 12> marked{};
    for (int n : numbers) {
        kept += m.cells[0][n] == 0 ? 1 : 0;
        for (int r = 1; r <= 12; ++r)
            marked[r - 1] += m.cells[r][n];
    }
    QCOMPARE(summary.kept, kept);
    for (int f = 0; f < 12; ++f)
        QCOMPARE(summary.markedBy[f], marked[f]);
    QCOMPARE(summarize_backtest({}).draws, 0);
}

void TestBacktest::activeFamiliesAreThoseThatMarkSomething()
{
    ShrinkState state;
    run_shrink(Selections(), state);
    QCOMPARE(active_families(*state.matrix), FamilySet(0));
    run_shrink(mixedSelections(), state);
    FamilySet expected = 0;
    for (int r = 1; r <= 12; ++r) {
        for (int c = 0; c < 10000; ++c) {
            if (state.matrix->cells[r][c] != 0)
                expected |= FamilySet(1 << (r - 1));
        }
    }
    QCOMPARE(active_families(*state.matrix), expected);
    // Dan groups (row 4) and route patterns (row 10) are not chosen above.
    QCOMPARE(expected & FamilySet(1 << 3), 0);
    QCOMPARE(expected & FamilySet(1 << 9), 0);
    QVERIFY(expected & FamilySet(1 << 0));
    for (int r = 1; r <= 12; ++r)
        QVERIFY(!family_caption(r).isEmpty());
}

void TestBacktest::survivorDistributionByDigits()
{
    ShrinkState state;
    run_shrink(mixedSelections(), state);
    const CandidateMatrix &m = *state.matrix;
    const SurvivorDistribution d = survivor_distribution(m);
    std::array<int, 37> sums{};
    std::array<int, 10> spans{};
    std::array<int, 5> shapes{};   // AAAA, AAAB, AABC, AABB, ABCD
    int survivors = 0;
    for (int n = 0; n < 10000; ++n) {
        if (m.cells[0][n] != 0)
            continue;
        const int digits[4] = {n / 1000, n / 100 % 10, n / 10 % 10, n % 10};
        int counts[10] = {};
        int low = 9, high = 0, distinct = 0, most = 0;
        for (int digit : digits) {
            low = std::min(low, digit);
            high = std::max(high, digit);
            distinct += counts[digit]++ == 0 ? 1 : 0;
            most = std::max(most, counts[digit]);
        }
        ++survivors;
        ++sums[digits[0] + digits[1] + digits[2] + digits[3]];
        ++spans[high - low];
        const int shape = distinct == 1 ? 0 : distinct == 3 ? 2 : distinct == 4 ? 4 : most == 3 ? 1 : 3;
        ++shapes[shape];
    }
    QVERIFY(survivors > 0);
    QCOMPARE(d.survivors, survivors);
    QCOMPARE(d.sums, sums);
    QCOMPARE(d.spans, spans);
    QCOMPARE(d.shapes, shapes);
    QCOMPARE(repetition_caption(1).toString(), QStringLiteral("AAAB"));
    QCOMPARE(repetition_caption(3).toString(), QStringLiteral("AABB"));
}

QTEST_GUILESS_MAIN(TestBacktest)
#include "tst_backtest.moc"
