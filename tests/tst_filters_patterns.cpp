#include "enginetestsupport.h"
#include "filters/patterns.h"

#include <QTest>

namespace {
const char *const kRatioCaptions[5] = {"0:4", "1:3", "2:2", "3:1", "4:0"};

RatioSelection ratios(const QString &bigSmall, const QString &oddEven = {}, const QString &primeComposite = {})
{
    RatioSelection s;
    s.lists = {bigSmall, oddEven, primeComposite};
    return s;
}

ShapeSelection shapes(const QString &list)
{
    ShapeSelection s;
    s.list = list;
    return s;
}

PatternSelection grid(PatternGrid which, const QString &list)
{
    PatternSelection s;
    s.lists[which] = list;
    return s;
}

// Every caption of a grid, built from its two (or three) characters with the
// thousands character first.
QStringList allPatterns(const QString &chars)
{
    QStringList patterns{QString()};
    for (int p = 0; p < 4; ++p) {
        QStringList longer;
        for (const QString &prefix : patterns)
            for (QChar ch : chars)
                longer.append(prefix + ch);
        patterns = longer;
    }
    return patterns;
}

void runGrid(PatternGrid which, const PatternSelection &s, CandidateSet &m)
{
    switch (which) {
    case BigSmallGrid: filter_big_small_pattern(s, m); break;
    case OddEvenGrid: filter_odd_even_pattern(s, m); break;
    case PrimeCompositeGrid: filter_prime_composite_pattern(s, m); break;
    case RouteGrid: filter_route_pattern(s, m); break;
    }
}

struct GridCase
{
    PatternGrid grid;
    QString chars;
};

const GridCase kGrids[] = {
    {BigSmallGrid, QStringLiteral("大小")},
    {OddEvenGrid, QStringLiteral("奇偶")},
    {PrimeCompositeGrid, QStringLiteral("质合")},
    {RouteGrid, QStringLiteral("012")},
};

QString patternOf(const GridCase &g, const Digits &d)
{
    return positionPattern(d, g.grid);
}
}

class TestFiltersPatterns : public QObject
{
    Q_OBJECT

private slots:
    // Ratios: selecting means the ratio must come out.
    void ratiosNothingSelectedLeavesRowEmpty();
    void ratioCountsPerSelector();
    void ratioFourBigAndFourEven();

    // Shapes: selecting means kill.
    void shapesNothingSelectedLeavesRowEmpty();
    void shapeHelpExamples();
    void allShapesLeaveOnlyFourEqualDigits();

    // Position pattern grids.
    void gridsNothingSelectedLeaveRowsEmpty();
    void routeHelpExamples();
    void routeAllZeroKills256();
    void singleClassPatternsKill625();
    void gridsMatchReferenceForEachPattern();
};

// Nothing chosen, or every ratio accepted: no number fails.
void TestFiltersPatterns::ratiosNothingSelectedLeavesRowEmpty()
{
    CandidateSet m;
    filter_ratios(RatioSelection{}, m);
    filter_ratios(ratios({}, QStringLiteral("0:4*1:3*2:2*3:1*4:0*")), m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersPatterns::ratioCountsPerSelector()
{
    const int passing[5] = {625, 2500, 3750, 2500, 625};
    for (int q = 0; q < 3; ++q) {
        for (int k = 0; k < 5; ++k) {
            RatioSelection s;
            s.lists[q] = QString::fromLatin1(kRatioCaptions[k]) + u'*';
            CandidateSet m;
            filter_ratios(s, m);
            QCOMPARE(kCandidateCount - markedCount(m), passing[k]);
            COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return firstClassCount(d, q) != k; });
        }
    }
}

void TestFiltersPatterns::ratioFourBigAndFourEven()
{
    CandidateSet m;
    filter_ratios(ratios(QStringLiteral("4:0*"), QStringLiteral("0:4*")), m);
    QCOMPARE(kCandidateCount - markedCount(m), 16);
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) {
        return !std::all_of(d.begin(), d.end(), [](int digit) { return digit == 6 || digit == 8; });
    });
}

