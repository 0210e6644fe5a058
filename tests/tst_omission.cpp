#include "core/history.h"
#include "filters/omission.h"

#include <QTest>

// The omission figures as the help defines them, worked out by hand on short
// histories, and the properties the command line lists.
class TestOmission : public QObject
{
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void properties_data();
    void properties();
    void windowIsTheNewestDrawsOldestFirst();
};

void TestOmission::figures_data()
{
    // One character per draw, oldest first: x hits, . does not.
    QTest::addColumn<QString>("draws");
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("longest");
    QTest::addColumn<QString>("average");
    QTest::addColumn<int>("streak");
    QTest::newRow("empty window") << "" << 0 << 0 << 0 << "0.0" << 0;
    QTest::newRow("never hits") << "....." << 0 << 5 << 5 << "5.0" << 0;
    QTest::newRow("always hits") << "xxxx" << 4 << 0 << 0 << "0.0" << 4;
    QTest::newRow("hit on the newest draw") << "....x" << 1 << 0 << 4 << "2.0" << 1;
    QTest::newRow("hit on the oldest draw") << "x...." << 1 << 4 << 4 << "2.0" << 1;
    // Runs without a hit: 2 before the first, 1, 3, and 1 after the last.
    QTest::newRow("mixed") << "..xx.x...x." << 4 << 1 << 3 << "1.4" << 2;
    // 5 misses over 4 runs: 1.25 rounds up.
    QTest::newRow("a half rounds up") << "xxx....." << 3 << 5 << 5 << "1.3" << 3;
}

void TestOmission::figures()
{
    QFETCH(QString, draws);
    // The same history twice: hits told one by one, and numbers against a set.
    OmissionTally told;
    CandidateSet property;
    property.insert(7);
    QList<int> numbers;
    for (const QChar draw : draws) {
        told.add(draw == u'x');
        numbers.append(draw == u'x' ? 7 : 8);
    }
    for (const OmissionTally &tally : {told, tally_omission(numbers, property)}) {
        QCOMPARE(tally.draws(), draws.size());
        QTEST(tally.hits(), "hits");
        QTEST(tally.current(), "current");
        QTEST(tally.longestOmission(), "longest");
        QTEST(tally.averageOmission(), "average");
        QTEST(tally.longestStreak(), "streak");
    }
}

void TestOmission::properties_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("having");
    QTest::addColumn<QList<int>>("notHaving");
    QTest::addColumn<int>("size");
    QTest::newRow("thousands 0") << 0 << "pos1=0" << QList<int>{0, 999} << QList<int>{1000} << 1000;
    QTest::newRow("hundreds 3") << 13 << "pos2=3" << QList<int>{300, 9399} << QList<int>{3000, 33} << 1000;
    QTest::newRow("units 9") << 39 << "pos4=9" << QList<int>{9, 1239} << QList<int>{9990} << 1000;
    QTest::newRow("sum 0") << 40 << "sum=0" << QList<int>{0} << QList<int>{1} << 1;
    QTest::newRow("sum 10") << 50 << "sum=10" << QList<int>{1234, 55, 9001} << QList<int>{1235} << 282;
    QTest::newRow("sum 36") << 76 << "sum=36" << QList<int>{9999} << QList<int>{9998} << 1;
    QTest::newRow("span 0") << 77 << "span=0" << QList<int>{0, 7777} << QList<int>{7776} << 10;
    QTest::newRow("span 9") << 86 << "span=9" << QList<int>{9, 9000, 1909} << QList<int>{1918} << 10000 - 2 * 9 * 9 * 9 * 9 + 8 * 8 * 8 * 8;
    // The members follow, the positional kills first: thousands 0 names 0xxx.
    QTest::newRow("first member") << 87 << "Check_hewei_sha1(0)" << QList<int>{0, 999} << QList<int>{1000} << 1000;
}

void TestOmission::properties()
{
    QFETCH(int, at);
    QFETCH(QString, name);
    QFETCH(QList<int>, having);
    QFETCH(QList<int>, notHaving);
    const QList<DrawProperty> &properties = draw_properties();
    QCOMPARE(properties.size(), 40 + 37 + 10 + 253);
    QCOMPARE(properties[at].name, name);
    for (const int number : having)
        QVERIFY2(properties[at].numbers.contains(number), qPrintable(QString::number(number)));
    for (const int number : notHaving)
        QVERIFY2(!properties[at].numbers.contains(number), qPrintable(QString::number(number)));
    QTEST(properties[at].numbers.size(), "size");
}

void TestOmission::windowIsTheNewestDrawsOldestFirst()
{
    auto numbers = [](const QString &text, int count) {
        QList<int> chosen;
        for (const Draw &draw : draws_oldest_first(read_draw_history(text).draws, count))
            chosen.append(draw.number);
        return chosen;
    };
    // Listed newest first, as sites do: the issue numbers decide.
    QCOMPARE(numbers(QStringLiteral("103 0003\n102 0002\n101 0001\n100 0000"), 3), (QList<int>{1, 2, 3}));
    // Without an issue on every line, the last line is the newest.
    QCOMPARE(numbers(QStringLiteral("103 0003\n0002\n101 0001"), 2), (QList<int>{2, 1}));
    QCOMPARE(numbers(QStringLiteral("0005\n0006"), 0), (QList<int>{5, 6}));
}

QTEST_GUILESS_MAIN(TestOmission)
#include "tst_omission.moc"
