#include "core/history.h"

#include <QStringEncoder>
#include <QTest>

// Reading a history of past draws, one a line, in the forms players paste.
class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    void oneLine_data();
    void oneLine();
    void linesKeepTheirNumbersAcrossEveryBreak();
    void longMalformedLineIsCut();
    void hugeInputs();
    void filesInUtf8OrGbk();
    void recentDraws_data();
    void recentDraws();
};

void TestHistory::oneLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("number");     // -1: malformed, -2: skipped
    QTest::addColumn<QString>("issue");
    auto row = [](const char *name, const QString &line, int number, const QString &issue = {}) {
        QTest::newRow(name) << line << number << issue;
    };
    row("issue and four digits", QStringLiteral("2024001 1234"), 1234, QStringLiteral("2024001"));
    row("issue and single digits", QStringLiteral("2024001 1 2 3 4"), 1234, QStringLiteral("2024001"));
    row("commas", QStringLiteral("1,2,3,4"), 1234);
    row("draw alone", QStringLiteral("1234"), 1234);
    row("leading zeros", QStringLiteral("0007"), 7);
    row("single zeros", QStringLiteral("0 0 0 0"), 0);
    row("first run is the issue", QStringLiteral("2024-01-05 第005期 5 6 7 8"), 5678, QStringLiteral("2024"));
    row("last four single win over a four-digit run", QStringLiteral("1234 5 6 7 8"), 5678, QStringLiteral("1234"));
    row("five single digits", QStringLiteral("1 2 3 4 5"), 2345, QStringLiteral("1"));
    row("three single and a four-digit run", QStringLiteral("1 2 3 4567"), 4567, QStringLiteral("1"));
    row("words around", QStringLiteral("第2024001期 开奖号码：8 8 0 1 ！"), 8801, QStringLiteral("2024001"));
    row("tabs", QStringLiteral("\t2024001\t9876\t"), 9876, QStringLiteral("2024001"));
    row("full-width digits", QStringLiteral("２０２４００１　１２３４"), 1234, QStringLiteral("2024001"));
    row("full-width separators", QStringLiteral("２０２４００１：１，２，３，４"), 1234, QStringLiteral("2024001"));
    row("full-width nines", QStringLiteral("２０２４００９　９９０９"), 9909, QStringLiteral("2024009"));
    row("mixed widths", QStringLiteral("2024001 １2３4"), 1234, QStringLiteral("2024001"));
    row("issue with leading zeros", QStringLiteral("007 4444"), 4444, QStringLiteral("007"));

    row("three digits", QStringLiteral("2024001 123"), -1);
    row("five digits", QStringLiteral("12345"), -1);
    row("three single digits", QStringLiteral("1 2 3"), -1);
    row("a two-digit run among the last four", QStringLiteral("2024001 12 3 4 5"), -1);
    row("words only", QStringLiteral("开奖号码"), -1);
    row("other digits are not digits", QStringLiteral("١٢٣٤"), -1);
    row("hash after text", QStringLiteral("x # 1234"), 1234);

    row("empty", QString(), -2);
    row("spaces", QStringLiteral("   "), -2);
    row("full-width space", QStringLiteral("\u3000\t"), -2);
    row("comment", QStringLiteral("# 2024001 1234"), -2);
    row("indented comment", QStringLiteral("  #1234"), -2);
    row("full-width comment", QStringLiteral("＃ 2024001 1234"), -2);
}

void TestHistory::oneLine()
{
    QFETCH(QString, line);
    QFETCH(int, number);
    QFETCH(QString, issue);
    const DrawHistory history = read_draw_history(line);
    if (number == -2) {
        QVERIFY(history.draws.isEmpty());
        QVERIFY(history.malformed.isEmpty());
    } else if (number == -1) {
        QVERIFY(history.draws.isEmpty());
        QCOMPARE(history.malformed.size(), 1);
        QCOMPARE(history.malformed[0].line, 1);
        QCOMPARE(history.malformed[0].excerpt, line);
    } else {
        QVERIFY(history.malformed.isEmpty());
        QCOMPARE(history.draws.size(), 1);
        QCOMPARE(history.draws[0].number, number);
        QCOMPARE(history.draws[0].issue, issue);
        QCOMPARE(history.draws[0].line, 1);
    }
}