void TestFiltersPatterns::shapesNothingSelectedLeavesRowEmpty()
{
    CandidateSet m;
    filter_shapes(ShapeSelection{}, m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersPatterns::shapeHelpExamples()
{
    const struct { const char16_t *caption; QList<int> numbers; } examples[] = {
        {u"上山", {1234, 1122, 1113}},
        {u"下山", {4321, 9000, 9911}},
        {u"凸形", {1230, 1120, 1200}},
        {u"凹形", {2105, 2215, 2155}},
        {u"N形", {1205, 4859, 3647, 5608, 5712}},
        {u"反N形", {2150, 8495, 6374, 6580, 7561}},
    };
    for (const auto &e : examples) {
        CandidateSet m;
        filter_shapes(shapes(QString::fromUtf16(e.caption) + u'*'), m);
        for (int n : e.numbers)
            QVERIFY2(isMarked(m, n), qPrintable(QString::number(n)));
        // Each example has exactly its own shape.
        for (const auto &other : examples) {
            if (&other == &e)
                continue;
            for (int n : other.numbers)
                QVERIFY2(!isMarked(m, n), qPrintable(QString::number(n)));
        }
    }
}

void TestFiltersPatterns::allShapesLeaveOnlyFourEqualDigits()
{
    CandidateSet m;
    filter_shapes(shapes(QStringLiteral("上山*下山*凸形*凹形*N形*反N形*")), m);
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) { return !(d[0] == d[1] && d[1] == d[2] && d[2] == d[3]); });
}

void TestFiltersPatterns::gridsNothingSelectedLeaveRowsEmpty()
{
    CandidateSet m;
    for (const GridCase &g : kGrids)
        runGrid(g.grid, PatternSelection{}, m);
    QCOMPARE(markedCount(m), 0);
}

void TestFiltersPatterns::routeHelpExamples()
{
    CandidateSet m;
    filter_route_pattern(grid(RouteGrid, QStringLiteral("2202*0102*")), m);
    QVERIFY(isMarked(m, 5892));
    QVERIFY(isMarked(m, 9468));
    // Route 0 has four digits (0 3 6 9), routes 1 and 2 three each.
    QCOMPARE(markedCount(m), 3 * 3 * 4 * 3 + 4 * 3 * 4 * 3);
}

void TestFiltersPatterns::routeAllZeroKills256()
{
    CandidateSet m;
    filter_route_pattern(grid(RouteGrid, QStringLiteral("0000*")), m);
    QCOMPARE(markedCount(m), 256);
    COMPARE_WITH_REFERENCE(m, [](const Digits &d) {
        return std::all_of(d.begin(), d.end(), [](int digit) { return digit % 3 == 0; });
    });
}

void TestFiltersPatterns::singleClassPatternsKill625()
{
    CandidateSet small;
    filter_big_small_pattern(grid(BigSmallGrid, QStringLiteral("小小小小*")), small);
    QCOMPARE(markedCount(small), 625);
    COMPARE_WITH_REFERENCE(small, [](const Digits &d) {
        return std::all_of(d.begin(), d.end(), [](int digit) { return digit <= 4; });
    });
    CandidateSet odd;
    filter_odd_even_pattern(grid(OddEvenGrid, QStringLiteral("奇奇奇奇*")), odd);
    QCOMPARE(markedCount(odd), 625);
}

void TestFiltersPatterns::gridsMatchReferenceForEachPattern()
{
    // One selected pattern at a time, and one pair, each compared candidate by candidate.
    for (const GridCase &g : kGrids) {
        const QStringList patterns = allPatterns(g.chars);
        for (const QString &pattern : patterns) {
            CandidateSet m;
            runGrid(g.grid, grid(g.grid, pattern + u'*'), m);
            COMPARE_WITH_REFERENCE(m, [&](const Digits &d) { return patternOf(g, d) == pattern; });
        }
        const QString pair = patterns.first() + u'*' + patterns.last() + u'*';
        CandidateSet m;
        runGrid(g.grid, grid(g.grid, pair), m);
        COMPARE_WITH_REFERENCE(m, [&](const Digits &d) {
            return patternOf(g, d) == patterns.first() || patternOf(g, d) == patterns.last();
        });
    }
}

QTEST_APPLESS_MAIN(TestFiltersPatterns)
#include "tst_filters_patterns.moc"
