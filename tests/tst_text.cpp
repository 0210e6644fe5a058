#include "core/text.h"

#include <QTest>

// The text rules every typed box relies on.
class TestText : public QObject
{
    Q_OBJECT
private slots:
    void onlyStr_data();
    void onlyStr();
    void trimSpacesKeepsOtherBlanks();
    void collapseSpacePairsFivePasses_data();
    void collapseSpacePairsFivePasses();
    void splitLinesAtEveryBreak();
    void toleranceValue_data();
    void toleranceValue();
};

void TestText::onlyStr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<QString>("expected");
    const QString digits = QStringLiteral("0123456789");
    QTest::newRow("empty") << QString() << digits << QString();
    QTest::newRow("nothing allowed") << QStringLiteral("abc，。") << digits << QString();
    QTest::newRow("tab and three spaces") << QStringLiteral("12\t   34") << digits << QStringLiteral("12 34");
    QTest::newRow("pasted list") << QStringLiteral("0123,4567\n89ab") << digits << QStringLiteral("0123 4567 89");
    QTest::newRow("listed space still collapses") << QStringLiteral(" 1  2 ") << QStringLiteral("12 ")
                                                  << QStringLiteral("1 2");
    QTest::newRow("full-width punctuation") << QStringLiteral("05，08；16") << digits << QStringLiteral("05 08 16");
}

void TestText::onlyStr()
{
    QFETCH(QString, text);
    QFETCH(QString, allowed);
    QFETCH(QString, expected);
    QCOMPARE(only_str(text, allowed), expected);
}

void TestText::trimSpacesKeepsOtherBlanks()
{
    QCOMPARE(trim_spaces(u"  4567 ").toString(), QStringLiteral("4567"));
    QCOMPARE(trim_spaces(u" 4567\t").toString(), QStringLiteral("4567\t"));
    QCOMPARE(trim_spaces(u"\n12 ").toString(), QStringLiteral("\n12"));
    QCOMPARE(trim_spaces(u"    ").toString(), QString());
}

void TestText::collapseSpacePairsFivePasses_data()
{
    QTest::addColumn<int>("run");
    QTest::addColumn<int>("left");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("2") << 2 << 1;
    QTest::newRow("32") << 32 << 1;
    QTest::newRow("33") << 33 << 2;
    QTest::newRow("40") << 40 << 2;
    QTest::newRow("64") << 64 << 2;
    QTest::newRow("65") << 65 << 3;
}

void TestText::collapseSpacePairsFivePasses()
{
    QFETCH(int, run);
    QFETCH(int, left);
    // Reference: five literal left-to-right passes of replacing "  " by " ".
    QString reference = QStringLiteral("a") + QString(run, u' ') + QStringLiteral("b");
    for (int pass = 0; pass < 5; ++pass)
        reference.replace(QStringLiteral("  "), QStringLiteral(" "));
    const QString collapsed = collapse_space_pairs(QString(QStringLiteral("a") + QString(run, u' ') + u'b'), 5);
    QCOMPARE(collapsed, reference);
    QCOMPARE(collapsed.size(), left + 2);
}

void TestText::splitLinesAtEveryBreak()
{
    const QStringList expected{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    QCOMPARE(split_lines(u"a\nb\r\nc\rd"), expected);
    QCOMPARE(split_lines(u"a\n").size(), 2);
    QCOMPARE(split_lines(u"").size(), 1);
}

void TestText::toleranceValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("item") << QStringLiteral("3") << 3;
    QTest::newRow("letters") << QStringLiteral("abc") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("leading number") << QStringLiteral("4个") << 4;
    QTest::newRow("leading spaces") << QStringLiteral("  2") << 2;
    QTest::newRow("half to even down") << QStringLiteral("2.5") << 2;
    QTest::newRow("half to even up") << QStringLiteral("3.5") << 4;
    QTest::newRow("above half") << QStringLiteral("1.6") << 2;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
    QTest::newRow("clamped high") << QStringLiteral("99999999") << 32767;
    QTest::newRow("clamped low") << QStringLiteral("-99999") << -32768;
}

void TestText::toleranceValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(int(tolerance_value(text)), value);
}

QTEST_APPLESS_MAIN(TestText)
#include "tst_text.moc"
