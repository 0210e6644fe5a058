#include "filters/chance.h"
#include "filters/shrink_run.h"
#include "filters/tradeoff.h"

#include <QRandomGenerator>
#include <QTest>

// A back-test beside chance: the binomial figures against values worked
// out with exact fractions, and the tolerance trade-off of one run's matrix
// against a run at each tolerance.
class TestChance : public QObject
{
    Q_OBJECT
private slots:
    void figuresAgainstExactFractions_data();
    void figuresAgainstExactFractions();
    void smallCountsSummedExactly();
    void tradeoffMatchesARunAtEachTolerance();
};

namespace {
bool near(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}
}

void TestChance::figuresAgainstExactFractions_data()
{
    QTest::addColumn<int>("numbersKept");
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<double>("pValue");
    QTest::addColumn<int>("verdict");
    const int better = int(ChanceVerdict::Better), worse = int(ChanceVerdict::Worse),
              none = int(ChanceVerdict::NoDifference);
    // Worked out with Python's exact fractions.
    QTest::newRow("625 numbers, 10 of 10") << 625 << 10 << 10 << 0 << 2 << 9.094947017729282e-13 << better;
    QTest::newRow("1105 numbers, 130 of 1000") << 1105 << 1000 << 130 << 91 << 130 << 0.029761725759500656 << none;
    QTest::newRow("9000 numbers, 170 of 200") << 9000 << 200 << 170 << 171 << 188 << 0.9904916880530268 << worse;
    QTest::newRow("half, 61 of 100") << 5000 << 100 << 61 << 40 << 60 << 0.017600100108852407 << better;
    QTest::newRow("half, 40 of 100") << 5000 << 100 << 40 << 40 << 60 << 0.9823998998911476 << none;
    // The edges a binomial cannot take without care.
    QTest::newRow("nothing kept") << 0 << 20 << 0 << 0 << 0 << 1.0 << none;
    QTest::newRow("nothing kept, a draw kept") << 0 << 20 << 1 << 0 << 0 << 0.0 << better;
    QTest::newRow("everything kept") << 10000 << 20 << 20 << 20 << 20 << 1.0 << none;
    QTest::newRow("everything kept, a draw lost") << 10000 << 20 << 19 << 20 << 20 << 1.0 << worse;
    QTest::newRow("no draws") << 1105 << 0 << 0 << 0 << 0 << 1.0 << none;
}

void TestChance::figuresAgainstExactFractions()
{
    QFETCH(int, numbersKept);
    QFETCH(int, draws);
    QFETCH(int, kept);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(double, pValue);
    QFETCH(int, verdict);
    const ChanceFigures f = chance_figures(numbersKept, draws, kept);
    QCOMPARE(f.expected, double(draws) * numbersKept / 10000);
    QCOMPARE(f.range, (BinomialRange{low, high}));
    QVERIFY2(near(f.pValue, pValue), qPrintable(QString::number(f.pValue, 'g', 17)));
    QCOMPARE(int(f.verdict), verdict);
}

// Every k of Binomial(n, a / 10000) for n up to 8, in whole numbers over
// 10000^n: P(X = k) is C(n, k) a^k (10000 - a)^(n - k) of them.
void TestChance::smallCountsSummedExactly()
{
    using Exact = unsigned __int128;
    for (int n = 1; n <= 8; ++n) {
        for (const int a : {1, 625, 1105, 5000, 9999}) {
            Exact whole = 1, choose = 1;
            for (int i = 0; i < n; ++i)
                whole *= 10000;
            QList<Exact> atMost;
            Exact sum = 0;
            for (int k = 0; k <= n; ++k) {
                if (k > 0)
                    choose = choose * (n - k + 1) / k;
                Exact term = choose;
                for (int i = 0; i < n; ++i)
                    term *= i < k ? a : 10000 - a;
                atMost.append(sum += term);
            }
            QVERIFY(sum == whole);
            auto smallest = [&](Exact level) { return int(std::find_if(atMost.begin(), atMost.end(),
                                                                        [&](Exact c) { return c >= level; }) - atMost.begin()); };
            const double p = a / 10000.0;
            QCOMPARE(binomial_range95(n, p), (BinomialRange{smallest(whole / 1000 * 25), smallest(whole / 1000 * 975)}));
            for (int k = 1; k <= n; ++k)
                QVERIFY2(near(binomial_at_least(n, p, k), double(whole - atMost[k - 1]) / double(whole)),
                         qPrintable(QStringLiteral("n %1, a %2, k %3").arg(n).arg(a).arg(k)));
        }
    }
}

void TestChance::tradeoffMatchesARunAtEachTolerance()
{
    // Several families, one of them twice, and a base set that keeps
    // numbers out whatever the tolerance.
    Selections s;
    s.positionalKill.struck[10 * 1 + 4] = true;
    s.sumSpan.sumTails[3] = true;
    s.sumSpan.spans[9] = true;
    s.ratios.lists[0] = QStringLiteral("2:2*");
    s.shapes.list = QStringLiteral("下山*");
    s.specialExclusions.captions = {QStringLiteral("AABC")};
    s.minMax.largest = QStringLiteral("789");
    for (int n = 0; n < 10000; n += 7)
        s.baseSetText += QStringLiteral("%1 ").arg(n, 4, 10, QChar(u'0'));
    QRandomGenerator random(25);
    QList<int> draws;
    for (int i = 0; i < 400; ++i)
        draws.append(int(random.bounded(10000)));

    ShrinkState once;
    run_shrink(s, once);
    const QList<TradeoffRow> rows = tolerance_tradeoff(*once.matrix, once.BaseSetActive, draws);
    QVERIFY(rows.size() >= 4);
    for (int t = 0; t <= rows.size(); ++t) {
        s.total = {0, int16_t(t)};
        ShrinkState run;
        run_shrink(s, run);
        const CandidateSet &kill = run.matrix->row(KillRow);
        const int numbersKept = 10000 - kill.size();
        const int drawsKept = int(std::count_if(draws.begin(), draws.end(), [&](int n) { return !kill.contains(n); }));
        // One more tolerance than the table lists keeps nothing more.
        const ChanceFigures &row = rows[std::min<int>(t, int(rows.size()) - 1)].chance;
        QCOMPARE(row.numbersKept, numbersKept);
        QCOMPARE(row.kept, drawsKept);
        QCOMPARE(row.draws, 400);
        if (t < rows.size())
            QCOMPARE(rows[t].tolerance, t);
    }
    // The table ends at the first tolerance that keeps all it can.
    QVERIFY(rows[rows.size() - 2].chance.numbersKept < rows.last().chance.numbersKept);
}

QTEST_GUILESS_MAIN(TestChance)
#include "tst_chance.moc"
