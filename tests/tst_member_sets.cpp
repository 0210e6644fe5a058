// What each member of the sheet names and what it kills alone: the engine's
// sets and `vintora-shrink --members`, against sets and counts made here from
// the digits by the rules of the help.
#include "filters/member_sets.h"
#include "reference_rules.h"

#include <QProcess>
#include <QTest>

class TestMemberSets : public QObject
{
    Q_OBJECT
private slots:
    void theMembersThatNameASet();
    void sampleOfEveryRow_data();
    void sampleOfEveryRow();
    void commandLineListsEveryMember();
};

namespace {
// The members that stand for one property of a number, in sheet order.
QStringList expectedMembers()
{
    QStringList names;
    const std::pair<const char *, int> arrays[] = {
        {"Check_hewei_sha1", 40}, {"Check_hewei_sha", 10}, {"Check_kuadu_sha", 10}, {"Check_tsm_sha", 10},
        {"Check_ac_sha", 6},      {"C_bi", 159},           {"C_max", 18},
    };
    for (const auto &[array, count] : arrays) {
        for (int i = 0; i < count; ++i)
            names.append(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i));
    }
    return names;
}

// Empty when `set` holds exactly the numbers for which `holds` is `wanted`.
QString differenceFrom(const CandidateSet &set, const NamedRule &rule, bool wanted)
{
    for (int n = 0; n < 10000; ++n) {
        if (set.contains(n) != (rule.holds(digitsOf(n)) == wanted))
            return QStringLiteral("%1 %2").arg(n, 4, 10, QChar(u'0')).arg(set.contains(n) ? "in" : "out");
    }
    return QString();
}

int countWhere(const NamedRule &rule)
{
    int count = 0;
    for (int n = 0; n < 10000; ++n)
        count += rule.holds(digitsOf(n)) ? 1 : 0;
    return count;
}
}

void TestMemberSets::theMembersThatNameASet()
{
    QCOMPARE(members_naming_sets(), expectedMembers());
    // Dan rows and their hit counts, typed boxes, tolerances and the base set name nothing.
    for (const char *name : {"C_danzu(3)", "C_danzu_gs(0)", "Check_dm_jchong", "T_ding(0)", "T_cs_ip(0)", "T_cs_ip(3)",
                             "Com_rc(0)", "Com_rc(4)", "C_bi(159)", "C_max(18)", "C_bi"})
        QVERIFY2(!member_sets(QString::fromLatin1(name)), name);
}

void TestMemberSets::sampleOfEveryRow_data()
{
    // Counts the help text and the sheet's rules give, where they give one.
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("named");
    QTest::newRow("thousands 0") << "Check_hewei_sha1(0)" << 1000;
    QTest::newRow("hundreds 7") << "Check_hewei_sha1(17)" << 1000;
    QTest::newRow("units 9") << "Check_hewei_sha1(39)" << 1000;
    QTest::newRow("sum tail 3") << "Check_hewei_sha(3)" << 1000;
    QTest::newRow("span 9") << "Check_kuadu_sha(9)" << 974;
    QTest::newRow("kill-all 5") << "Check_tsm_sha(5)" << 3439;
    QTest::newRow("AC 6") << "Check_ac_sha(5)" << 1440;
    QTest::newRow("big:small 1:3") << "C_bi(1)" << 2500;
    QTest::newRow("odd:even 4:0") << "C_bi(9)" << 625;
    QTest::newRow("prime:composite 2:2") << "C_bi(12)" << 3750;
    QTest::newRow("上山") << "C_bi(15)" << 705;
    QTest::newRow("反N形") << "C_bi(20)" << 1695;
    QTest::newRow("大大小大") << "C_bi(22)" << 625;
    QTest::newRow("奇奇偶奇") << "C_bi(38)" << 625;
    QTest::newRow("质质合质") << "C_bi(54)" << 625;
    QTest::newRow("route 2202") << "C_bi(87)" << 108;
    QTest::newRow("route 0022") << "C_bi(149)" << 144;
    QTest::newRow("4连") << "C_bi(153)" << 240;
    QTest::newRow("AAAB") << "C_bi(155)" << 360;
    QTest::newRow("smallest 8") << "C_max(8)" << 15;
    QTest::newRow("largest 1") << "C_max(9)" << 15;
}

void TestMemberSets::sampleOfEveryRow()
{
    QFETCH(QString, member);
    QFETCH(int, named);
    const MemberSets *sets = member_sets(member);
    const std::optional<NamedRule> rule = namedRule(member);
    QVERIFY(sets && rule);
    QCOMPARE(differenceFrom(sets->named, *rule, true), QString());
    QCOMPARE(sets->named.size(), named);
    // A member that kills kills what it names; one that says what stays kills the rest.
    QCOMPARE(differenceFrom(sets->killsAlone, *rule, !rule->kept), QString());
}

void TestMemberSets::commandLineListsEveryMember()
{
    QProcess shrink;
    shrink.start(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--members")});
    QVERIFY(shrink.waitForFinished(60000));
    QCOMPARE(shrink.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(shrink.readAllStandardOutput()).split(u'\n');
    const QStringList members = expectedMembers();
    QCOMPARE(lines.size(), members.size() + 1);
    for (qsizetype i = 0; i < members.size(); ++i) {
        const NamedRule rule = *namedRule(members[i]);
        const int named = countWhere(rule);
        QCOMPARE(lines[i], QStringLiteral("%1\t%2\t%3").arg(members[i]).arg(named).arg(rule.kept ? 10000 - named : named));
    }
    QCOMPARE(lines.last(), QString());

    // An option it does not know ends it at once; a scheme is no use to it.
    for (const QStringList &arguments : {QStringList{QStringLiteral("--member")},
                                         QStringList{QStringLiteral("--members"), QStringLiteral("-x")}}) {
        shrink.start(QStringLiteral(VINTORA_SHRINK), arguments);
        QVERIFY(shrink.waitForFinished(60000));
        QCOMPARE(shrink.exitCode(), 2);
        QVERIFY(shrink.readAllStandardOutput().isEmpty());
        QVERIFY(!shrink.readAllStandardError().isEmpty());
    }
    shrink.start(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--members"), QStringLiteral("scheme.json")});
    QVERIFY(shrink.waitForFinished(60000));
    QCOMPARE(shrink.exitCode(), 1);
}

QTEST_GUILESS_MAIN(TestMemberSets)
#include "tst_member_sets.moc"
