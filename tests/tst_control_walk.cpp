#include "reference_rules.h"
#include "sheet_driver.h"

#include "core/condition_table.h"
#include "panel/sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

// Walks every member of every row of the table of condition controls through
// the window: set it alone, read the sheet, run "[开始缩水]" and compare with
// a count made here from the four digits, then see "清空条件" and the group's
// "清" clear it. A row added to the table is walked without a change here.
class ControlWalkTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void everyMemberAlone();
};

namespace {
using Fails = std::function<bool(const Digits &)>;

// The typed value of each box and the numbers it marks.
struct TypedBox { const char *name; QString text; Fails fails; };
const TypedBox kTyped[] = {
    {"T_ding(0)", QStringLiteral("1234 5678"), [](const Digits &d) { return d == Digits{1, 2, 3, 4} || d == Digits{5, 6, 7, 8}; }},
    {"T_ding(1)", QStringLiteral("12*3*45*6"), [](const Digits &d) { return (d[0] == 1 || d[0] == 2) && d[1] == 3 && (d[2] == 4 || d[2] == 5) && d[3] == 6; }},
    {"T_ding(2)", QStringLiteral("89"), [](const Digits &d) { return has(d, 8) && has(d, 9); }},
    {"T_ding(3)", QStringLiteral("89"), [](const Digits &d) { return !(has(d, 8) && has(d, 9)); }},
    {"T_ding(4)", QStringLiteral("999"), [](const Digits &d) { return countOf(d, 9) >= 3; }},
    {"T_ding(5)", QStringLiteral("123"), [](const Digits &d) { return !(has(d, 1) && has(d, 2) && has(d, 3)); }},
    {"T_ding(6)", QStringLiteral("1**2"), [](const Digits &d) { return d[0] == 1 && d[3] == 2; }},
    {"T_cs_ip(0)", QStringLiteral("05 16"), [](const Digits &d) { return sumOf(d) == 5 || sumOf(d) == 16; }},
    {"T_cs_ip(3)", QStringLiteral("0007 9990"), [](const Digits &d) { return d != Digits{0, 0, 0, 7} && d != Digits{9, 9, 9, 0}; }},
};

const TypedBox &typed(const QString &name)
{
    return *std::find_if(std::begin(kTyped), std::end(kTyped), [&](const TypedBox &t) { return name == QLatin1String(t.name); });
}

// What the sheet reads with member `offset` of the row set alone, written
// into `s`, and the numbers that member marks. A text box holds `text`.
Fails expectMember(const ConditionRow &row, int offset, const QString &text, Selections &s)
{
    const int index = row.first + offset, part = row.part;
    const auto never = [](const Digits &) { return false; };
    // A member that names a set fails what a sheet holding it alone kills.
    Fails named = never;
    if (const std::optional<NamedRule> rule = namedRule(arrayName(row.array, index)))
        named = [rule](const Digits &d) { return rule->holds(d) != rule->kept; };
    switch (row.selects) {
    case Selects::EnteredList:
        s.entered.boxes[size_t(index)] = text;
        return typed(arrayName(row.array, index)).fails;
    case Selects::SumValues:
        s.sumSpan.sumValueText = text;
        return typed(arrayName(row.array, index)).fails;
    case Selects::BaseSet:
        s.baseSetText = text;
        return typed(arrayName(row.array, index)).fails;
    case Selects::StruckDigit:
        s.positionalKill.struck[size_t(index)] = true;
        return named;
    case Selects::SumTail:
        s.sumSpan.sumTails[size_t(index)] = true;
        return named;
    case Selects::Span:
        s.sumSpan.spans[size_t(index)] = true;
        return named;
    case Selects::KillAllDigit:
        s.sumSpan.killAllDigits[size_t(index)] = true;
        return named;
    case Selects::AcValue:
        s.sumSpan.acValues[size_t(index)] = true;
        return named;
    case Selects::DanDigit:
        // Without a chosen count a row wants at least one hit.
        s.dan.digits[size_t(part)] = QString::number(offset);
        return [offset](const Digits &d) { return !has(d, offset); };
    case Selects::DanCount:
        s.dan.counts[size_t(part)] = QString::number(offset);
        return never;   // a row without dan digits is off
    case Selects::CountRepeats:
        s.dan.countRepeats = true;
        return never;
    case Selects::Ratio:
        s.ratios.lists[size_t(part)] = ratioCaption(offset) + u'*';
        return named;
    case Selects::Shape:
        s.shapes.list = QString::fromUtf16(kShapeCaptions[offset]) + u'*';
        return named;
    case Selects::Pattern:
        s.patterns.lists[size_t(part)] = gridCaption(part, offset) + u'*';
        return named;
    case Selects::Exclusion:
        s.specialExclusions.captions = {QString::fromUtf16(kExclusionCaptions[offset])};
        return named;
    case Selects::SmallestDigit:
        s.minMax.smallest = QString::number(offset);
        return named;
    case Selects::LargestDigit:
        s.minMax.largest = QString::number(offset + 1);
        return named;
    case Selects::ToleranceRange: {
        ToleranceRange &range = row.family == PositionalKillRow ? s.positionalKill.tolerance
                                : row.family == DanRow          ? s.dan.tolerance
                                                                : s.total;
        (offset == 0 ? range.from : range.to) = int16_t(text.toInt());
        return never;   // no family is on
    }
    }
    return never;
}

// Sets the member as the player does; a tolerance or a box gets `text`.
void setMember(const SheetDriver &sheet, const Fmain &w, const ConditionRow &row, int index, const QString &text,
               ModalRecorder &modals)
{
    const QString name = member_names(row)[std::max(index, 0) - std::max(row.first, 0)];
    switch (row.kind) {
    case ControlKind::Toggle: {
        sheet.click(name);
        ColorButton *b = button(&w, name);
        // A hit count above the row's dan digits is refused; a loaded scheme
        // can still hold it.
        if (row.selects == Selects::DanCount && index > row.first) {
            QCOMPARE(b->backColor(), Colour::Grey);
            QVERIFY(!modals.messages.isEmpty() && modals.messages.takeLast().text == u"出胆个数不能大于选胆个数");
            b->setBackColor(row.selectedColour);
        }
        QCOMPARE(b->backColor(), row.selectedColour);
        break;
    }
    case ControlKind::Check:
        sheet.tick(name);
        break;
    case ControlKind::Text:
        sheet.type(name, text);
        break;
    case ControlKind::Tolerance:
        sheet.setTolerance(index, text);
        break;
    }
}
}

