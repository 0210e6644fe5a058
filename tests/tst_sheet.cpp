#include "panel/sheet.h"
#include "sheet_driver.h"

#include <QTextCursor>
#include <functional>

// Reading the window's condition controls into a record and setting them
// back from one.
class TestSheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void recordHoldsWhatTheWindowShowsAndSetsItBack();
    void resetSheetIsTheClearedRecord();
    void keptBoxTextFollowsEveryChange_data();
    void keptBoxTextFollowsEveryChange();
};

namespace {
// A sheet touched in every kind of control, as a player would.
void selectSome(const SheetDriver &sheet)
{
    for (const char *name : {"C_bi(6)", "C_bi(7)", "C_bi(16)", "C_bi(87)", "C_bi(155)", "C_max(3)", "C_max(14)",
                             "C_danzu(12)", "C_danzu(15)", "C_danzu_gs(7)"})
        sheet.click(QLatin1String(name));
    for (const char *name : {"Check_hewei_sha1(33)", "Check_ac_sha(5)", "Check_tsm_sha(0)"})
        sheet.tick(QLatin1String(name));
    sheet.type(QStringLiteral("T_ding(3)"), QStringLiteral("12 34\n56"));
    sheet.type(QStringLiteral("T_cs_ip(3)"), QStringLiteral("0001 0002 1234"));
    sheet.setTolerance(5, QStringLiteral("2"));
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

void TestSheet::recordHoldsWhatTheWindowShowsAndSetsItBack()
{
    auto w = startedWindow();
    const SheetDriver sheet(w.get());
    selectSome(sheet);
    sheet.tick(QStringLiteral("Check_dm_jchong"));
    const SheetRecord record = read_sheet_record(w->controls());
    QCOMPARE(record, recordOfWidgets(w.get()));
    QCOMPARE(record.selected.size(), 10);
    QCOMPARE(record.checked.size(), 4);
    QCOMPARE(record.texts.size(), 9);
    QCOMPARE(record.tolerances.size(), 6);
    const int survivors = sheet.run();

    pressAction(w.get(), 3);
    sheet.tick(QStringLiteral("Check_dm_jchong"), false);
    QVERIFY(read_sheet_record(w->controls()) != record);
    apply_sheet_record(w->controls(), record);
    QCOMPARE(recordOfWidgets(w.get()), record);
    // Each family's own colour: ratios and dan green, patterns and exclusions yellow.
    for (auto [name, colour] : {std::pair{"C_bi(6)", Colour::Green}, {"C_bi(16)", Colour::Yellow}, {"C_bi(87)", Colour::Yellow},
                                {"C_bi(155)", Colour::Yellow}, {"C_danzu_gs(7)", Colour::Green}, {"C_max(14)", Colour::Green},
                                {"C_bi(8)", Colour::Grey}})
        QVERIFY2(button(w.get(), QLatin1String(name))->backColor() == colour, name);
    QCOMPARE(sheet.run(), survivors);
}

void TestSheet::resetSheetIsTheClearedRecord()
{
    auto w = startedWindow();
    const SheetDriver sheet(w.get());
    selectSome(sheet);
    pressAction(w.get(), 3);
    QCOMPARE(read_sheet_record(w->controls()), cleared_record());

    // What a run reads from the reset window and from the cleared record.
    QVERIFY(read_selections(w->controls()) == selections_from_record(cleared_record()));
    // The hint boxes take no part: nothing is eliminated.
    QCOMPARE(sheet.run(), 10000);
}


void TestSheet::keptBoxTextFollowsEveryChange_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("set whole") << 0;
    QTest::newRow("typed at the end") << 1;
    QTest::newRow("undone") << 2;
    QTest::newRow("emptied") << 3;
    QTest::newRow("document set") << 4;
}

// The text a box keeps for its readers is never one from before a change,
// whichever way the box changed; a reader in the box's own change signal
// already sees the new text.
void TestSheet::keptBoxTextFollowsEveryChange()
{
    QFETCH(int, change);
    QPlainTextEdit box;
    box.setPlainText(QStringLiteral("1234 5678\n0001"));
    QCOMPARE(typed_text(&box), QStringLiteral("1234 5678\n0001"));
    QString seenInSignal;
    connect(&box, &QPlainTextEdit::textChanged, &box, [&] { seenInSignal = typed_text(&box); });
    const std::function<void()> changes[] = {
        [&] { box.setPlainText(QStringLiteral("9999")); },
        [&] { box.moveCursor(QTextCursor::End); box.insertPlainText(QStringLiteral(" 4321")); },
        [&] { box.moveCursor(QTextCursor::End); box.insertPlainText(QStringLiteral("7")); box.undo(); box.undo(); },
        [&] { box.clear(); },
        [&] { box.document()->setPlainText(QStringLiteral("0000\n1111")); },
    };
    changes[change]();
    QCOMPARE(typed_text(&box), box.toPlainText());
    QCOMPARE(seenInSignal, box.toPlainText());
    QCOMPARE(kept_typed_text(&box), std::optional<QString>(box.toPlainText()));
}

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
