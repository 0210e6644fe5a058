#include "filters/entered_lists.h"

#include "core/text.h"
#include "core/typed_box.h"
#include "filters/candidate_digits.h"

#include <QStringTokenizer>
#include <algorithm>
#include <bit>
#include <bitset>
#include <span>
#include <vector>

namespace {
constexpr uint16_t kAnyDigit = 0x3FF;

bool isAsciiDigit(QChar ch) { return unsigned(ch.unicode() - u'0') < 10u; }
int digitValue(QChar ch) { return ch.unicode() - u'0'; }

// Calls use(entry) for every entry of exactly `length` digits in a digit-list
// box. Returns false when the box holds no digit at all, which switches its
// filter off. Cleaning a box to digits and single spaces (only_str) leaves
// exactly its maximal runs of digits as entries, so they are read straight
// from the text: a pasted list of megabytes costs one pass.
template<typename Use>
bool forEachEntry(QStringView boxText, qsizetype length, Use use)
{
    bool anyDigit = false;
    const QChar *const end = boxText.end();
    const QChar *ch = boxText.begin();
    while (ch != end) {
        if (!isAsciiDigit(*ch)) {
            ++ch;
            continue;
        }
        const QChar *const start = ch;
        while (ch != end && isAsciiDigit(*ch))
            ++ch;
        anyDigit = true;
        if (ch - start == length)
            use(QStringView(start, length));
    }
    return anyDigit;
}

// An entry of a digit-list box is read when the box's reader takes it whole.
template<qsizetype Length>
UnreadEntries unreadInDigitList(QStringView boxText, QStringView hint)
{
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&unread](QStringView entry) {
        qsizetype taken = 0;
        forEachEntry(entry, Length, [&taken](QStringView read) { taken += read.size(); });
        if (taken != entry.size())
            unread.add(entry);
    });
    return unread;
}

// A line of the compound box, "千*百*十*个": the digits field k holds for
// position k. Fields after the fourth are not read, and in a field only its
// digits are.
struct CompoundLine
{
    std::array<uint16_t, 4> digitSets{};
    int fields = 1;
    bool unreadCharacters = false;  // other than the fields' digits, blanks and "*"
};

CompoundLine readCompoundLine(QStringView line)
{
    CompoundLine read;
    for (QChar ch : line) {
        if (ch == u'*') {
            ++read.fields;
        } else if (read.fields <= 4 && isAsciiDigit(ch)) {
            uint16_t &digits = read.digitSets[read.fields - 1];
            digits = uint16_t(digits | 1u << digitValue(ch));
        } else if (ch != u' ' && ch != u'\t') {
            read.unreadCharacters = true;
        }
    }
    return read;
}

// The patterns of the positional box's cleaned text: its tokens up to the
// first that is not four characters long. A run of spaces the cleaning left
// double gives such a token (an empty one).
QList<QStringView> patternsOf(QStringView cleaned)
{
    QList<QStringView> patterns;
    if (cleaned.isEmpty())
        return patterns;
    for (QStringView token : qTokenize(cleaned, u' ')) {
        if (token.size() != 4)
            break;
        patterns.append(token);
    }
    return patterns;
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
// choice of two (three) of the candidate's sorted digits among the listed keys.
// A choice is a set of positions in the sorted digits, bit 0 the smallest.
constexpr unsigned kPairChoices[] = {0b0011, 0b0101, 0b1001, 0b0110, 0b1010, 0b1100};
constexpr unsigned kTripleChoices[] = {0b0111, 0b1011, 0b1101, 0b1110};

bool containsListed(const std::array<uint8_t, 4> &sortedDigits, std::span<const unsigned> choices,
                    const std::array<bool, 1000> &listed)
{
    return std::any_of(choices.begin(), choices.end(), [&](unsigned chosen) {
        int key = 0;
        for (int i = 0; i < 4; ++i) {
            if (chosen >> i & 1)
                key = 10 * key + sortedDigits[i];
        }
        return listed[key];
    });
}

void filterCombinations(QStringView boxText, qsizetype length, bool mustContain, CandidateMatrix &matrix)
{
    std::array<bool, 1000> listed{};
    const bool boxHasDigits = forEachEntry(boxText, length, [&](QStringView entry) { listed[sortedKey(entry)] = true; });
    if (!boxHasDigits)
        return;

    const std::span<const unsigned> choices = length == 2 ? std::span<const unsigned>(kPairChoices)
                                                          : std::span<const unsigned>(kTripleChoices);
    const CandidateDigits &cd = candidate_digits();
    std::array<bool, kMultisetCount> rejected{};
    for (int m = 0; m < kMultisetCount; ++m)
        rejected[m] = containsListed(cd.multisets[m], choices, listed) != mustContain;
    mark_rejected(matrix, EnteredListRow, cd.multiset, rejected);
}

// Calls each(d) for every digit d in the set.
template<typename Each>
void forEachDigit(unsigned digitSet, Each each)
{
    for (; digitSet != 0; digitSet &= digitSet - 1)
        each(std::countr_zero(digitSet));
}

// Candidates covered by at least one product of four digit sets (thousands,
// hundreds, tens, units). Compound bets and positional patterns are both such
// products. The covered set is held as a set of (tens, units) pairs for every
// (thousands, hundreds) pair, so a product costs one 100-bit union per
// (thousands, hundreds) pair it holds; repeated products are dropped first.
class CoveredCandidates
{
public:
    void add(const std::array<uint16_t, 4> &digitSets)
    {
        if (std::find(digitSets.begin(), digitSets.end(), 0) != digitSets.end())
            return;
        m_products.push_back(uint64_t(digitSets[0]) | uint64_t(digitSets[1]) << 10
                             | uint64_t(digitSets[2]) << 20 | uint64_t(digitSets[3]) << 30);
    }

    void mark(CandidateMatrix &matrix)
    {
        std::sort(m_products.begin(), m_products.end());
        m_products.erase(std::unique(m_products.begin(), m_products.end()), m_products.end());
        std::array<TrailingPairs, 100> trailingByLeading{};
        for (uint64_t product : m_products) {
            const auto digitSet = [product](int p) { return unsigned(product >> (10 * p)) & kAnyDigit; };
            TrailingPairs trailing;
            forEachDigit(digitSet(2), [&](int tens) { trailing |= TrailingPairs(digitSet(3)) << (10 * tens); });
            forEachDigit(digitSet(0), [&](int thousands) {
                forEachDigit(digitSet(1), [&](int hundreds) { trailingByLeading[10 * thousands + hundreds] |= trailing; });
            });
        }

        int16_t *marks = matrix.row(EnteredListRow);
        for (int leading = 0; leading < 100; ++leading) {
            const TrailingPairs &trailing = trailingByLeading[leading];
            if (trailing.none())
                continue;
            for (int t = 0; t < 100; ++t)
                marks[100 * leading + t] = int16_t(marks[100 * leading + t] | int16_t(trailing[t]));
        }
    }

private:
    using TrailingPairs = std::bitset<100>;     // bit 10 * tens + units
    std::vector<uint64_t> m_products;           // four 10-bit digit sets, thousands lowest
};
}

