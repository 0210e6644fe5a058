#include "filters/entered_lists.h"

#include "core/text.h"
#include "filters/candidate_digits.h"

#include <QStringTokenizer>
#include <algorithm>
#include <bitset>
#include <unordered_set>

namespace {
constexpr uint16_t kAnyDigit = 0x3FF;

bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }
int digitValue(QChar ch) { return ch.unicode() - u'0'; }

// Calls use(entry) for every entry of exactly `length` digits in a digit-list
// box, where any character but a digit separates entries. Returns false when
// the box holds no digit at all, which switches its filter off.
template<typename Use>
bool forEachEntry(QStringView boxText, qsizetype length, Use use)
{
    const QString cleaned = only_str(trim_spaces(boxText), u"0123456789");
    if (cleaned.isEmpty())
        return false;
    for (QStringView entry : qTokenize(cleaned, u' ')) {
        if (entry.size() == length)
            use(entry);
    }
    return true;
}

// A combination's digits in ascending order, read as a number: "98" -> 89.
int sortedKey(QStringView entry)
{
    std::array<int, 3> digits{};
    for (qsizetype i = 0; i < entry.size(); ++i)
        digits[i] = digitValue(entry[i]);
    std::sort(digits.begin(), digits.begin() + entry.size());
    int key = 0;
    for (qsizetype i = 0; i < entry.size(); ++i)
        key = 10 * key + digits[i];
    return key;
}

// A candidate contains a combination when the combination's digits are among
// its own as a multiset ("55" needs two 5s). So it is enough to look up every
// choice of `length` of the candidate's sorted digits among the listed keys.
void filterCombinations(QStringView boxText, qsizetype length, bool mustContain, CandidateMatrix &matrix)
{
    std::array<bool, 1000> listed{};
    const bool boxHasDigits = forEachEntry(boxText, length, [&](QStringView entry) { listed[sortedKey(entry)] = true; });
    if (!boxHasDigits)
        return;

    const CandidateDigits &cd = candidate_digits();
    std::array<bool, kMultisetCount> rejected{};
    for (int m = 0; m < kMultisetCount; ++m) {
        bool contains = false;
        for (unsigned chosen = 0; chosen < 16 && !contains; ++chosen) {
            if (__builtin_popcount(chosen) != length)
                continue;
            int key = 0;
            for (int i = 0; i < 4; ++i) {
                if (chosen & (1u << i))
                    key = 10 * key + cd.multisets[m][i];
            }
            contains = listed[key];
        }
        rejected[m] = contains != mustContain;
    }
    mark_rejected(matrix, EnteredListRow, cd.multiset, rejected);
}

// Candidates covered by at least one product of four digit sets (thousands,
// hundreds, tens, units). Compound bets and positional patterns are both such
// products. Held as a set of (tens, units) pairs per (thousands, hundreds)
// pair, so a product costs at most 100 set unions however many it covers,
// and a repeated product nothing.
class CoveredCandidates
{
public:
    void add(const std::array<uint16_t, 4> &digitSets)
    {
        if (std::find(digitSets.begin(), digitSets.end(), 0) != digitSets.end())
            return;
        const uint64_t key = uint64_t(digitSets[0]) | uint64_t(digitSets[1]) << 10
                             | uint64_t(digitSets[2]) << 20 | uint64_t(digitSets[3]) << 30;
        if (!m_added.insert(key).second)
            return;
        std::bitset<100> trailing;
        for (int tens = 0; tens < 10; ++tens) {
            for (int units = 0; units < 10; ++units) {
                if ((digitSets[2] >> tens & 1) && (digitSets[3] >> units & 1))
                    trailing.set(10 * tens + units);
            }
        }
        for (int thousands = 0; thousands < 10; ++thousands) {
            for (int hundreds = 0; hundreds < 10; ++hundreds) {
                if ((digitSets[0] >> thousands & 1) && (digitSets[1] >> hundreds & 1))
                    m_trailingByLeading[10 * thousands + hundreds] |= trailing;
            }
        }
    }

