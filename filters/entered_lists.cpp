#include "filters/entered_lists.h"

#include "core/text.h"
#include "core/typed_box.h"
#include "filters/candidate_digits.h"

#include <algorithm>
#include <bit>
#include <span>

namespace {
constexpr uint16_t kAnyDigit = 0x3FF;

int digitValue(QChar ch) { return ch.unicode() - u'0'; }

// An entry of a digit-list box is read when the box's reader takes it whole.
template<qsizetype Length>
UnreadEntries unreadInDigitList(QStringView boxText, QStringView hint)
{
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&unread](QStringView entry) {
        qsizetype taken = 0;
        for_each_number(entry, Length, [&taken](int) { taken += Length; });
        if (taken != entry.size())
            unread.add(entry);
    });
    return unread;
}

// A line of the compound box, "千*百*十*个", read a character at a time:
// the digits field k holds for position k. Fields after the fourth are not
// read, and in a field only its digits are. A field's digits gather in a
// register and are stored when it ends: a pasted box runs to megabytes.
struct CompoundLine
{
    std::array<uint16_t, 4> digitSets{};
    int fields = 1;
    bool unreadCharacters = false;  // other than the fields' digits, blanks and "*"
    unsigned fieldDigits = 0;       // of the field being read

    // Takes a digit into the field; false for any other character.
    bool takeDigit(QChar ch)
    {
        const unsigned digit = unsigned(ch.unicode()) - u'0';
        if (digit >= 10)
            return false;
        fieldDigits |= 1u << digit;
        return true;
    }

    void take(QChar ch)
    {
        if (takeDigit(ch))
            return;
        if (ch == u'*') {
            storeField();
            ++fields;
        } else if (ch != u' ' && ch != u'\t') {
            unreadCharacters = true;
        }
    }

    // After the line's last character.
    void end() { storeField(); }

private:
    void storeField()
    {
        if (fields <= 4)
            digitSets[fields - 1] = uint16_t(fieldDigits);
        else if (fieldDigits != 0)
            unreadCharacters = true;
        fieldDigits = 0;
    }
};

CompoundLine readCompoundLine(QStringView line)
{
    CompoundLine read;
    for (QChar ch : line)
        read.take(ch);
    read.end();
    return read;
}

bool isPatternCharacter(QChar ch)
{
    return is_ascii_digit(ch) || ch == u'*';
}

// Calls use(pattern) for each pattern of the positional box, as its cleaned
// text (clean_pattern_text) lists them: the runs of digits and "*" up to the
// first that is not four long. Between two runs the cleaning leaves
// ceil(k / 32) spaces of k other characters; two spaces make an empty token,
// which ends the list too. Read straight from the text, without cleaning it.
template<typename Use>
void forEachPattern(QStringView text, Use use)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && !isPatternCharacter(text[i]))
        ++i;
    while (i < size) {
        const qsizetype start = i;
        while (i < size && isPatternCharacter(text[i]))
            ++i;
        if (i - start != 4)
            return;
        use(text.sliced(start, 4));
        const qsizetype gap = i;
        while (i < size && !isPatternCharacter(text[i]))
            ++i;
        if (i < size && i - gap > 32)
            return;
    }
}

