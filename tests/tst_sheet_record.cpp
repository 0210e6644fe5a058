#include "core/sheet_record.h"

#include <QTest>

// The sheet as named controls, without a window: which names exist, and what
// a shrink run reads from a record.
class TestSheetRecord : public QObject
{
    Q_OBJECT
private slots:
    void namesOfEachKind();
    void kindOfName_data();
    void kindOfName();
    void captionsOfTheMembers_data();
    void captionsOfTheMembers();
    void selectionsFollowTheNamedControls();
    void clearedRecordSelectsNothing();
};

void TestSheetRecord::namesOfEachKind()
{
    // C_bi 0-158, C_max 0-17, C_danzu 0-39, C_danzu_gs 0-19.
    QStringList toggles;
    for (auto [array, count] : {std::pair{"C_bi", 159}, {"C_max", 18}, {"C_danzu", 40}, {"C_danzu_gs", 20}}) {
        for (int i = 0; i < count; ++i)
            toggles.append(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i));
    }
    QStringList sortedToggles = condition_control_names(ControlKind::Toggle);
    sortedToggles.sort();
    toggles.sort();
    QCOMPARE(sortedToggles, toggles);

    const QStringList checks = condition_control_names(ControlKind::Check);
    QCOMPARE(checks.size(), 40 + 10 + 10 + 10 + 6 + 1);
    QCOMPARE(QSet<QString>(checks.begin(), checks.end()).size(), checks.size());
    QVERIFY(checks.contains(QStringLiteral("Check_dm_jchong")));
    QVERIFY(checks.contains(QStringLiteral("Check_ac_sha(5)")));
    QVERIFY(!checks.contains(QStringLiteral("Check_ac_sha(6)")));

    QCOMPARE(condition_control_names(ControlKind::Text),
             QStringList({"T_ding(0)", "T_ding(1)", "T_ding(2)", "T_ding(3)", "T_ding(4)", "T_ding(5)", "T_ding(6)",
                          "T_cs_ip(0)", "T_cs_ip(3)"}));
    QStringList tolerances = condition_control_names(ControlKind::Tolerance);
    tolerances.sort();
    QCOMPARE(tolerances,
             QStringList({"Com_rc(0)", "Com_rc(1)", "Com_rc(2)", "Com_rc(3)", "Com_rc(4)", "Com_rc(5)"}));
}

void TestSheetRecord::kindOfName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");   // -1: not a condition control
    QTest::newRow("ratio") << "C_bi(0)" << int(ControlKind::Toggle);
    QTest::newRow("last exclusion") << "C_bi(158)" << int(ControlKind::Toggle);
    QTest::newRow("past the exclusions") << "C_bi(159)" << -1;
    QTest::newRow("dan count") << "C_danzu_gs(19)" << int(ControlKind::Toggle);
    QTest::newRow("single box") << "Check_dm_jchong" << int(ControlKind::Check);
    QTest::newRow("indexed single box") << "Check_dm_jchong(0)" << -1;
    QTest::newRow("base set") << "T_cs_ip(3)" << int(ControlKind::Text);
    QTest::newRow("no T_cs_ip(1)") << "T_cs_ip(1)" << -1;
    QTest::newRow("total") << "Com_rc(5)" << int(ControlKind::Tolerance);
    QTest::newRow("clear button") << "C_cls(3)" << -1;
    QTest::newRow("set operation box") << "T_jj(0)" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestSheetRecord::kindOfName()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    const std::optional<ControlKind> found = condition_control_kind(name);
    QCOMPARE(found ? int(*found) : -1, kind);
}

void TestSheetRecord::captionsOfTheMembers_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first ratio") << "C_bi" << 0 << "0:4";
    QTest::newRow("last prime ratio") << "C_bi" << 14 << "4:0";
    QTest::newRow("N shape") << "C_bi" << 19 << "N形";
    for (auto [index, caption] : {std::pair{21, "大大大大"}, {22, "大大小大"}, {25, "小大大大"}, {29, "大大大小"},
                                  {36, "小小小小"}, {38, "奇奇偶奇"}, {54, "质质合质"}, {69, "0000"},
                                  {77, "2200"}, {78, "0001"}, {87, "2202"}, {149, "0022"}, {158, "ABCD"}})
        QTest::addRow("C_bi(%d)", index) << "C_bi" << index << QString::fromUtf8(caption);
    QTest::newRow("smallest 8") << "C_max" << 8 << "8";
    QTest::newRow("largest 1") << "C_max" << 9 << "1";
    QTest::newRow("AC value 6") << "Check_ac_sha" << 5 << "6";
    QTest::newRow("dan count") << "C_danzu_gs" << 19 << "4";
}

void TestSheetRecord::captionsOfTheMembers()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(QString, caption);
    const ConditionRow *row = condition_row(array, index);
    QVERIFY(row);
    QCOMPARE(member_captions(*row).at(index - row->first), caption);
    QCOMPARE(member_names(*row).at(index - row->first), QStringLiteral("%1(%2)").arg(array).arg(index));
}