void kill_straight_list(QStringView boxText, CandidateMatrix &matrix)
{
    int16_t *marks = matrix.row(EnteredListRow);
    forEachEntry(boxText, 4, [marks](QStringView entry) {
        int number = 0;
        for (QChar ch : entry)
            number = 10 * number + digitValue(ch);
        marks[number] = 1;
    });
}

void kill_compound_bets(QStringView boxText, CandidateMatrix &matrix)
{
    const QStringView text = trim_spaces(boxText);
    if (!text.contains(u'*'))
        return;
    // Every LF and CR ends a line, so CR LF, LF and a lone CR all work as one
    // line break, and a pasted box is read in one pass without copying lines.
    CoveredCandidates covered;
    for_each_typed_entry(text, {}, EntryBreak::Lines, [&covered](QStringView line) {
        const CompoundLine read = readCompoundLine(line);
        if (read.fields >= 4)
            covered.add(read.digitSets);
    });
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
    CoveredCandidates covered;
    for (QStringView pattern : patternsOf(cleaned)) {
        std::array<uint16_t, 4> digitSets{};
        for (int p = 0; p < 4; ++p)
            digitSets[p] = pattern[p] == u'*' ? kAnyDigit : uint16_t(1u << digitValue(pattern[p]));
        covered.add(digitSets);
    }
    covered.mark(matrix);
}

UnreadEntries unread_compound_bets(QStringView boxText, QStringView hint)
{
    // A line is read whole when it has four fields, each with a digit, and
    // nothing but digits and blanks in them.
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Lines, [&unread](QStringView line) {
        const CompoundLine read = readCompoundLine(line);
        const bool whole = read.fields >= 4 && !read.unreadCharacters
                           && std::find(read.digitSets.begin(), read.digitSets.end(), 0) == read.digitSets.end();
        if (!whole)
            unread.add(line);
    });
    return unread;
}

UnreadEntries unread_position_patterns(QStringView boxText, QStringView hint)
{
    // The cleaning keeps the runs of digits and "*" in their order, and the
    // patterns are the first of them. An entry is read when it is one run of
    // four and that run is among the patterns.
    const qsizetype patterns = patternsOf(clean_pattern_text(trim_spaces(boxText))).size();
    qsizetype runsSoFar = 0;
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&](QStringView entry) {
        bool inRun = false;
        bool onlyPatternCharacters = true;
        for (QChar ch : entry) {
            const bool patternCharacter = isAsciiDigit(ch) || ch == u'*';
            runsSoFar += patternCharacter && !inRun ? 1 : 0;
            inRun = patternCharacter;
            onlyPatternCharacters = onlyPatternCharacters && patternCharacter;
        }
        if (!onlyPatternCharacters || entry.size() != 4 || runsSoFar > patterns)
            unread.add(entry);
    });
    return unread;
}

const std::array<EnteredListFilter, kEnteredListBoxCount> kEnteredListFilters = {
    kill_straight_list, kill_compound_bets, kill_two_code, must_two_code,
    kill_three_code, must_three_code, kill_position_patterns,
};

const std::array<UnreadInEnteredList, kEnteredListBoxCount> kUnreadInEnteredLists = {
    unreadInDigitList<4>, unread_compound_bets, unreadInDigitList<2>, unreadInDigitList<2>,
    unreadInDigitList<3>, unreadInDigitList<3>, unread_position_patterns,
};

void entered_list_filters(const EnteredListSelection &selection, CandidateMatrix &matrix)
{
    for (size_t box = 0; box < kEnteredListFilters.size(); ++box)
        kEnteredListFilters[box](selection.boxes[box], matrix);
}
