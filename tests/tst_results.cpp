#include "filters/shrink_run.h"
#include "filters/groups.h"
#include "filters/prize_check.h"
#include "filters/set_operations.h"

#include <QTest>

// What happens to a result: conversion to groups, set operations on two
// pasted lists, and the prize check.
class TestResults : public QObject
{
    Q_OBJECT
private slots:
    void groupRepresentatives_data();
    void groupRepresentatives();
    void allCandidatesMake715Groups();
    void groupsOfAResult_data();
    void groupsOfAResult();
    void countZeroMarksNothing();
    void setOperations_data();
    void setOperations();
    void setOperationNormalisesBoxes();
    void prizeCheck_data();
    void prizeCheck();
};

namespace {
// Reference: how many distinct digit multisets, counted by brute force.
int distinctGroups()
{
    QSet<QString> seen;
    for (int n = 0; n < 10000; ++n) {
        QString digits = four_digits(n);
        std::sort(digits.begin(), digits.end());
        seen.insert(digits);
    }
    return int(seen.size());
}
}

void TestResults::groupRepresentatives_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("group");
    QTest::newRow("1000") << 1000 << 1;
    QTest::newRow("4321") << 4321 << 1234;
    QTest::newRow("2143") << 2143 << 1234;
    QTest::newRow("1212") << 1212 << 1122;
    QTest::newRow("9990") << 9990 << 999;
    QTest::newRow("0000") << 0 << 0;
}

void TestResults::groupRepresentatives()
{
    QFETCH(int, number);
    QFETCH(int, group);
    QCOMPARE(group_of(number), group);
}

void TestResults::allCandidatesMake715Groups()
{
    ShrinkState state;
    run_shrink(Selections(), state);
    const ResultList all = collect_survivors(state);
    GroupTable table;
    mark_groups(table, all.text, all.count);
    const ResultList groups = show_groups(table);
    QCOMPARE(groups.count, distinctGroups());
    QCOMPARE(groups.count, 715);
    const QStringList lines = display_lines(groups.text);
    QCOMPARE(lines.size(), 179);
    QCOMPARE(lines.first(), QStringLiteral("0000 0001 0002 0003 "));
    // 715 = 178 * 4 + 3: the last line holds three groups.
    QCOMPARE(lines.last(), QStringLiteral("8899 8999 9999 "));
}

void TestResults::groupsOfAResult_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("groups");
    QTest::newRow("one group of three") << QStringLiteral("1234 2143 4321") << QStringLiteral("1234");
    QTest::newRow("1000 and 0001") << QStringLiteral("0001 1000") << QStringLiteral("0001");
    QTest::newRow("1122 and 1212") << QStringLiteral("1122 1212") << QStringLiteral("1122");
    QTest::newRow("five groups") << QStringLiteral("0001 0011 0111 1111 5678 8765")
                                 << QStringLiteral("0001 0011 0111 1111 5678");
    QTest::newRow("other lengths skipped") << QStringLiteral("123 12345 4321") << QStringLiteral("1234");
}

void TestResults::groupsOfAResult()
{
    QFETCH(QString, result);
    QFETCH(QString, groups);
    GroupTable table;
    mark_groups(table, result, int(result.split(u' ').size()));
    const ResultList shown = show_groups(table);
    QCOMPARE(shown.text, groups);
    QCOMPARE(shown.count, int(groups.split(u' ').size()));
}

void TestResults::countZeroMarksNothing()
{
    GroupTable table;
    mark_groups(table, QStringLiteral("1234"), 0);
    const ResultList shown = show_groups(table);
    QCOMPARE(shown.count, 0);
    QVERIFY(shown.text.isEmpty());
    QCOMPARE(table[1234].representative, 1);
    QCOMPARE(table[4321].representative, 0);
}

void TestResults::setOperations_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("result");
    const QString a = QStringLiteral("1234 5678");
    const QString b = QStringLiteral("5678 9999");
    QTest::newRow("jiao") << "jiao" << a << b << QStringLiteral("5678");
    QTest::newRow("bing") << "bing" << a << b << QStringLiteral("1234 5678 9999");
    QTest::newRow("a_b") << "a_b" << a << b << QStringLiteral("1234");
    QTest::newRow("b_a") << "b_a" << a << b << QStringLiteral("9999");
    QTest::newRow("duplicates in A") << "bing" << QStringLiteral("1234 1234") << QString() << QStringLiteral("1234");
    QTest::newRow("nothing in B") << "jiao" << QStringLiteral("1234 1234") << QString() << QString();
    QTest::newRow("sorted union") << "bing" << QStringLiteral("5678,1234\n0042") << QString()
                                  << QStringLiteral("0042 1234 5678");
    QTest::newRow("both empty") << "bing" << QString() << QString() << QString();
    QTest::newRow("wrong lengths dropped") << "bing" << QStringLiteral("123 12345 0007") << QString()
                                           << QStringLiteral("0007");
}

void TestResults::setOperations()
{
    QFETCH(QString, code);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, result);
    const SetOperationResult combined = base_set_operation(code, a, b);
    QCOMPARE(combined.result, result);
    QCOMPARE(combined.count, result.isEmpty() ? 0 : int(result.split(u' ').size()));
}

void TestResults::setOperationNormalisesBoxes()
{
    const SetOperationResult combined =
        base_set_operation(u"jiao", u"5678,1234\n0042  123\t12345", u"  ，9999；；");
    QCOMPARE(combined.a, QStringLiteral("5678 1234 0042 123 12345"));
    QCOMPARE(combined.b, QStringLiteral("9999"));
}

void TestResults::prizeCheck_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("caption");
    const QString hit = QStringLiteral("【中中中中】");
    const QString miss = QStringLiteral("【挂挂挂挂】");
    const QString idle = QStringLiteral("【中奖查询】");
    QTest::newRow("hit") << QStringLiteral("4567") << hit;
    QTest::newRow("miss") << QStringLiteral("4568") << miss;
    QTest::newRow("three characters") << QStringLiteral("456") << idle;
    QTest::newRow("five characters") << QStringLiteral("45670") << idle;
    QTest::newRow("spaces trimmed") << QStringLiteral(" 0123  ") << hit;
    QTest::newRow("tab is not trimmed") << QStringLiteral("4567\t") << idle;
    QTest::newRow("straddling two numbers") << QStringLiteral("3 45") << miss;
    QTest::newRow("first number") << QStringLiteral("0123") << hit;
    QTest::newRow("full-width digits") << QStringLiteral(" ４５６７") << hit;
    QTest::newRow("full-width miss") << QStringLiteral("０１２４") << miss;
    QTest::newRow("mixed widths") << QStringLiteral("0１2３") << hit;
    QTest::newRow("three full-width digits") << QStringLiteral("４５６") << idle;
}

void TestResults::prizeCheck()
{
    QFETCH(QString, entry);
    QFETCH(QString, caption);
    QCOMPARE(prize_caption(entry, u"0123 4567"), caption);
}

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
