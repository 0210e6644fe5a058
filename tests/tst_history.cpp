#include "core/history.h"
#include "draw_lines.h"

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
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("issue");
    QTest::addColumn<QDate>("date");
    for (const DrawLine &row : kDrawLines) {
        QTest::newRow(row.name) << QString::fromUtf16(row.line) << row.number << QString::fromLatin1(row.issue)
                                << QDate::fromString(QLatin1String(row.date), Qt::ISODate);
    }
}

void TestHistory::oneLine()
{
    QFETCH(QString, line);
    QFETCH(int, number);
    QFETCH(QString, issue);
    QFETCH(QDate, date);
    const DrawHistory history = read_draw_history(line);
    if (number == kSkipped) {
        QVERIFY(history.draws.isEmpty());
        QVERIFY(history.malformed.isEmpty());
    } else if (number == kMalformed) {
        QVERIFY(history.draws.isEmpty());
        QCOMPARE(history.malformed.size(), 1);
        QCOMPARE(history.malformed[0].line, 1);
        QCOMPARE(history.malformed[0].excerpt, line);
    } else {
        QVERIFY(history.malformed.isEmpty());
        QCOMPARE(history.draws.size(), 1);
        QCOMPARE(history.draws[0].number, number);
        QCOMPARE(history.draws[0].issue, issue);
        QCOMPARE(history.draws[0].date, date);
        QCOMPARE(history.draws[0].line, 1);
    }
}

void TestHistory::linesKeepTheirNumbersAcrossEveryBreak()
{
    // LF, CR LF and a lone CR each end one line; blank, comment and malformed
    // lines count, and the rest is used.
    const DrawHistory history =
        read_draw_history(u"# head\n303 0003\r\n\r101 0001\rxyz\n202 0002\n\n2024002 123\n2024004 12 3 4 5");
    QStringList draws, malformed;
    for (const Draw &d : history.draws)
        draws << QStringLiteral("%1: %2 %3").arg(d.line).arg(d.issue).arg(d.number);
    for (const MalformedLine &m : history.malformed)
        malformed << QStringLiteral("%1: %2").arg(m.line).arg(m.excerpt);
    QCOMPARE(draws, QStringList({"2: 303 3", "4: 101 1", "6: 202 2"}));
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
        runs += QStringLiteral("12 ");
    const DrawHistory one = read_draw_history(runs + QStringLiteral("3456"));
    QCOMPARE(one.draws.size(), 1);
    QCOMPARE(one.draws[0].number, 3456);
    QCOMPARE(one.draws[0].issue, QStringLiteral("12"));
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
    const QString issued = QStringLiteral("100 1000\n99 0990\n00101 1010\n98 0980\n102 1020");
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
