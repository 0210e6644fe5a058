#include "fuzz_targets.h"

#include "core/history.h"
#include "core/shrink.h"
#include "app/mycode.h"
#include "core/scheme.h"
#include "core/text.h"
#include "core/typed_box.h"
#include "filters/digit_kills.h"
#include "filters/entered_lists.h"
#include "filters/groups.h"
#include "filters/prize_check.h"
#include "filters/set_operations.h"
#include "filters/unread_entries.h"
#include "help/help_popups.h"
#include "net/feed_tags.h"
#include "net/server_feed.h"
#include "store/draw_store.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

// The references below restate each rule step by step, the slow obvious way;
// they are fast enough for the short inputs a fuzzer makes.

namespace {
using CandidateFlags = std::array<bool, kCandidateCount>;

constexpr QStringView kDigits = u"0123456789";

bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

int digitSum(int n) { return n / 1000 + n / 100 % 10 + n / 10 % 10 + n % 10; }

QString withoutEndSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin).toString();
}

// Every character outside `kept` becomes a space.
QString blankOthers(QStringView text, QStringView kept)
{
    QString out = text.toString();
    for (QChar &ch : out) {
        if (!kept.contains(ch))
            ch = u' ';
    }
    return out;
}

QString replacePairs(QString text, int passes)
{
    for (int i = 0; i < passes; ++i)
        text.replace(QStringLiteral("  "), QStringLiteral(" "));
    return text;
}

QString referenceOnlyStr(QStringView text, QStringView allowed)
{
    QString out = withoutEndSpaces(blankOthers(text, allowed));
    while (out.contains(QStringLiteral("  ")))
        out.replace(QStringLiteral("  "), QStringLiteral(" "));
    return out;
}

QString spacingFault(QStringView text)
{
    if (text.startsWith(u' ') || text.endsWith(u' '))
        return QStringLiteral("a space at an end");
    if (text.contains(u"  "))
        return QStringLiteral("a doubled space");
    return {};
}

QString charactersFault(QStringView text, QStringView allowed)
{
    for (QChar ch : text) {
        if (ch != u' ' && !allowed.contains(ch))
            return QStringLiteral("U+%1 is not allowed").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
    }
    return {};
}

// The maximal runs of ASCII digits, in order.
QList<QStringView> digitRuns(QStringView text)
{
    QList<QStringView> runs;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isAsciiDigit(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && isAsciiDigit(text[i]))
            ++i;
        runs.append(text.sliced(start, i - start));
    }
    return runs;
}

