#include "testsupport.h"

#include "core/condition_table.h"
#include "panel/sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>
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
using Digits = std::array<int, 4>;   // thousands .. units
using Fails = std::function<bool(const Digits &)>;

Digits digitsOf(int n) { return {n / 1000, n / 100 % 10, n / 10 % 10, n % 10}; }
bool has(const Digits &d, int digit) { return std::count(d.begin(), d.end(), digit) > 0; }
int sum(const Digits &d) { return d[0] + d[1] + d[2] + d[3]; }
int smallest(const Digits &d) { return *std::min_element(d.begin(), d.end()); }
int largest(const Digits &d) { return *std::max_element(d.begin(), d.end()); }
bool in(const char *digits, int digit) { return std::strchr(digits, '0' + digit) != nullptr; }

int acValue(const Digits &d)
{
    std::array<bool, 10> seen{};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            seen[size_t(std::abs(d[i] - d[j]))] = true;
    return int(std::count(seen.begin(), seen.end(), true));
}

// Longest run of digits next to each other on the ring 0-9 (9 and 0 touch).
int longestRun(const Digits &d)
{
    int best = 0;
    for (int start = 0; start < 10; ++start) {
        int run = 0;
        while (run < 10 && has(d, (start + run) % 10))
            ++run;
        best = std::max(best, run);
    }
    return std::min(best, 4);
}

// AAAA, AAAB, AABC, AABB, ABCD as 0 .. 4.
int repetitionShape(const Digits &d)
{
    int distinct = 0, most = 0;
    for (int v = 0; v < 10; ++v) {
        const int n = int(std::count(d.begin(), d.end(), v));
        distinct += n > 0;
        most = std::max(most, n);
    }
    const int byDistinct[] = {0, 0, most == 2 ? 3 : 1, 2, 4};
    return byDistinct[distinct];
}

bool hasShape(int shape, const Digits &x)
{
    const int a = x[0], b = x[1], c = x[2], d = x[3];
    switch (shape) {
    case 0: return a <= b && b <= c && c <= d && a != d;
    case 1: return a >= b && b >= c && c >= d && a != d;
    case 2: return (a < b && c > d) || (a <= b && b < c && c > d) || (a < b && b > c && c >= d);
    case 3: return (a > b && c < d) || (a >= b && b > c && c < d) || (a > b && b < c && c <= d);
    case 4: return a < b && b > c && c < d;
    default: return a > b && b < c && c > d;
    }
}

const char16_t *const kShapes[] = {u"上山", u"下山", u"凸形", u"凹形", u"N形", u"反N形"};
const char16_t *const kExclusions[] = {u"不连", u"2连", u"3连", u"4连", u"AAAA", u"AAAB", u"AABC", u"AABB", u"ABCD"};
const char *const kRatioClass[] = {"56789", "13579", "12357"};
const char *const kSecondClass[] = {"01234", "02468", "04689"};
const char16_t *const kClassNames[] = {u"大小", u"奇偶", u"质合"};

// Member j of a class grid: second class at tens for bit 1, hundreds 2,
// thousands 4, units 8. Of the route grid: column g = 3 tens route + units
// route, row i = 3 thousands route + hundreds route, columns from 2 on
// numbered from the bottom.
std::array<int, 4> patternOf(int grid, int offset)
{
    if (grid < 3) {
        const int bit[] = {4, 2, 1, 8};
        return {bool(offset & bit[0]), bool(offset & bit[1]), bool(offset & bit[2]), bool(offset & bit[3])};
    }
    const int g = offset / 9, i = g < 2 ? offset % 9 : 8 - offset % 9;
    return {i / 3, i % 3, g / 3, g % 3};
}

std::array<int, 4> patternOfNumber(int grid, const Digits &d)
{
    std::array<int, 4> p{};
    for (int k = 0; k < 4; ++k)
        p[size_t(k)] = grid < 3 ? in(kSecondClass[grid], d[size_t(k)]) : d[size_t(k)] % 3;
    return p;
}