void ControlWalkTest::everyMemberAlone()
{
    ModalRecorder modals;
    auto w = startedWindow();
    const SheetDriver sheet(w.get());
    const Selections cleared = selections_from_record(cleared_record());
    // The boxes start with one more line break than a reset gives them.
    pressAction(w.get(), 3);
    QCOMPARE(read_selections(w->controls()), cleared);
    int walked = 0;
    for (const ConditionRow &row : condition_rows()) {
        for (int index = row.first; index <= row.last; ++index) {
            const QString name = member_names(row)[index - row.first];
            const QString text = row.kind == ControlKind::Tolerance ? QStringLiteral("1")
                                 : row.kind == ControlKind::Text    ? typed(name).text
                                                                    : QString();
            Selections expected = cleared;
            const Fails fails = expectMember(row, std::max(index, 0) - std::max(row.first, 0), text, expected);

            setMember(sheet, *w, row, index, text, modals);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(name));
            QVERIFY2(read_selections(w->controls()) == expected, qPrintable(name));
            QVERIFY2(selections_from_record(read_sheet_record(w->controls())) == expected, qPrintable(name));

            QStringList kept;
            for (int n = 0; n < kCandidateCount; ++n) {
                if (expected.total.contains(fails(digitsOf(n)) ? 1 : 0))
                    kept.append(QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')));
            }
            QVERIFY2(sheet.run() == kept.size(), qPrintable(name));
            QVERIFY2(w->shrinkState().ResultText == kept.join(u' '), qPrintable(name));

            // "清空条件" clears it; 胆码计重 keeps its tick.
            pressAction(w.get(), 3);
            const bool keeps = row.selects == Selects::CountRepeats;
            QVERIFY2(read_selections(w->controls()) == (keeps ? expected : cleared), qPrintable(name));
            if (keeps)
                sheet.tick(name, false);

            // So does the group's own "清"; a box it empties is left blank.
            if (row.clearButton != kNoButton) {
                setMember(sheet, *w, row, index, text, modals);
                sheet.click("C_cls", row.clearButton);
                Selections blank = cleared;
                if (row.kind == ControlKind::Text)
                    expectMember(row, 0, QString(), blank);
                QVERIFY2(read_selections(w->controls()) == blank, qPrintable(name));
                pressAction(w.get(), 3);
            }
            QVERIFY2(read_selections(w->controls()) == cleared, qPrintable(name));
            ++walked;
        }
    }
    // Every member of the table, and every control of those kinds on the sheet.
    int members = 0;
    for (const ConditionRow &row : condition_rows())
        members += row.count();
    QCOMPARE(walked, members);
    QCOMPARE(walked, int(w->findChildren<ColorButton *>(QRegularExpression(QStringLiteral("^C_(bi|max|danzu|danzu_gs)\\("))).size()
                         + w->findChildren<QCheckBox *>().size()
                         + w->findChildren<QComboBox *>(QRegularExpression(QStringLiteral("^Com_rc\\("))).size()
                         + w->findChildren<QPlainTextEdit *>(QRegularExpression(QStringLiteral("^(T_ding|T_cs_ip)\\("))).size()));
    QVERIFY(modals.messages.isEmpty());
}

QTEST_MAIN(ControlWalkTest)
#include "tst_control_walk.moc"