bool isFourDigits(QStringView text)
{
    return text.size() == 4 && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

CandidateFlags fourDigitRuns(QStringView text)
{
    CandidateFlags listed{};
    for (QStringView run : digitRuns(text)) {
        if (run.size() == 4)
            listed[run.toInt()] = true;
    }
    return listed;
}

// Empty when `listing` holds exactly the flagged numbers, ascending, as four
// digits separated by single spaces.
QString listingFault(QStringView listing, const CandidateFlags &expected)
{
    int previous = -1;
    for (QStringView entry : listing.split(u' ', Qt::SkipEmptyParts)) {
        const int n = isFourDigits(entry) ? entry.toInt() : -1;
        if (n <= previous)
            return QStringLiteral("entry %1 out of place").arg(entry);
        if (!expected[n])
            return QStringLiteral("%1 listed").arg(entry);
        previous = n;
    }
    const qsizetype count = std::count(expected.begin(), expected.end(), true);
    if (listing.size() != std::max<qsizetype>(5 * count - 1, 0))
        return QStringLiteral("a number missing or a space out of place");
    return {};
}

QString joinedBySpaces(const QList<QStringView> &parts)
{
    QString out;
    for (QStringView part : parts) {
        if (!out.isEmpty())
            out += u' ';
        out += part;
    }
    return out;
}

// The first line and everything after it: two texts from one input.
std::pair<QStringView, QStringView> atFirstLineFeed(QStringView text)
{
    const qsizetype split = text.indexOf(u'\n');
    if (split < 0)
        return {text, QStringView()};
    return {text.first(split), text.sliced(split + 1)};
}

const CandidateMatrix &filledMatrix()
{
    static const std::unique_ptr<CandidateMatrix> filled = [] {
        ShrinkState state;
        fill_candidate_matrix(state);
        return std::move(state.matrix);
    }();
    return *filled;
}

// A matrix as a shrink run starts with. One is reused: a fresh megabyte per
// input would cost the fuzzer more than the readers do.
CandidateMatrix &freshMatrix()
{
    static const std::unique_ptr<CandidateMatrix> scratch = std::make_unique<CandidateMatrix>();
    *scratch = filledMatrix();
    return *scratch;
}

// Empty when `row` of `after` holds exactly `expected` and every other row
// still holds what the freshly filled matrix held.
QString rowFault(const CandidateMatrix &after, int row, const CandidateFlags &expected)
{
    const CandidateMatrix &before = filledMatrix();
    for (int r = 0; r < kMatrixRowCount; ++r) {
        if (r != row && after.cells[r] != before.cells[r])
            return QStringLiteral("row %1 was written").arg(r);
    }
    for (int c = 0; c < kCandidateCount; ++c) {
        if (after.cells[row][c] != (expected[c] ? 1 : 0))
            return QStringLiteral("row %1 of candidate %2 holds %3").arg(row).arg(c).arg(after.cells[row][c]);
    }
    return {};
}

QString checkOnlyStr(QStringView text)
{
    for (QStringView allowed : {kDigits, QStringView(u"0123456789 "), QStringView(u"0123456789*")}) {
        const QString out = only_str(text, allowed);
        if (QString fault = spacingFault(out); !fault.isEmpty())
            return fault;
        if (QString fault = charactersFault(out, allowed); !fault.isEmpty())
            return fault;
        if (out != referenceOnlyStr(text, allowed))
            return QStringLiteral("differs from replacing, trimming and collapsing step by step");
    }
    return {};
}

QString checkCollapseSpacePairs(QStringView text)
{
    for (int passes = 0; passes <= 6; ++passes) {
        if (collapse_space_pairs(text, passes) != replacePairs(text.toString(), passes))
            return QStringLiteral("%1 passes differ from replacing pairs").arg(passes);
    }
    return {};
}

QString checkSplitLines(QStringView text)
{
    QString unified = text.toString();
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(u'\r', u'\n');
    if (split_lines(text) != unified.split(u'\n'))
        return QStringLiteral("lines differ from splitting at LF after turning CR LF and CR into LF");
    return {};
}

// Checked where the leading number is exact in decimal: up to nine digits
// before the point and six after it.
QString checkToleranceValue(QStringView text)
{
    const int value = tolerance_value(text);
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    int sign = 1;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        sign = text[i++] == u'-' ? -1 : 1;
    const qsizetype wholeStart = i;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    const QStringView whole = text.sliced(wholeStart, i - wholeStart);
    QStringView fraction;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < text.size() && isAsciiDigit(text[i]))
            ++i;
        fraction = text.sliced(fractionStart, i - fractionStart);
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return value == 0 ? QString() : QStringLiteral("no leading number, yet %1").arg(value);
    if (whole.size() > 9 || fraction.size() > 6)
        return {};

    qint64 unit = 1;
    for (qsizetype k = 0; k < fraction.size(); ++k)
        unit *= 10;
    const qint64 scaled = whole.toLongLong() * unit + fraction.toLongLong();
    qint64 rounded = scaled / unit;
    const qint64 rest = scaled % unit;
    if (2 * rest > unit || (2 * rest == unit && rounded % 2 == 1))
        ++rounded;
    const qint64 expected = std::clamp<qint64>(sign * rounded, -32768, 32767);
    if (value != expected)
        return QStringLiteral("reads %1 instead of %2").arg(value).arg(expected);
    return {};
}

QString checkCleanPatternText(QStringView text)
{
    const QString out = clean_pattern_text(text);
    if (out.startsWith(u' ') || out.endsWith(u' '))
        return QStringLiteral("a space at an end");
    if (QString fault = charactersFault(out, u"0123456789*"); !fault.isEmpty())
        return fault;
    if (out != withoutEndSpaces(replacePairs(blankOthers(text, u"0123456789* "), 5)))
        return QStringLiteral("differs from blanking, five passes of pairs and trimming");
    return {};
}

