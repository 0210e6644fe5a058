#include "panel/sheet.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

// Reading the window's condition controls into a record and setting them
// back from one.
class TestSheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestFolders(); }

    void recordHoldsWhatTheWindowShows();
    void applyingTheRecordRestoresTheSheet();
    void resetSheetIsTheClearedRecord();
};

namespace {
void click(const QWidget *w, const char *name)
{
    button(w, QLatin1String(name))->click();
}

void tick(const QWidget *w, const char *name)
{
    control<QCheckBox>(w, QLatin1String(name))->setChecked(true);
}

// A sheet touched in every kind of control, as a player would.
void selectSome(const QWidget *w)
{
    for (const char *name : {"C_bi(6)", "C_bi(7)", "C_bi(16)", "C_bi(87)", "C_bi(155)", "C_max(3)", "C_max(14)",
                             "C_danzu(12)", "C_danzu(15)", "C_danzu_gs(7)"})
        click(w, name);
    for (const char *name : {"Check_hewei_sha1(33)", "Check_ac_sha(5)", "Check_tsm_sha(0)"})
        tick(w, name);
    control<QPlainTextEdit>(w, QStringLiteral("T_ding(3)"))->setPlainText(QStringLiteral("12 34\n56"));
    control<QPlainTextEdit>(w, QStringLiteral("T_cs_ip(3)"))->setPlainText(QStringLiteral("0001 0002 1234"));
    control<QComboBox>(w, QStringLiteral("Com_rc(5)"))->setEditText(QStringLiteral("2"));
}

bool isConditionToggle(const QString &name)
{
    return name.startsWith(QStringLiteral("C_bi(")) || name.startsWith(QStringLiteral("C_max("))
        || name.startsWith(QStringLiteral("C_danzu"));
}

// The same facts gathered straight from the widgets.
SheetRecord recordOfWidgets(const QWidget *w)
{
    SheetRecord record;
    for (const ColorButton *b : w->findChildren<ColorButton *>()) {
        if (isConditionToggle(b->objectName()) && b->backColor() != Colour::Grey)
            record.selected.insert(b->objectName());
    }
    for (const QCheckBox *box : w->findChildren<QCheckBox *>()) {
        if (box->isChecked())
            record.checked.insert(box->objectName());
    }
    for (const QPlainTextEdit *box : w->findChildren<QPlainTextEdit *>()) {
        if (box->objectName().startsWith(QStringLiteral("T_ding(")) || box->objectName().startsWith(QStringLiteral("T_cs_ip(")))
            record.texts.insert(box->objectName(), box->toPlainText());
    }
    for (const QComboBox *box : w->findChildren<QComboBox *>())
        record.tolerances.insert(box->objectName(), box->currentText());
    return record;
}
}

void TestSheet::recordHoldsWhatTheWindowShows()
{
    auto w = startedWindow();
    selectSome(w.get());
    const SheetRecord record = read_sheet_record(w->controls());
    QCOMPARE(record, recordOfWidgets(w.get()));
    QCOMPARE(record.selected.size(), 10);
    QCOMPARE(record.checked.size(), 3);
    QCOMPARE(record.texts.size(), 9);
    QCOMPARE(record.tolerances.size(), 6);
}

void TestSheet::applyingTheRecordRestoresTheSheet()
{
    auto w = startedWindow();
    selectSome(w.get());
    tick(w.get(), "Check_dm_jchong");
    const SheetRecord record = read_sheet_record(w->controls());
    const int survivors = pressAction(w.get(), 0);

    pressAction(w.get(), 3);
    control<QCheckBox>(w.get(), QStringLiteral("Check_dm_jchong"))->setChecked(false);
    QVERIFY(read_sheet_record(w->controls()) != record);

    apply_sheet_record(w->controls(), record);
    QCOMPARE(recordOfWidgets(w.get()), record);
    // Each family's own colour: ratios and dan green, patterns and exclusions yellow.
    QCOMPARE(button(w.get(), QStringLiteral("C_bi(6)"))->backColor(), Colour::Green);
    QCOMPARE(button(w.get(), QStringLiteral("C_bi(16)"))->backColor(), Colour::Yellow);
    QCOMPARE(button(w.get(), QStringLiteral("C_bi(87)"))->backColor(), Colour::Yellow);
    QCOMPARE(button(w.get(), QStringLiteral("C_bi(155)"))->backColor(), Colour::Yellow);
    QCOMPARE(button(w.get(), QStringLiteral("C_danzu_gs(7)"))->backColor(), Colour::Green);
    QCOMPARE(button(w.get(), QStringLiteral("C_max(14)"))->backColor(), Colour::Green);
    QCOMPARE(button(w.get(), QStringLiteral("C_bi(8)"))->backColor(), Colour::Grey);
    QCOMPARE(pressAction(w.get(), 0), survivors);
}

void TestSheet::resetSheetIsTheClearedRecord()
{
    auto w = startedWindow();
    selectSome(w.get());
    pressAction(w.get(), 3);
    QCOMPARE(read_sheet_record(w->controls()), cleared_record());

    // What a run reads from the reset window and from the cleared record.
    const Selections fromWindow = read_selections(w->controls());
    const Selections fromRecord = selections_from_record(cleared_record());
    QCOMPARE(fromWindow.entered.boxes, fromRecord.entered.boxes);
    QCOMPARE(fromWindow.sumSpan.sumValueText, fromRecord.sumSpan.sumValueText);
    QCOMPARE(fromWindow.baseSetText, fromRecord.baseSetText);
    QCOMPARE(fromWindow.ratios.lists, fromRecord.ratios.lists);
    QCOMPARE(fromWindow.patterns.lists, fromRecord.patterns.lists);
    QCOMPARE(fromWindow.shapes.list, fromRecord.shapes.list);
    QCOMPARE(fromWindow.specialExclusions.captions, fromRecord.specialExclusions.captions);
    QCOMPARE(fromWindow.minMax.smallest + fromWindow.minMax.largest, QString());
    QCOMPARE(fromWindow.total.to, fromRecord.total.to);
    QVERIFY(!fromWindow.positionalKill.struck[33] && !fromRecord.positionalKill.struck[33]);
    // The hint boxes take no part: nothing is eliminated.
    QCOMPARE(pressAction(w.get(), 0), 10000);
}

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