void TestHistory::linesKeepTheirNumbersAcrossEveryBreak()
{
    // LF, CR LF and a lone CR each end one line; blank, comment and malformed
    // lines count, and the rest is used.
    const DrawHistory history =
        read_draw_history(u"# head\n3003 0003\r\n\r1001 0001\rxyz\n2002 0002\n\n2024002 123\n2024004 12 3 4 5");
    QStringList draws, malformed;
    for (const Draw &d : history.draws)
        draws << QStringLiteral("%1: %2 %3").arg(d.line).arg(d.issue).arg(d.number);
    for (const MalformedLine &m : history.malformed)
        malformed << QStringLiteral("%1: %2").arg(m.line).arg(m.excerpt);
    QCOMPARE(draws, QStringList({"2: 3003 3", "4: 1001 1", "6: 2002 2"}));
    QCOMPARE(malformed, QStringList({"5: xyz", "8: 2024002 123", "9: 2024004 12 3 4 5"}));
}

void TestHistory::longMalformedLineIsCut()
{
    const QString line = QString(39, u'x') + QStringLiteral("😀 and more");
    const DrawHistory history = read_draw_history(line);
    QCOMPARE(history.malformed.size(), 1);
    // The emoji's pair stays whole: it is left out rather than split.
    QCOMPARE(history.malformed[0].excerpt, QString(39, u'x') + u'…');
    const DrawHistory plain = read_draw_history(QString(100, u'y'));
    QCOMPARE(plain.malformed[0].excerpt, QString(40, u'y') + u'…');
}

void TestHistory::hugeInputs()
{
    // A million lines, and one line of a million runs, read in one pass each.
    QString many;
    for (int i = 0; i < 1000000; ++i)
        many += QStringLiteral("%1 %2\n").arg(i).arg(i % 10000, 4, 10, QChar(u'0'));
    const DrawHistory history = read_draw_history(many);
    QCOMPARE(history.draws.size(), 1000000);
    QCOMPARE(history.draws.last().number, 999999 % 10000);
    QCOMPARE(history.draws.last().line, 1000000);

    QString runs;
    for (int i = 0; i < 1000000; ++i)
        runs += QStringLiteral("7 ");
    const DrawHistory one = read_draw_history(runs);
    QCOMPARE(one.draws.size(), 1);
    QCOMPARE(one.draws[0].number, 7777);
    QCOMPARE(one.draws[0].issue, QStringLiteral("7"));
}

void TestHistory::filesInUtf8OrGbk()
{
    const QString text = QStringLiteral("第２０２４００１期 开奖：１２３４\n");
    QCOMPARE(history_text_from_bytes(text.toUtf8()), text);
    QCOMPARE(history_text_from_bytes("\xEF\xBB\xBF" + text.toUtf8()), text);
    QStringEncoder gbk("GB18030");
    QVERIFY(gbk.isValid());
    const QByteArray gbkBytes = gbk.encode(text);
    QVERIFY(gbkBytes != text.toUtf8());
    QCOMPARE(history_text_from_bytes(gbkBytes), text);
    // Neither: read as UTF-8, the broken bytes replaced, the digits kept.
    const QString broken = history_text_from_bytes("2024001 \xFF\xFF 1234");
    QCOMPARE(read_draw_history(broken).draws.value(0).number, 1234);
}

void TestHistory::recentDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");      // 0: all
    QTest::addColumn<QList<int>>("numbers");
    // Sites list newest first or oldest first; issue numbers decide, as whole numbers.
    const QString issued = QStringLiteral("100 1000\n99 0990\n0101 1010\n98 0980\n102 1020");
    QTest::newRow("all by issue") << issued << 0 << QList<int>{1020, 1010, 1000, 990, 980};
    QTest::newRow("last two by issue") << issued << 2 << QList<int>{1020, 1010};
    QTest::newRow("more than there are") << issued << 30 << QList<int>{1020, 1010, 1000, 990, 980};
    // One line without an issue number: nothing to order by.
    QTest::newRow("text order") << QStringLiteral("3 0003\n0001\n2 0002\n0004") << 3 << QList<int>{1, 2, 4};
    QTest::newRow("none") << QString() << 10 << QList<int>{};
}

void TestHistory::recentDraws()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QList<int>, numbers);
    QList<int> chosen;
    for (const Draw &draw : recent_draws(read_draw_history(text).draws, count))
        chosen.append(draw.number);
    QCOMPARE(chosen, numbers);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