// Any character other than a digit separates the base set's numbers; a text
// naming 号码 (the hint) or holding only blanks is no base set.
QString checkReadBaseSet(QStringView text)
{
    CandidateMatrix &matrix = freshMatrix();
    const int16_t active = read_base_set(text, matrix);
    const bool blank = std::all_of(text.begin(), text.end(), [](QChar ch) {
        return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r';
    });
    const bool expectedActive = !text.contains(u"号码") && !blank;
    if (active != (expectedActive ? 1 : 0))
        return QStringLiteral("BaseSetActive is %1").arg(active);
    return rowFault(matrix, BaseRow, expectedActive ? fourDigitRuns(text) : CandidateFlags{});
}

// The same text in all seven boxes.
QString checkEnteredListFilters(QStringView text)
{
    CandidateMatrix &matrix = freshMatrix();
    EnteredListSelection selection;
    selection.boxes.fill(text.toString());
    entered_list_filters(selection, matrix);

    const int16_t *marks = matrix.row(EnteredListRow);
    CandidateFlags marked{};
    for (int c = 0; c < kCandidateCount; ++c) {
        if (marks[c] != 0 && marks[c] != 1)
            return QStringLiteral("row 1 of candidate %1 holds %2").arg(c).arg(marks[c]);
        marked[c] = marks[c] == 1;
    }
    if (QString fault = rowFault(matrix, EnteredListRow, marked); !fault.isEmpty())
        return fault;

    const QList<QStringView> runs = digitRuns(text);
    const bool anyMarked = std::find(marked.begin(), marked.end(), true) != marked.end();
    if (runs.isEmpty() && !text.contains(u'*') && anyMarked)
        return QStringLiteral("a text without digits or \"*\" rejected a candidate");
    const bool noTwoDigitEntry = std::none_of(runs.begin(), runs.end(), [](QStringView r) { return r.size() == 2; });
    if (!runs.isEmpty() && noTwoDigitEntry && std::count(marked.begin(), marked.end(), true) != kCandidateCount)
        return QStringLiteral("a must-contain box with digits but no entry left a candidate");
    const CandidateFlags straight = fourDigitRuns(text);
    for (int n = 0; n < kCandidateCount; ++n) {
        if (straight[n] && !marked[n])
            return QStringLiteral("listed straight number %1 survived").arg(n);
    }
    return {};
}

QString checkSumValue(QStringView text)
{
    CandidateMatrix &matrix = freshMatrix();
    SumSpanSelection selection;
    selection.sumValueText = text.toString();
    filter_sum_value(selection, matrix);

    std::array<bool, 37> killedSums{};
    const QString trimmed = withoutEndSpaces(text);
    if (!trimmed.contains(QStringLiteral("例如"))) {
        const QString cleaned = withoutEndSpaces(replacePairs(blankOthers(trimmed, u"0123456789 "), 5));
        for (int sum = 0; sum < 37; ++sum)
            killedSums[sum] = !cleaned.isEmpty() && cleaned.contains(QStringLiteral("%1").arg(sum, 2, 10, QLatin1Char('0')));
    }
    CandidateFlags expected{};
    for (int c = 0; c < kCandidateCount; ++c)
        expected[c] = killedSums[digitSum(c)];
    return rowFault(matrix, SumSpanRow, expected);
}

// What each typed box does not read: at most every piece between breaks
// (the box's hint one of them), the first five shown as typed, full width
// said only of full-width digits.
QString checkUnreadEntries(QStringView text)
{
    static const QRegularExpression entryBreaks(QStringLiteral("[ \t\r\n\u3000,，;；、]+"));
    const bool fullWidthDigits = std::any_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'０' && ch <= u'９'; });
    for (const ConditionRow &row : condition_rows()) {
        if (row.kind != ControlKind::Text)
            continue;
        const UnreadEntries unread = unread_entries(row, text);
        const QString &box = member_names(row).first();
        const QString hint = typed_box_hint(box);
        const qsizetype hintAt = text.indexOf(hint);
        const QString parted = hintAt < 0 ? text.toString() : text.toString().replace(hintAt, hint.size(), u'\n');
        const qsizetype pieces = parted.split(entryBreaks, Qt::SkipEmptyParts).size();
        if (unread.count > pieces)
            return QStringLiteral("%1: %2 unread of %3 pieces").arg(box).arg(unread.count).arg(pieces);
        if (unread.shown.size() != std::min<qsizetype>(unread.count, UnreadEntries::kShown))
            return QStringLiteral("%1: %2 shown of %3").arg(box).arg(unread.shown.size()).arg(unread.count);
        for (const QString &shown : unread.shown) {
            const QString typed = shown.endsWith(u'…') ? shown.chopped(1) : shown;
            if (typed.isEmpty() || typed.size() > UnreadEntries::kShownLength || !text.contains(typed))
                return QStringLiteral("%1: shows %2").arg(box, shown);
        }
        if (unread.fullWidth && !fullWidthDigits)
            return QStringLiteral("%1: full width without a full-width digit").arg(box);
    }
    return {};
}