    void mark(CandidateMatrix &matrix) const
    {
        int16_t *marks = matrix.row(EnteredListRow);
        for (int leading = 0; leading < 100; ++leading) {
            const std::bitset<100> &trailing = m_trailingByLeading[leading];
            if (trailing.none())
                continue;
            for (int t = 0; t < 100; ++t) {
                if (trailing.test(t))
                    marks[100 * leading + t] = 1;
            }
        }
    }

private:
    std::unordered_set<uint64_t> m_added;
    std::array<std::bitset<100>, 100> m_trailingByLeading{};
};
}

void kill_straight_list(QStringView boxText, CandidateMatrix &matrix)
{
    int16_t *marks = matrix.row(EnteredListRow);
    forEachEntry(boxText, 4, [marks](QStringView entry) { marks[entry.toInt()] = 1; });
}

void kill_compound_bets(QStringView boxText, CandidateMatrix &matrix)
{
    const QStringView text = trim_spaces(boxText);
    if (!text.contains(u'*'))
        return;
    // A line is "千*百*十*个": field k holds the digits allowed at position k.
    // Lines with fewer than four fields are ignored, fields after the fourth too.
    CoveredCandidates covered;
    for (const QString &line : split_lines(text)) {
        std::array<uint16_t, 4> digitSets{};
        int field = 0;
        for (QChar ch : line) {
            if (ch == u'*')
                ++field;
            else if (field < 4 && isAsciiDigit(ch))
                digitSets[field] = uint16_t(digitSets[field] | 1u << digitValue(ch));
        }
        if (field >= 3)
            covered.add(digitSets);
    }
    covered.mark(matrix);
}

void kill_two_code(QStringView boxText, CandidateMatrix &matrix)
{
    filterCombinations(boxText, 2, false, matrix);
}

void must_two_code(QStringView boxText, CandidateMatrix &matrix)
{
    filterCombinations(boxText, 2, true, matrix);
}

void kill_three_code(QStringView boxText, CandidateMatrix &matrix)
{
    filterCombinations(boxText, 3, false, matrix);
}

void must_three_code(QStringView boxText, CandidateMatrix &matrix)
{
    filterCombinations(boxText, 3, true, matrix);
}

QString clean_pattern_text(QStringView text)
{
    QString kept(text.size(), u' ');
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isAsciiDigit(text[i]) || text[i] == u'*')
            kept[i] = text[i];
    }
    return trim_spaces(collapse_space_pairs(kept, 5)).toString();
}

void kill_position_patterns(QStringView boxText, CandidateMatrix &matrix)
{
    const QString cleaned = clean_pattern_text(trim_spaces(boxText));
    if (cleaned.isEmpty())
        return;
    // The first token that is not four characters long ends the pattern list;
    // a run of spaces the cleaning left double gives such a token (an empty one).
    CoveredCandidates covered;
    for (QStringView token : qTokenize(cleaned, u' ')) {
        if (token.size() != 4)
            break;
        std::array<uint16_t, 4> digitSets{};
        for (int p = 0; p < 4; ++p)
            digitSets[p] = token[p] == u'*' ? kAnyDigit : uint16_t(1u << digitValue(token[p]));
        covered.add(digitSets);
    }
    covered.mark(matrix);
}

void entered_list_filters(const EnteredListSelection &selection, CandidateMatrix &matrix)
{
    kill_straight_list(selection.boxes[0], matrix);
    kill_compound_bets(selection.boxes[1], matrix);
    kill_two_code(selection.boxes[2], matrix);
    must_two_code(selection.boxes[3], matrix);
    kill_three_code(selection.boxes[4], matrix);
    must_three_code(selection.boxes[5], matrix);
    kill_position_patterns(selection.boxes[6], matrix);
}