// A combination's digits in ascending order, read as a number: "98" -> 89.
int sortedKey(int combination, int length)
{
    // Places past the length sort last. Three compare-and-swaps sort three
    // digits; a box may list a thousand combinations.
    std::array<int, 3> digits = {10, 10, 10};
    for (int i = 0; i < length; ++i, combination /= 10)
        digits[i] = combination % 10;
    const auto order = [&digits](int a, int b) {
        if (digits[a] > digits[b])
            std::swap(digits[a], digits[b]);
    };
    order(0, 1);
    order(1, 2);
    order(0, 1);
    int key = 0;
    for (int i = 0; i < length; ++i)
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

void filterCombinations(QStringView boxText, int length, bool mustContain, CandidateSet &marks)
{
    std::array<bool, 1000> listed{};
    const bool boxHasDigits =
        for_each_number(boxText, length, [&](int combination) { listed[sortedKey(combination, length)] = true; });
    if (!boxHasDigits)
        return;

    const std::span<const unsigned> choices = length == 2 ? std::span<const unsigned>(kPairChoices)
                                                          : std::span<const unsigned>(kTripleChoices);
    const CandidateDigits &cd = candidate_digits();
    std::array<bool, kMultisetCount> rejected{};
    for (int m = 0; m < kMultisetCount; ++m)
        rejected[m] = containsListed(cd.multisets[m], choices, listed) != mustContain;
    mark_rejected_multisets(marks, rejected);
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
// (thousands, hundreds) pair it holds.
class CoveredCandidates
{
public:
    void add(const std::array<uint16_t, 4> &digitSets)
    {
        TrailingPairs trailing;
        forEachDigit(digitSets[2], [&](int tens) { trailing.insertUnits(tens, digitSets[3]); });
        forEachDigit(digitSets[0], [&](int thousands) {
            forEachDigit(digitSets[1], [&](int hundreds) { m_trailingByLeading[10 * thousands + hundreds] |= trailing; });
        });
    }

    void mark(CandidateSet &marks) const
    {
        for (int leading = 0; leading < 100; ++leading)
            marks.insertHundred(leading, m_trailingByLeading[leading]);
    }

private:
    std::array<TrailingPairs, 100> m_trailingByLeading{};   // by thousands and hundreds digits
};
}

void kill_straight_list(QStringView boxText, CandidateSet &marks)
{
    for_each_number(boxText, 4, [&marks](int number) { marks.insert(number); });
}

void kill_compound_bets(QStringView boxText, CandidateSet &marks)
{
    const QStringView text = trim_spaces(boxText);
    if (!text.contains(u'*'))
        return;
    // Every LF and CR ends a line, so CR LF, LF and a lone CR all work as one
    // line break, and a pasted box is read in one pass without copying lines.
    CoveredCandidates covered;
    CompoundLine line;
    const QChar *const end = text.end();
    for (const QChar *ch = text.begin();; ++ch) {
        // Digits first: they are most of a line.
        if (ch != end && line.takeDigit(*ch))
            continue;
        if (ch != end && *ch != u'\n' && *ch != u'\r') {
            line.take(*ch);
            continue;
        }
        line.end();
        if (line.fields >= 4)
            covered.add(line.digitSets);
        if (ch == end)
            break;
        line = {};
    }
    covered.mark(marks);
}

void kill_two_code(QStringView boxText, CandidateSet &marks)
{
    filterCombinations(boxText, 2, false, marks);
}

void must_two_code(QStringView boxText, CandidateSet &marks)
{
    filterCombinations(boxText, 2, true, marks);
}

void kill_three_code(QStringView boxText, CandidateSet &marks)
{
    filterCombinations(boxText, 3, false, marks);
}

void must_three_code(QStringView boxText, CandidateSet &marks)
{
    filterCombinations(boxText, 3, true, marks);
}

QString clean_pattern_text(QStringView text)
{
    QString kept(text.size(), Qt::Uninitialized);
    QChar *write = kept.data();
    for (QChar ch : text)
        *write++ = is_ascii_digit(ch) || ch == u'*' ? ch : QChar(u' ');
    return trim_spaces(collapse_space_pairs(kept, 5)).toString();
}

void kill_position_patterns(QStringView boxText, CandidateSet &marks)
{
    static constexpr int kPlace[] = {1000, 100, 10, 1};
    CoveredCandidates covered;
    forEachPattern(boxText, [&](QStringView pattern) {
        std::array<uint16_t, 4> digitSets{};
        int number = 0;         // with 0 for each "*"
        int stars = 0;
        int starPlace = 0;
        for (int p = 0; p < 4; ++p) {
            const bool star = pattern[p] == u'*';
            digitSets[p] = star ? kAnyDigit : uint16_t(1u << digitValue(pattern[p]));
            number += star ? 0 : digitValue(pattern[p]) * kPlace[p];
            stars += star ? 1 : 0;
            starPlace = star ? p : starPlace;
        }
        if (stars > 1) {
            covered.add(digitSets);
            return;
        }
        // Most patterns hold one "*" at most: their numbers, ten or one, are
        // marked at once, cheaper than as a product.
        const int count = stars == 1 ? 10 : 1;
        for (int d = 0; d < count; ++d)
            marks.insert(number + d * kPlace[starPlace]);
    });
    covered.mark(marks);
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
    qsizetype patterns = 0;
    forEachPattern(boxText, [&patterns](QStringView) { ++patterns; });
    qsizetype runsSoFar = 0;
    UnreadEntries unread;
    for_each_typed_entry(boxText, hint, EntryBreak::Entries, [&](QStringView entry) {
        bool inRun = false;
        bool onlyPatternCharacters = true;
        for (QChar ch : entry) {
            const bool patternCharacter = isPatternCharacter(ch);
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

void entered_list_filters(const EnteredListSelection &selection, CandidateSet &marks)
{
    for (size_t box = 0; box < kEnteredListFilters.size(); ++box)
        kEnteredListFilters[box](selection.boxes[box], marks);
}
