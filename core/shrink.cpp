#include "core/shrink.h"

#include "core/text.h"
#include "core/typed_box.h"

#include <algorithm>

QString four_digits(int n)
{
    const char16_t chars[4] = {char16_t(u'0' + n / 1000), char16_t(u'0' + n / 100 % 10),
                               char16_t(u'0' + n / 10 % 10), char16_t(u'0' + n % 10)};
    return QString(reinterpret_cast<const QChar *>(chars), 4);
}

ResultList list_numbers(const std::function<bool(int)> &isListed)
{
    ResultList result;
    QString text(kCandidateCount * 5, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (int n = 0; n < kCandidateCount; ++n) {
        if (!isListed(n))
            continue;
        out[0] = char16_t(u'0' + n / 1000);
        out[1] = char16_t(u'0' + n / 100 % 10);
        out[2] = char16_t(u'0' + n / 10 % 10);
        out[3] = char16_t(u'0' + n % 10);
        out[4] = u' ';
        out += 5;
        ++result.count;
    }
    text.truncate(std::max(result.count * 5 - 1, 0));
    result.text = std::move(text);
    return result;
}

QStringList display_lines(const QString &numbers)
{
    // A full line is four numbers with their spaces: twenty characters of
    // the text, whose last one is already the separating space.
    constexpr qsizetype kLineLength = 4 * 5;
    QStringList lines;
    lines.reserve(numbers.size() / kLineLength + 1);
    for (qsizetype start = 0; start < numbers.size(); start += kLineLength) {
        QString line = numbers.sliced(start, std::min(kLineLength, numbers.size() - start));
        if (!line.endsWith(u' '))
            line += u' ';
        lines.append(line);
    }
    return lines;
}

void fill_candidate_matrix(ShrinkState &state)
{
    state.matrix = std::make_unique<CandidateMatrix>();
    CandidateMatrix &m = *state.matrix;
    int n = 0;
    for (int16_t thousands = 0; thousands < 10; ++thousands) {
        for (int16_t hundreds = 0; hundreds < 10; ++hundreds) {
            for (int16_t tens = 0; tens < 10; ++tens) {
                for (int16_t units = 0; units < 10; ++units, ++n) {
                    m.cells[ThousandsRow][n] = thousands;
                    m.cells[HundredsRow][n] = hundreds;
                    m.cells[TensRow][n] = tens;
                    m.cells[UnitsRow][n] = units;
                }
            }
        }
    }
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

// Calls use(number) for every number of the base-set box: any character
// other than a digit separates numbers, as in the other list boxes, and
// only runs of four digits are numbers.
template<typename Use>
void forEachBaseNumber(QStringView boxText, Use use)
{
    const QString cleaned = only_str(boxText, u"0123456789");
    for (QStringView token : split_spaces(cleaned)) {
        if (token.size() == 4)
            use(token);
    }
}
}

int16_t read_base_set(QStringView boxText, CandidateMatrix &matrix)
{
    if (holdsNoBaseSet(boxText))
        return 0;
    int16_t *base = matrix.row(BaseRow);
    forEachBaseNumber(boxText, [base](QStringView number) { base[number.toInt()] = 1; });
    return 1;
}

UnreadEntries unread_base_set(QStringView boxText, QStringView hint)
{
    // While the box names 号码 no number in it is read.
    const bool off = holdsNoBaseSet(boxText);
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&](QStringView entry) {
        qsizetype taken = 0;
        forEachBaseNumber(entry, [&taken](QStringView number) { taken += number.size(); });
        if (off || taken != entry.size())
            unread.add(entry);
    });
    return unread;
}

FailureCounts failure_counts(const CandidateMatrix &matrix)
{
    FailureCounts failures{};
    for (int r = EnteredListRow; r <= LastSummedRow; ++r) {
        const int16_t *marks = matrix.row(r);
        for (int c = 0; c < kCandidateCount; ++c)
            failures[c] = int16_t(failures[c] + marks[c]);
    }
    return failures;
}

void apply_tolerance(CandidateMatrix &matrix, ToleranceRange total, int16_t baseSetActive)
{
    const FailureCounts failures = failure_counts(matrix);
    int16_t *kill = matrix.row(KillRow);
    const int16_t *base = matrix.row(BaseRow);
    for (int c = 0; c < kCandidateCount; ++c) {
        const bool outsideBase = baseSetActive == 1 && base[c] == 0;
        if (outsideBase || !total.contains(failures[c]))
            kill[c] = 1;
    }
}

namespace {
// Lists the candidates whose kill-row value is `killed` and makes them the result.
ResultList listByKillRow(ShrinkState &state, int16_t killed)
{
    if (!state.matrix)
        fill_candidate_matrix(state);
    const int16_t *kill = state.matrix->row(KillRow);
    ResultList result = list_numbers([kill, killed](int n) { return kill[n] == killed; });
    state.ResultText = result.text;
    return result;
}
}

ResultList collect_survivors(ShrinkState &state)
{
    return listByKillRow(state, 0);
}

ResultList invert_result(ShrinkState &state)
{
    return listByKillRow(state, 1);
}