void TestSheetRecord::selectionsFollowTheNamedControls()
{
    SheetRecord record;
    // Out of index order on purpose: lists follow the sheet, not the set.
    record.selected = {"C_bi(7)",   "C_bi(6)",   "C_bi(16)",      "C_bi(22)",      "C_bi(87)",
                       "C_bi(150)", "C_bi(158)", "C_max(4)",      "C_max(12)",     "C_danzu(13)",
                       "C_danzu(11)", "C_danzu_gs(7)", "Check_ac_sha(0)", "C_cls(3)", "nonsense"};
    record.checked = {"Check_hewei_sha1(12)", "Check_hewei_sha(9)", "Check_ac_sha(0)", "Check_dm_jchong",
                      "C_bi(0)"};
    record.texts = {{"T_ding(2)", "12 34"}, {"T_cs_ip(0)", "05 16"}, {"T_cs_ip(3)", "0001\n0123"}};
    record.tolerances = {{"Com_rc(4)", "1"}, {"Com_rc(5)", "3 or so"}, {"Com_rc(2)", "x"}};

    const Selections s = selections_from_record(record);
    QCOMPARE(s.ratios.lists[0], QString());
    QCOMPARE(s.ratios.lists[1], QStringLiteral("1:3*2:2*"));
    QCOMPARE(s.ratios.lists[2], QString());
    QCOMPARE(s.shapes.list, QStringLiteral("下山*"));
    QCOMPARE(s.patterns.lists[BigSmallGrid], QStringLiteral("大大小大*"));
    QCOMPARE(s.patterns.lists[OddEvenGrid], QString());
    QCOMPARE(s.patterns.lists[RouteGrid], QStringLiteral("2202*"));
    QCOMPARE(s.specialExclusions.captions, QStringList({"不连", "ABCD"}));
    QCOMPARE(s.minMax.smallest, QStringLiteral("4"));
    QCOMPARE(s.minMax.largest, QStringLiteral("4"));
    QCOMPARE(s.dan.digits[1], QStringLiteral("13"));
    QCOMPARE(s.dan.counts[1], QStringLiteral("2"));
    QCOMPARE(s.dan.digits[0] + s.dan.digits[2] + s.dan.counts[0], QString());
    QVERIFY(s.dan.countRepeats);

    for (int i = 0; i < 40; ++i)
        QCOMPARE(s.positionalKill.struck[i], i == 12);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(s.sumSpan.sumTails[i], i == 9);
        QVERIFY(!s.sumSpan.spans[i] && !s.sumSpan.killAllDigits[i]);
    }
    for (int i = 0; i < 6; ++i)
        QCOMPARE(s.sumSpan.acValues[i], i == 0);

    QCOMPARE(s.entered.boxes[2], QStringLiteral("12 34"));
    QCOMPARE(s.entered.boxes[0], QString());
    QCOMPARE(s.sumSpan.sumValueText, QStringLiteral("05 16"));
    QCOMPARE(s.baseSetText, QStringLiteral("0001\n0123"));
    QCOMPARE(s.total.from, 1);
    QCOMPARE(s.total.to, 3);
    QCOMPARE(s.dan.tolerance.from, 0);
    QCOMPARE(s.positionalKill.tolerance.to, 0);
}

void TestSheetRecord::clearedRecordSelectsNothing()
{
    const SheetRecord cleared = cleared_record();
    QVERIFY(cleared.selected.isEmpty());
    QVERIFY(cleared.checked.isEmpty());
    QCOMPARE(cleared.tolerances.size(), 6);
    for (const QString &value : cleared.tolerances)
        QCOMPARE(value, QStringLiteral("0"));
    QCOMPARE(cleared.texts.value("T_ding(0)"), QStringLiteral("\n号码之间用空格、逗号或换行隔开，双击清空"));
    for (int i = 1; i < 7; ++i)
        QCOMPARE(cleared.texts.value(QStringLiteral("T_ding(%1)").arg(i)), QStringLiteral("\n双击清空"));
    QCOMPARE(cleared.texts.value("T_cs_ip(0)"), QStringLiteral("和值输入要保持2位数，例如：00 05 08 16"));
    QCOMPARE(cleared.texts.value("T_cs_ip(3)"), QStringLiteral("大底号码，双击清空"));

    const Selections s = selections_from_record(cleared);
    for (const QString &list : s.ratios.lists)
        QVERIFY(list.isEmpty());
    for (const QString &list : s.patterns.lists)
        QVERIFY(list.isEmpty());
    QVERIFY(s.shapes.list.isEmpty() && s.specialExclusions.captions.isEmpty());
    QVERIFY(s.minMax.smallest.isEmpty() && s.minMax.largest.isEmpty());
    QVERIFY(!s.dan.countRepeats);
    QCOMPARE(s.entered.boxes[6], QStringLiteral("\n双击清空"));
    QCOMPARE(s.baseSetText, QStringLiteral("大底号码，双击清空"));
}

QTEST_APPLESS_MAIN(TestSheetRecord)
#include "tst_sheet_record.moc"