// The typed value of each box and the numbers it marks.
struct TypedBox { const char *name; QString text; Fails fails; };
const TypedBox kTyped[] = {
    {"T_ding(0)", QStringLiteral("1234 5678"), [](const Digits &d) { return d == Digits{1, 2, 3, 4} || d == Digits{5, 6, 7, 8}; }},
    {"T_ding(1)", QStringLiteral("12*3*45*6"), [](const Digits &d) { return in("12", d[0]) && d[1] == 3 && in("45", d[2]) && d[3] == 6; }},
    {"T_ding(2)", QStringLiteral("89"), [](const Digits &d) { return has(d, 8) && has(d, 9); }},
    {"T_ding(3)", QStringLiteral("89"), [](const Digits &d) { return !(has(d, 8) && has(d, 9)); }},
    {"T_ding(4)", QStringLiteral("999"), [](const Digits &d) { return std::count(d.begin(), d.end(), 9) >= 3; }},
    {"T_ding(5)", QStringLiteral("123"), [](const Digits &d) { return !(has(d, 1) && has(d, 2) && has(d, 3)); }},
    {"T_ding(6)", QStringLiteral("1**2"), [](const Digits &d) { return d[0] == 1 && d[3] == 2; }},
    {"T_cs_ip(0)", QStringLiteral("05 16"), [](const Digits &d) { return sum(d) == 5 || sum(d) == 16; }},
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
        return [index](const Digits &d) { return d[size_t(index / 10)] == index % 10; };
    case Selects::SumTail:
        s.sumSpan.sumTails[size_t(index)] = true;
        return [index](const Digits &d) { return sum(d) % 10 == index; };
    case Selects::Span:
        s.sumSpan.spans[size_t(index)] = true;
        return [index](const Digits &d) { return largest(d) - smallest(d) == index; };
    case Selects::KillAllDigit:
        s.sumSpan.killAllDigits[size_t(index)] = true;
        return [index](const Digits &d) { return has(d, index); };
    case Selects::AcValue:
        s.sumSpan.acValues[size_t(index)] = true;
        return [index](const Digits &d) { return acValue(d) == index + 1; };
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
        s.ratios.lists[size_t(part)] = QStringLiteral("%1:%2*").arg(offset).arg(4 - offset);
        return [part, offset](const Digits &d) {
            return std::count_if(d.begin(), d.end(), [&](int v) { return in(kRatioClass[part], v); }) != offset;
        };
    case Selects::Shape:
        s.shapes.list = QString::fromUtf16(kShapes[offset]) + u'*';
        return [offset](const Digits &d) { return hasShape(offset, d); };
    case Selects::Pattern: {
        const std::array<int, 4> pattern = patternOf(part, offset);
        QString caption;
        for (int p : pattern)
            caption += part < 3 ? QChar(kClassNames[part][p]) : QChar(u'0' + p);
        s.patterns.lists[size_t(part)] = caption + u'*';
        return [part, pattern](const Digits &d) { return patternOfNumber(part, d) == pattern; };
    }
    case Selects::Exclusion:
        s.specialExclusions.captions = {QString::fromUtf16(kExclusions[offset])};
        return [offset](const Digits &d) {
            return offset < 4 ? longestRun(d) == offset + 1 : repetitionShape(d) == offset - 4;
        };
    case Selects::SmallestDigit:
        s.minMax.smallest = QString::number(offset);
        return [offset](const Digits &d) { return smallest(d) != offset; };
    case Selects::LargestDigit:
        s.minMax.largest = QString::number(offset + 1);
        return [offset](const Digits &d) { return largest(d) != offset + 1; };
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
void setMember(Fmain &w, const ConditionRow &row, int index, const QString &text, ModalRecorder &modals)
{
    const Controls &c = w.controls();
    switch (row.kind) {
    case ControlKind::Toggle: {
        ColorButton *b = toggle_at(c, row, index);
        b->click();
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
        check_at(c, row, index)->click();
        break;
    case ControlKind::Text:
        text_at(c, row, index)->setPlainText(text);
        break;
    case ControlKind::Tolerance:
        tolerance_at(c, row, index)->setEditText(text);
        break;
    }
}
}

void ControlWalkTest::everyMemberAlone()
{
    ModalRecorder modals;
    auto w = startedWindow();
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

            setMember(*w, row, index, text, modals);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(name));
            QVERIFY2(read_selections(w->controls()) == expected, qPrintable(name));
            QVERIFY2(selections_from_record(read_sheet_record(w->controls())) == expected, qPrintable(name));

            QStringList kept;
            for (int n = 0; n < kCandidateCount; ++n) {
                if (expected.total.contains(fails(digitsOf(n)) ? 1 : 0))
                    kept.append(QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')));
            }
            QVERIFY2(pressAction(w.get(), 0) == kept.size(), qPrintable(name));
            QVERIFY2(w->shrinkState().ResultText == kept.join(u' '), qPrintable(name));

            // "清空条件" clears it; 胆码计重 keeps its tick.
            pressAction(w.get(), 3);
            const bool keeps = row.selects == Selects::CountRepeats;
            QVERIFY2(read_selections(w->controls()) == (keeps ? expected : cleared), qPrintable(name));
            if (keeps)
                setMember(*w, row, index, text, modals);

            // So does the group's own "清"; a box it empties is left blank.
            if (row.clearButton != kNoButton) {
                setMember(*w, row, index, text, modals);
                button(w.get(), QStringLiteral("C_cls(%1)").arg(row.clearButton))->click();
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