// A is the first line, B the rest.
QString checkBaseSetOperation(QStringView text)
{
    const auto [boxA, boxB] = atFirstLineFeed(text);
    const CandidateFlags inA = fourDigitRuns(boxA);
    const CandidateFlags inB = fourDigitRuns(boxB);
    const QString normalA = joinedBySpaces(digitRuns(boxA));
    const QString normalB = joinedBySpaces(digitRuns(boxB));
    struct Operation
    {
        QStringView code;
        bool (*keeps)(bool, bool);
    };
    const Operation operations[] = {
        {u"jiao", [](bool a, bool b) { return a && b; }},
        {u"bing", [](bool a, bool b) { return a || b; }},
        {u"a_b", [](bool a, bool b) { return a && !b; }},
        {u"b_a", [](bool a, bool b) { return b && !a; }},
    };
    for (const Operation &operation : operations) {
        const SetOperationResult result = base_set_operation(operation.code, boxA, boxB);
        if (result.a != normalA || result.b != normalB)
            return QStringLiteral("the boxes are not rewritten as their digit runs");
        CandidateFlags expected{};
        for (int n = 0; n < kCandidateCount; ++n)
            expected[n] = operation.keeps(inA[n], inB[n]);
        if (QString fault = listingFault(result.result, expected); !fault.isEmpty())
            return QStringLiteral("%1: %2").arg(operation.code, fault);
        if (result.count != int(std::count(expected.begin(), expected.end(), true)))
            return QStringLiteral("%1 counts %2").arg(operation.code).arg(result.count);
    }
    return {};
}

// The input stands for a result text; every four-digit entry must give its group.
QString checkMarkGroups(QStringView text)
{
    static const auto table = std::make_unique<GroupTable>();
    mark_groups(*table, text, 0);
    if (show_groups(*table).count != 0)
        return QStringLiteral("a shown count of 0 still gave groups");

    mark_groups(*table, text, 1);
    const ResultList groups = show_groups(*table);
    const QList<QStringView> listed = groups.count == 0 ? QList<QStringView>() : QStringView(groups.text).split(u' ');
    if (groups.count > 715 || listed.size() != groups.count)
        return QStringLiteral("%1 groups listed as %2 entries").arg(groups.count).arg(listed.size());
    QString previous;
    for (QStringView group : listed) {
        const QString digits = group.toString();
        if (digits.size() != 4 || !std::is_sorted(digits.begin(), digits.end()) || digits <= previous)
            return QStringLiteral("%1 is not a group in ascending order").arg(digits);
        previous = digits;
    }
    for (QStringView entry : text.split(u' ')) {
        if (!isFourDigits(entry))
            continue;
        QString group = entry.toString();
        std::sort(group.begin(), group.end());
        if (!listed.contains(group))
            return QStringLiteral("the group of %1 is missing").arg(entry);
    }
    return {};
}

// The input as the entry against a fixed result, and its first line as the
// entry against the rest as the result.
QString checkPrizeCaption(QStringView text)
{
    const auto [firstLine, rest] = atFirstLineFeed(text);
    const std::pair<QStringView, QStringView> cases[] = {{text, u"0123 4567 9999"}, {firstLine, rest}};
    for (const auto &[entry, result] : cases) {
        QString drawn = withoutEndSpaces(entry);
        for (QChar &ch : drawn) {
            if (ch >= u'０' && ch <= u'９')
                ch = QChar(u'0' + (ch.unicode() - u'０'));
        }
        QString expected = QStringLiteral("【中奖查询】");
        if (drawn.size() == 4)
            expected = result.split(u' ').contains(drawn) ? QStringLiteral("【中中中中】") : QStringLiteral("【挂挂挂挂】");
        if (prize_caption(entry, result) != expected)
            return QStringLiteral("caption %1 instead of %2").arg(prize_caption(entry, result), expected);
    }
    return {};
}

