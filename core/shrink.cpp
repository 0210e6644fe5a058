#include "core/shrink.h"

#include "core/text.h"
#include "core/typed_box.h"

#include <algorithm>
#include <array>

namespace {
using DigitText = std::array<char16_t, 4>;

// Every number's four digits as a list writes them: a result of 10,000
// numbers copies them rather than working each out again.
const std::array<DigitText, kCandidateCount> &digitTexts()
{
    static const auto table = [] {
        std::array<DigitText, kCandidateCount> texts;
        for (int n = 0; n < kCandidateCount; ++n)
            texts[n] = {char16_t(u'0' + n / 1000), char16_t(u'0' + n / 100 % 10), char16_t(u'0' + n / 10 % 10),
                        char16_t(u'0' + n % 10)};
        return texts;
    }();
    return table;
}
}

QString four_digits(int n)
{
    return QString(reinterpret_cast<const QChar *>(digitTexts()[n].data()), 4);
}

ResultList list_numbers(const CandidateSet &listed)
{
    ResultList result;
    result.count = listed.size();
    QString text(result.count * 5, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto &texts = digitTexts();
    listed.forEach([&out, &texts](int n) {
        std::copy(texts[n].begin(), texts[n].end(), out);
        out[4] = u' ';
        out += 5;
    });
    text.chop(1);
    result.text = std::move(text);
    return result;
}

namespace {
// A full line is four numbers with their spaces: twenty characters of the
// text, whose last one is already the separating space.
constexpr qsizetype kLineLength = 4 * 5;
}

int display_line_count(const QString &numbers)
{
    return int((numbers.size() + kLineLength - 1) / kLineLength);
}

QString display_line(const QString &numbers, int line)
{
    const qsizetype start = line * kLineLength;
    QString shown = numbers.sliced(start, std::min(kLineLength, numbers.size() - start));
    if (!shown.endsWith(u' '))
        shown += u' ';
    return shown;
}

QStringList display_lines(const QString &numbers)
{
    QStringList lines;
    const int count = display_line_count(numbers);
    lines.reserve(count);
    for (int line = 0; line < count; ++line)
        lines.append(display_line(numbers, line));
    return lines;
}

void fill_candidate_matrix(ShrinkState &state)
{
    // The digit rows need no filling: a column's digits are its own number's.
    state.matrix = std::make_unique<CandidateMatrix>();
    state.ResultText.clear();
}

namespace {
// The untouched hint, any text naming 号码, and a box of blanks alone mean
// no base set.
bool holdsNoBaseSet(QStringView boxText)
{
    if (boxText.contains(u"号码"))
        return true;
    return std::all_of(boxText.begin(), boxText.end(), [](QChar ch) {
        return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r';
    });
}
}

int16_t read_base_set(QStringView boxText, CandidateSet &baseRow)
{
    if (holdsNoBaseSet(boxText))
        return 0;
    // Any character other than a digit separates numbers, as in the other list boxes.
    for_each_number(boxText, 4, [&baseRow](int number) { baseRow.insert(number); });
    return 1;
}

UnreadEntries unread_base_set(QStringView boxText, QStringView hint)
{
    // While the box names 号码 no number in it is read.
    const bool off = holdsNoBaseSet(boxText);
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&](QStringView entry) {
        qsizetype taken = 0;
        for_each_number(entry, 4, [&taken](int) { taken += 4; });
        if (off || taken != entry.size())
            unread.add(entry);
    });
    return unread;
}

FailureCounts failure_counts(const CandidateMatrix &matrix)
{
    // Rows 13-49 are always 0: a candidate fails as many conditions as
    // families mark it.
    FailureCounts failures{};
    for (const CandidateSet &marks : matrix.familyRows())
        marks.forEach([&failures](int c) { ++failures[size_t(c)]; });
    return failures;
}

void apply_tolerance(CandidateMatrix &matrix, ToleranceRange total, int16_t baseSetActive)
{
    // Rows 13-49 are always 0: the count of marks is the count of families.
    CandidateSet kept = counted_between(matrix.familyRows(), total.from, total.to);
    if (baseSetActive == 1)
        kept &= matrix.row(BaseRow);
    matrix.row(KillRow) = kept.complement();
}

namespace {
// Lists the candidates the last run killed, or those it kept, and makes them the result.
ResultList listByKillRow(ShrinkState &state, bool killed)
{
    if (!state.matrix)
        fill_candidate_matrix(state);
    const CandidateSet &kill = state.matrix->row(KillRow);
    ResultList result = list_numbers(killed ? kill : kill.complement());
    state.ResultText = result.text;
    return result;
}
}

ResultList collect_survivors(ShrinkState &state)
{
    return listByKillRow(state, false);
}

ResultList invert_result(ShrinkState &state)
{
    return listByKillRow(state, true);
}
