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
            failures += m.cell(r, n);
        QCOMPARE(rows[i].number, n);
        QCOMPARE(rows[i].kept, m.cell(0, n) == 0);
        QCOMPARE(rows[i].failedConditions, failures);
        for (int r = 1; r <= 12; ++r)
            QCOMPARE(bool(rows[i].markedBy & (1 << (r - 1))), m.cell(r, n) == 1);
        failureCounts.insert(failures);
        kept += rows[i].kept ? 1 : 0;
    }
    // The history reaches kept and killed draws and several failure counts.
    QVERIFY(kept > 0 && kept < rows.size());
    QVERIFY(failureCounts.size() >= 3);
}

void TestBacktest::readsOnlyTheMatrix()
{
    // A matrix no run could make: a kill row that contradicts the marks. The
    // back-test reports what the matrix holds.
    auto m = std::make_unique<CandidateMatrix>();
    m->row(RatioRow).insert(42);
    m->row(MinMaxRow).insert(42);
    m->row(KillRow).insert(7);
    const int numbers[] = {42, 7, 9999, 42};
    const QList<BacktestRow> rows = backtest(*m, numbers);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].failedConditions, 2);
    QCOMPARE(rows[0].kept, true);
    QCOMPARE(rows[0].markedBy, FamilySet(1 << 4 | 1 << 11));
    QCOMPARE(rows[1].kept, false);
    QCOMPARE(rows[1].failedConditions, 0);
    QCOMPARE(rows[1].markedBy, FamilySet(0));
    QCOMPARE(rows[2].kept, true);
    QCOMPARE(rows[3].number, 42);
    QVERIFY(backtest(*m, {}).isEmpty());
}

QTEST_GUILESS_MAIN(TestBacktest)
#include "tst_backtest.moc"