// Escaping one code unit at a time, and decoding the result back.
QString checkEscape(QStringView text)
{
    QString expected;
    for (QChar ch : text) {
        const char16_t v = ch.unicode();
        const bool plain = (v >= u'0' && v <= u'9') || (v >= u'a' && v <= u'z') || (v >= u'A' && v <= u'Z')
                           || QStringView(u"-_.!~*'()").contains(ch);
        if (plain)
            expected += ch;
        else if (v >= 255)
            expected += QStringLiteral("%u%1").arg(v, 4, 16, QChar(u'0')).toUpper().replace(u'U', u'u');
        else
            expected += QStringLiteral("%%1").arg(v, 2, 16, QChar(u'0')).toUpper();
    }
    const QString escaped = mycode::Escape(text);
    if (escaped != expected)
        return QStringLiteral("escaped as %1 instead of %2").arg(escaped, expected);
    QString decoded;
    for (qsizetype i = 0; i < escaped.size();) {
        if (escaped[i] != u'%') {
            decoded += escaped[i++];
        } else if (escaped[i + 1] == u'u') {
            decoded += QChar(char16_t(escaped.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else {
            decoded += QChar(char16_t(escaped.mid(i + 1, 2).toUShort(nullptr, 16)));
            i += 3;
        }
    }
    return decoded == text ? QString() : QStringLiteral("does not decode back");
}

// The value of a tag is the second piece of the text split at the tag.
QString checkFeedTags(QStringView text)
{
    const QString feed = text.toString();
    for (const QString &tag : {QStringLiteral("[biaoti]"), QStringLiteral("[n1]"), QStringLiteral("[n11]"),
                               QStringLiteral("[ad2]"), QStringLiteral("[*]"), QStringLiteral("]")}) {
        const QStringList pieces = feed.split(tag);
        const auto value = tag_value(feed, tag);
        if (value.has_value() != (pieces.size() > 1) || (value && *value != pieces[1]))
            return QStringLiteral("value of %1").arg(tag);
        const auto link = link_value(feed, tag);
        const QStringList fields = value ? value->split(QStringLiteral("[*]")) : QStringList();
        if (link.has_value() != (fields.size() > 1))
            return QStringLiteral("link of %1 found or missed wrongly").arg(tag);
        if (link && (link->caption != fields[0] || link->address != fields[1]))
            return QStringLiteral("link of %1 split wrongly").arg(tag);
    }

    // The feed record holds what each tag says, split the same way.
    auto valueOf = [&feed](const QString &tag) -> std::optional<QString> {
        const QStringList pieces = feed.split(tag);
        return pieces.size() > 1 ? std::optional(pieces[1]) : std::nullopt;
    };
    auto linkOf = [&valueOf](const QString &tag) -> std::optional<LinkSlot> {
        const QStringList fields = valueOf(tag).value_or(QString()).split(QStringLiteral("[*]"));
        return fields.size() > 1 ? std::optional(LinkSlot{fields[0], fields[1]}) : std::nullopt;
    };
    auto sameLink = [](const std::optional<LinkSlot> &a, const std::optional<LinkSlot> &b) {
        return a.has_value() == b.has_value() && (!a || (a->caption == b->caption && a->address == b->address));
    };
    const FeedRecord record = parse_feed(feed);
    const auto version = valueOf(QStringLiteral("[banben]"));
    const bool outdated = version && *version != u"20170601";
    if (record.title != valueOf(QStringLiteral("[biaoti]")).value_or(QString()))
        return QStringLiteral("record title");
    if (record.outdated != outdated
        || record.upgradeAddress != (outdated ? valueOf(QStringLiteral("[shengji]")).value_or(QString()) : QString()))
        return QStringLiteral("record version check");
    if (record.news != valueOf(QStringLiteral("[news]")).value_or(QString()))
        return QStringLiteral("record news");
    for (int slot = 1; slot <= kLinkSlotCount; ++slot) {
        if (!sameLink(record.links[slot - 1], linkOf(QStringLiteral("[n%1]").arg(slot))))
            return QStringLiteral("record link slot %1").arg(slot);
    }
    for (int advert = 1; advert <= 2; ++advert) {
        if (!sameLink(record.adverts[advert - 1], linkOf(QStringLiteral("[ad%1]").arg(advert))))
            return QStringLiteral("record advert %1").arg(advert);
    }
    if (record.exitAddress != valueOf(QStringLiteral("[tuichu]")))
        return QStringLiteral("record exit address");
    return {};
}

// A help title looks its block up in the embedded help text.
QString checkHelpLookup(QStringView text)
{
    if (HelpText().isEmpty())
        load_help_text();
    const QString key = QStringLiteral("[*") + text.toString() + QStringLiteral("*]");
    const QStringList pieces = HelpText().split(key);
    const auto body = text_after_key(HelpText(), key);
    if (body.has_value() != (pieces.size() > 1) || (body && *body != pieces[1]))
        return QStringLiteral("block of %1").arg(key);
    return {};
}

// The draw history read the slow way: full-width forms turned ASCII first,
// lines split by a pattern, dates and runs of digits found by patterns.
QString checkDrawHistory(QStringView text)
{
    QString ascii = text.toString();
    for (QChar &ch : ascii) {
        if (ch >= u'！' && ch <= u'～')
            ch = QChar(ch.unicode() - (u'！' - u'!'));
    }
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    static const QRegularExpression digitRun(QStringLiteral("[0-9]+"));
    static const QRegularExpression date(QStringLiteral("(?<![0-9])([0-9]{4})(?:([-/.])([0-9]{1,2})\\2([0-9]{1,2})(?![0-9])"
                                                        "|年([0-9]{1,2})月([0-9]{1,2})日)"));
    const QStringList lines = ascii.split(lineBreak);
    const QStringList originals = text.toString().split(lineBreak);

    DrawHistory expected;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const QString content = line.trimmed();
        if (content.isEmpty() || content.startsWith(u'#'))
            continue;
        Draw draw;
        draw.line = i + 1;
        for (const QRegularExpressionMatch &match : date.globalMatch(lines[i])) {
            const bool signs = match.capturedLength(2) > 0;
            const QDate day(match.captured(1).toInt(), match.captured(signs ? 3 : 5).toInt(),
                            match.captured(signs ? 4 : 6).toInt());
            if (!day.isValid())
                continue;
            line.replace(match.capturedStart(), match.capturedLength(), QString(match.capturedLength(), u' '));
            if (draw.date.isNull())
                draw.date = day;
        }
        QStringList runs;
        for (const QRegularExpressionMatch &match : digitRun.globalMatch(line))
            runs.append(match.captured());
        const auto singleDigits = [&runs](qsizetype from) {
            return from + 3 < runs.size()
                   && std::all_of(runs.begin() + from, runs.begin() + from + 4, [](const QString &run) { return run.size() == 1; });
        };
        qsizetype at = 0;
        while (at < runs.size() && runs[at].size() != 4 && !singleDigits(at))
            ++at;
        if (at == runs.size()) {
            const QString &original = originals[i];
            QString excerpt = original;
            if (original.size() > 40)
                excerpt = original.left(original[39].isHighSurrogate() ? 39 : 40) + u'…';
            expected.malformed.append({i + 1, excerpt});
            continue;
        }
        draw.number = runs[at].size() == 4 ? runs[at].toInt() : runs.mid(at, 4).join(QString()).toInt();
        if (at > 0)
            draw.issue = runs[at - 1];
        expected.draws.append(draw);
    }

    const DrawHistory history = read_draw_history(text);
    if (history.draws.size() != expected.draws.size())
        return QStringLiteral("%1 draws instead of %2").arg(history.draws.size()).arg(expected.draws.size());
    for (qsizetype i = 0; i < history.draws.size(); ++i) {
        const Draw &got = history.draws[i];
        const Draw &want = expected.draws[i];
        if (got.line != want.line || got.number != want.number || got.issue != want.issue || got.date != want.date)
            return QStringLiteral("draw %1 reads line %2 as %3 issue \"%4\" date %5 instead of line %6 as %7 issue \"%8\" date %9")
                .arg(i).arg(got.line).arg(got.number).arg(got.issue, got.date.toString(Qt::ISODate))
                .arg(want.line).arg(want.number).arg(want.issue, want.date.toString(Qt::ISODate));
    }
    if (history.malformed.size() != expected.malformed.size())
        return QStringLiteral("%1 malformed lines instead of %2").arg(history.malformed.size()).arg(expected.malformed.size());
    for (qsizetype i = 0; i < history.malformed.size(); ++i) {
        if (history.malformed[i].line != expected.malformed[i].line
            || history.malformed[i].excerpt != expected.malformed[i].excerpt)
            return QStringLiteral("malformed line %1 reported as line %2").arg(expected.malformed[i].line)
                .arg(history.malformed[i].line);
    }
    return {};
}

bool holdsEveryBox(const QMap<QString, QString> &texts, ControlKind kind)
{
    const QStringList names = condition_control_names(kind);
    return QSet<QString>(texts.keyBegin(), texts.keyEnd()) == QSet<QString>(names.begin(), names.end());
}

// A scheme is read whole or refused with a one-line reason. A record it
// gives holds every box and names only controls of the right kind, and
// writing it out reads back as the same record.
QString checkSchemeBytes(const QByteArray &bytes)
{
    const SchemeReading reading = read_scheme(bytes);
    if (!reading.record) {
        if (reading.problem.isEmpty())
            return QStringLiteral("refused without a reason");
        if (reading.problem.contains(u'\n') || reading.problem.size() > 200)
            return QStringLiteral("reason is not one short line: ") + reading.problem;
        return {};
    }
    if (!reading.problem.isEmpty())
        return QStringLiteral("a record and a problem");
    const SheetRecord &record = *reading.record;
    if (!holdsEveryBox(record.texts, ControlKind::Text) || !holdsEveryBox(record.tolerances, ControlKind::Tolerance))
        return QStringLiteral("boxes missing or added");
    for (const QString &name : record.selected) {
        if (condition_control_kind(name) != ControlKind::Toggle)
            return QStringLiteral("selected holds ") + name;
    }
    for (const QString &name : record.checked) {
        if (condition_control_kind(name) != ControlKind::Check)
            return QStringLiteral("checked holds ") + name;
    }
    const SchemeReading again = read_scheme(write_scheme(record));
    if (!again.record || *again.record != record)
        return QStringLiteral("does not read back as written");
    return {};
}

QString checkSchemeReader(QStringView text)
{
    if (QString fault = checkSchemeBytes(text.toUtf8()); !fault.isEmpty())
        return fault;
    // The code units taken as raw bytes give the reader any byte sequence,
    // invalid UTF-8 among them.
    return checkSchemeBytes(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
}


// The store's rules, restated over a plain map from issue to number and
// whether it was served: the player's draws replace any other number; served
// ones replace only served ones, and differ from the player's as conflicts.
using ReferenceStore = QMap<QString, std::pair<int, bool>>;

int applyReference(ReferenceStore &store, const QList<Draw> &draws, bool served)
{
    int conflicts = 0;
    for (const Draw &draw : draws) {
        const auto known = store.constFind(draw.issue);
        if (draw.issue.isEmpty() || (known != store.cend() && known->first == draw.number))
            continue;
        if (known == store.cend() || !served || known->second)
            store.insert(draw.issue, {draw.number, served});
        else
            ++conflicts;
    }
    return conflicts;
}

// The store holds the reference's draws, ordered by issue as whole numbers.
QString storeFault(const DrawStore &store, const ReferenceStore &reference)
{
    ReferenceStore held;
    QList<std::pair<qsizetype, QString>> order;
    for (const StoredDraw &draw : store.draws()) {
        held.insert(draw.issue, {draw.number, draw.source == DrawSource::Feed});
        const QString significant = QString(draw.issue).remove(QRegularExpression(QStringLiteral("^0+")));
        order.append({significant.size(), significant});
    }
    if (held != reference)
        return QStringLiteral("%1 draws stored, %2 expected, or other numbers").arg(held.size()).arg(reference.size());
    return std::is_sorted(order.begin(), order.end()) ? QString() : QStringLiteral("listed out of order");
}

// Pasted draws read into the store, twice: the last draw of each issue
// stands. Where no folder can be made the store lives in memory: nothing of
// a fuzzer's run reaches the disk.
QString checkStoreEntries(QStringView text)
{
    const QList<Draw> draws = read_draw_history(text).draws;
    DrawStore store(QStringLiteral("/dev/null/vintora"));
    ReferenceStore reference;
    applyReference(reference, draws, false);
    for (int pass = 0; pass < 2; ++pass) {
        const WriteOutcome written = store.enter(draws, DrawSource::Manual);
        if (!written.written || (pass == 1 && written.added > 0))
            return QStringLiteral("pass %1 added %2").arg(pass).arg(written.added);
        if (QString fault = storeFault(store, reference); !fault.isEmpty())
            return fault;
    }
    return {};
}

// The text's draws are served; every second one the player entered first,
// every third one the server serves one higher. Merged twice, the store
// follows the rules and keeps the server's ETag.
QString checkDrawsMerge(QStringView text)
{
    const QList<Draw> read = read_draw_history(text).draws;
    QList<Draw> entered, served = read;
    for (qsizetype i = 0; i < read.size(); ++i) {
        if (i % 2 == 0)
            entered.append(read[i]);
        if (i % 3 == 0)
            served[i].number = (served[i].number + 1) % 10000;
    }
    DrawStore store(QStringLiteral("/dev/null/vintora"));
    ReferenceStore reference;
    store.enter(entered, DrawSource::Manual);
    applyReference(reference, entered, false);
    for (const QString etag : {QStringLiteral("\"a\""), QStringLiteral("\"b\"")}) {
        const WriteOutcome merged = store.merge(served, QStringLiteral("http://host/"), etag);
        const int conflicts = applyReference(reference, served, true);
        if (!merged.written || merged.conflicts.size() != conflicts)
            return QStringLiteral("%1 conflicts instead of %2").arg(merged.conflicts.size()).arg(conflicts);
        if (QString fault = storeFault(store, reference); !fault.isEmpty())
            return fault;
        if (store.etag(QStringLiteral("http://host/")) != etag)
            return QStringLiteral("ETag not kept");
    }
    return {};
}

// The text's words as issue numbers: every count missing strictly between
// the lowest and the highest of its year, tried one by one.
QString checkDrawGaps(QStringView text)
{
    const QStringList words = text.toString().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QMap<std::pair<qsizetype, QString>, QList<bool>> years;   // by year as a whole number: the counts present
    for (const QString &word : words) {
        if (word.size() < 5 || !std::all_of(word.begin(), word.end(), isAsciiDigit))
            continue;
        const QString year = word.first(word.size() - 3).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
        QList<bool> &present = years[{year.size(), year}];
        present.resize(1000);
        present[word.last(3).toInt()] = true;
    }
    QStringList expected;
    for (auto year = years.cbegin(); year != years.cend(); ++year) {
        for (qsizetype count = year->indexOf(true) + 1; count < year->lastIndexOf(true); ++count) {
            if (!year->at(count))
                expected.append(year.key().second + QStringLiteral("%1").arg(count, 3, 10, QChar(u'0')));
        }
    }
    const QStringList missing = missing_issues(words);
    return missing == expected ? QString()
                               : QStringLiteral("missing %1 instead of %2").arg(missing.join(u' '), expected.join(u' '));
}

constexpr FuzzTarget kTargets[] = {
    {"only_str", checkOnlyStr},
    {"collapse_space_pairs", checkCollapseSpacePairs},
    {"split_lines", checkSplitLines},
    {"tolerance_value", checkToleranceValue},
    {"clean_pattern_text", checkCleanPatternText},
    {"read_base_set", checkReadBaseSet},
    {"entered_list_filters", checkEnteredListFilters},
    {"filter_sum_value", checkSumValue},
    {"base_set_operation", checkBaseSetOperation},
    {"mark_groups", checkMarkGroups},
    {"prize_caption", checkPrizeCaption},
    {"escape", checkEscape},
    {"feed_tags", checkFeedTags},
    {"help_lookup", checkHelpLookup},
    {"draw_history", checkDrawHistory},
    {"scheme_reader", checkSchemeReader},
    {"unread_entries", checkUnreadEntries},
    {"store_entries", checkStoreEntries},
    {"draws_merge", checkDrawsMerge},
    {"draw_gaps", checkDrawGaps},
};
}

std::span<const FuzzTarget> fuzz_targets()
{
    return kTargets;
}

const FuzzTarget *find_fuzz_target(QStringView name)
{
    for (const FuzzTarget &target : kTargets) {
        if (QLatin1String(target.name) == name)
            return &target;
    }
    return nullptr;
}

QString run_fuzz_target(const FuzzTarget &target, const uint8_t *data, size_t size)
{
    const QString asUtf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (QString fault = target.check(asUtf8); !fault.isEmpty())
        return QStringLiteral("read as UTF-8: ") + fault;
    // Copied code unit by code unit: no decoder replaces a lone surrogate.
    QString asUtf16(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(asUtf16.data(), data, size / 2 * 2);
    if (QString fault = target.check(asUtf16); !fault.isEmpty())
        return QStringLiteral("read as UTF-16: ") + fault;
    return {};
}
