// A second, deliberately naive implementation of every condition family,
// written from the rules as the player is told them: build the selection
// text, then search it once per candidate. Thousands of random selections
// are run through both and every row of the matrix must agree.
//
// VINTORA_DIFFERENTIAL_RUNS sets how many selections (default 2000);
// VINTORA_DIFFERENTIAL_SEED repeats a failing run.

#include "filters/shrink_run.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>

namespace {

const QString kDigits = QStringLiteral("0123456789");

// ---- naive text rules ------------------------------------------------------

QString trimSpaces(QString text)
{
    while (text.startsWith(u' '))
        text.remove(0, 1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString replaceOthersBySpace(QString text, const QString &allowed)
{
    for (QChar &ch : text) {
        if (!allowed.contains(ch))
            ch = u' ';
    }
    return text;
}

QString onlyStr(const QString &text, const QString &allowed)
{
    QString out = trimSpaces(replaceOthersBySpace(text, allowed));
    while (out.contains(QStringLiteral("  ")))
        out.replace(QStringLiteral("  "), QStringLiteral(" "));
    return out;
}

QString fivePasses(QString text)
{
    for (int pass = 0; pass < 5; ++pass)
        text.replace(QStringLiteral("  "), QStringLiteral(" "));
    return text;
}

QStringList lines(const QString &text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(u'\r', u'\n');
    return unified.split(u'\n');
}

QString digitsOf(int c)
{
    return QStringLiteral("%1").arg(c, 4, 10, QChar(u'0'));
}

QChar digitChar(int d)
{
    return QChar(u'0' + d);
}

int toleranceCount(int count, ToleranceRange range)
{
    return count > range.to || count < range.from;
}

// ---- the families ----------------------------------------------------------

using Row = std::array<int16_t, 10000>;

QStringList entries(const QString &box, int length)
{
    const QString cleaned = onlyStr(trimSpaces(box), kDigits);
    QStringList usable;
    if (cleaned.isEmpty())
        return {QStringLiteral("<none>")};
    for (const QString &entry : cleaned.split(u' ')) {
        if (entry.size() == length)
            usable.append(entry);
    }
    return usable;
}

// First position holding a, then another holding b (then c).
bool contains(const QString &number, const QString &entry)
{
    QList<int> used;
    for (QChar wanted : entry) {
        int found = -1;
        for (int p = 0; p < 4; ++p) {
            if (!used.contains(p) && number[p] == wanted) {
                found = p;
                break;
            }
        }
        if (found < 0)
            return false;
        used.append(found);
    }
    return true;
}

Row enteredLists(const EnteredListSelection &s)
{
    Row row{};
    const QStringList straight = entries(s.boxes[0], 4);
    if (straight != QStringList{QStringLiteral("<none>")}) {
        for (const QString &entry : straight)
            row[entry.toInt()] = 1;
    }

    const QString compound = trimSpaces(s.boxes[1]);
    if (!compound.isEmpty() && compound.contains(u'*')) {
        QList<QStringList> bets;
        for (const QString &line : lines(compound)) {
            const QStringList fields = line.split(u'*');
            if (fields.size() >= 4)
                bets.append(fields);
        }
        for (int c = 0; c < 10000; ++c) {
            const QString n = digitsOf(c);
            for (const QStringList &fields : bets) {
                if (fields[0].contains(n[0]) && fields[1].contains(n[1]) && fields[2].contains(n[2])
                    && fields[3].contains(n[3])) {
                    row[c] = 1;
                    break;
                }
            }
        }
    }

    auto killOrMust = [&row](const QString &box, int length, bool kill) {
        const QStringList list = entries(box, length);
        if (list == QStringList{QStringLiteral("<none>")})
            return;
        for (int c = 0; c < 10000; ++c) {
            const QString n = digitsOf(c);
            bool any = false;
            for (const QString &entry : list) {
                if (contains(n, entry)) {
                    any = true;
                    break;
                }
            }
            if (any == kill)
                row[c] = 1;
        }
    };
    killOrMust(s.boxes[2], 2, true);
    killOrMust(s.boxes[3], 2, false);
    killOrMust(s.boxes[4], 3, true);
    killOrMust(s.boxes[5], 3, false);

    QString patterns = trimSpaces(s.boxes[6]);
    patterns = trimSpaces(fivePasses(replaceOthersBySpace(patterns, QStringLiteral("0123456789* "))));
    if (!patterns.isEmpty()) {
        QStringList list;
        for (const QString &token : patterns.split(u' ')) {
            if (token.size() != 4)
                break;
            list.append(token);
        }
        for (int c = 0; c < 10000; ++c) {
            const QString n = digitsOf(c);
            for (const QString &pattern : list) {
                bool all = true;
                for (int k = 0; k < 4; ++k)
                    all = all && (pattern[k] == u'*' || pattern[k] == n[k]);
                if (all) {
                    row[c] = 1;
                    break;
                }
            }
        }
    }
    return row;
}

Row positionalKill(const PositionalKillSelection &s)
{
    Row row{};
    std::array<QString, 4> kills;
    for (int d = 0; d < 10; ++d) {
        for (int p = 0; p < 4; ++p) {
            if (s.struck[10 * p + d])
                kills[p] += digitChar(d);
        }
    }
    int positions = 0;
    for (const QString &k : kills)
        positions += k.isEmpty() ? 0 : 1;
    if (positions == 0)
        return row;
    for (int c = 0; c < 10000; ++c) {
        const QString n = digitsOf(c);
        int miss = 0;
        for (int p = 0; p < 4; ++p) {
            if (!kills[p].isEmpty() && !kills[p].contains(n[p]))
                ++miss;
        }
        row[c] = int16_t(toleranceCount(positions - miss, s.tolerance));
    }
    return row;
}

template<size_t N>
QString tickedText(const std::array<bool, N> &ticks, int offset = 0)
{
    QString text;
    for (size_t i = 0; i < N; ++i) {
        if (ticks[i])
            text += QString::number(int(i) + offset);
    }
    return text;
}

Row sumSpan(const SumSpanSelection &s)
{
    Row row{};
    const QString tails = tickedText(s.sumTails);
    const QString spans = tickedText(s.spans);
    const QString killAll = tickedText(s.killAllDigits);
    const QString ac = tickedText(s.acValues, 1);
    QString sums = trimSpaces(s.sumValueText);
    if (sums.contains(QStringLiteral("例如")))
        sums.clear();
    sums = trimSpaces(fivePasses(replaceOthersBySpace(sums, QStringLiteral("0123456789 "))));
    for (int c = 0; c < 10000; ++c) {
        const QString n = digitsOf(c);
        int d[4];
        for (int p = 0; p < 4; ++p)
            d[p] = n[p].digitValue();
        const int sum = d[0] + d[1] + d[2] + d[3];
        const int span = *std::max_element(d, d + 4) - *std::min_element(d, d + 4);
        QString differences;
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j) {
                if (!differences.contains(digitChar(std::abs(d[i] - d[j]))))
                    differences += digitChar(std::abs(d[i] - d[j]));
            }
        }
        bool killed = !tails.isEmpty() && tails.contains(QString::number(sum).right(1));
        killed = killed || (!sums.isEmpty() && sums.contains(QStringLiteral("%1").arg(sum, 2, 10, QChar(u'0'))));
        killed = killed || (!spans.isEmpty() && spans.contains(QString::number(span)));
        for (int p = 0; p < 4; ++p)
            killed = killed || (!killAll.isEmpty() && killAll.contains(n[p]));
        killed = killed || (!ac.isEmpty() && ac.contains(QString::number(differences.size())));
        row[c] = killed;
    }
    return row;
}

Row dan(const DanSelection &s)
{
    Row row{};
    std::array<QString, 4> counts = s.counts;
    bool active = false;
    for (int r = 0; r < 4; ++r) {
        if (counts[r].isEmpty())
            counts[r] = QStringLiteral("1234");
        active = active || !s.digits[r].isEmpty();
    }
    if (!active)
        return row;
    for (int c = 0; c < 10000; ++c) {
        const QString n = digitsOf(c);
        int failed = 0;
        for (int r = 0; r < 4; ++r) {
            if (s.digits[r].isEmpty())
                continue;
            int hits = 0;
            if (s.countRepeats) {
                for (QChar ch : n)
                    hits += s.digits[r].contains(ch) ? 1 : 0;
            } else {
                for (QChar ch : s.digits[r])
                    hits += n.contains(ch) ? 1 : 0;
            }
            if (!counts[r].contains(QString::number(hits)))
                ++failed;
        }
        row[c] = int16_t(toleranceCount(failed, s.tolerance));
    }
    return row;
}

Row ratios(const RatioSelection &s)
{
    Row row{};
    const QString classes[3] = {QStringLiteral("56789"), QStringLiteral("13579"), QStringLiteral("12357")};
    for (int q = 0; q < 3; ++q) {
        if (s.lists[q].isEmpty())
            continue;
        for (int c = 0; c < 10000; ++c) {
            int inClass = 0;
            for (QChar ch : digitsOf(c))
                inClass += classes[q].contains(ch) ? 1 : 0;
            if (!s.lists[q].contains(QStringLiteral("%1:%2").arg(inClass).arg(4 - inClass)))
                row[c] = 1;
        }
    }
    return row;
}

Row shapes(const ShapeSelection &s)
{
    Row row{};
    if (s.list.isEmpty())
        return row;
    const QString list = u'*' + s.list;
    using Test = bool (*)(int, int, int, int);
    const std::pair<QString, Test> kinds[] = {
        {QStringLiteral("上山"), [](int a, int b, int c, int d) { return a <= b && b <= c && c <= d && a != d; }},
        {QStringLiteral("下山"), [](int a, int b, int c, int d) { return a >= b && b >= c && c >= d && a != d; }},
        {QStringLiteral("凸"), [](int a, int b, int c, int d) {
             return (a < b && c > d) || (a <= b && b < c && c > d) || (a < b && b > c && c >= d);
         }},
        {QStringLiteral("凹"), [](int a, int b, int c, int d) {
             return (a > b && c < d) || (a >= b && b > c && c < d) || (a > b && b < c && c <= d);
         }},
        {QStringLiteral("*N"), [](int a, int b, int c, int d) { return a < b && b > c && c < d; }},
        {QStringLiteral("*反"), [](int a, int b, int c, int d) { return a > b && b < c && c > d; }},
    };
    for (const auto &[searchText, has] : kinds) {
        if (!list.contains(searchText))
            continue;
        for (int c = 0; c < 10000; ++c) {
            if (has(c / 1000, c / 100 % 10, c / 10 % 10, c % 10))
                row[c] = 1;
        }
    }
    return row;
}

Row pattern(const QString &list, PatternGrid grid)
{
    Row row{};
    if (list.isEmpty())
        return row;
    for (int c = 0; c < 10000; ++c) {
        const QString n = digitsOf(c);
        QString text;
        for (QChar ch : n) {
            switch (grid) {
            case BigSmallGrid:
                text += QStringLiteral("01234").contains(ch) ? u'小' : u'大';
                break;
            case OddEvenGrid:
                text += QStringLiteral("02468").contains(ch) ? u'偶' : u'奇';
                break;
            case PrimeCompositeGrid:
                text += QStringLiteral("04689").contains(ch) ? u'合' : u'质';
                break;
            case RouteGrid:
                text += QStringLiteral("147").contains(ch) ? u'1' : QStringLiteral("258").contains(ch) ? u'2' : u'0';
                break;
            }
        }
        row[c] = list.contains(text);
    }
    return row;
}

QString digitSet(int c)
{
    const QString n = digitsOf(c);
    QString set;
    for (QChar d : kDigits) {
        if (n.contains(d))
            set += d;
    }
    return set;
}

Row specialExclusions(const SpecialExclusionSelection &s)
{
    Row row{};
    if (s.captions.isEmpty())
        return row;
    const QStringList runs{QStringLiteral("不连"), QStringLiteral("2连"), QStringLiteral("3连"), QStringLiteral("4连")};
    const QStringList repeats{QStringLiteral("AAAA"), QStringLiteral("AAAB"), QStringLiteral("AABC"),
                              QStringLiteral("AABB"), QStringLiteral("ABCD")};
    bool anyRun = false, anyRepeat = false;
    for (const QString &caption : s.captions) {
        anyRun = anyRun || runs.contains(caption);
        anyRepeat = anyRepeat || repeats.contains(caption);
    }
    for (int c = 0; c < 10000; ++c) {
        const QString set = digitSet(c);
        if (anyRun) {
            QString run = QStringLiteral("不连");
            auto holdsAny = [&set](std::initializer_list<const char16_t *> parts) {
                for (const char16_t *part : parts) {
                    if (set.contains(QString::fromUtf16(part)))
                        return true;
                }
                return false;
            };
            if (set.size() == 4
                && QStringLiteral("0123.1234.2345.3456.4567.5678.6789.0129.0189.0789").contains(set))
                run = QStringLiteral("4连");
            else if (set.size() >= 3
                     && (holdsAny({u"012", u"123", u"234", u"345", u"456", u"567", u"678", u"789"})
                         || (set.contains(QStringLiteral("01")) && set.endsWith(u'9'))
                         || (set.contains(QStringLiteral("89")) && set.startsWith(u'0'))))
                run = QStringLiteral("3连");
            else if (set.size() >= 2
                     && (holdsAny({u"01", u"12", u"23", u"34", u"45", u"56", u"67", u"78", u"89"})
                         || (set.startsWith(u'0') && set.endsWith(u'9'))))
                run = QStringLiteral("2连");
            if (s.captions.contains(run)) {
                row[c] = 1;
                continue;
            }
        }
        if (anyRepeat) {
            QString shape;
            switch (set.size()) {
            case 4: shape = QStringLiteral("ABCD"); break;
            case 3: shape = QStringLiteral("AABC"); break;
            case 1: shape = QStringLiteral("AAAA"); break;
            default: {
                QString rest = digitsOf(c);
                rest.remove(set[0]);
                shape = rest.size() == 2 ? QStringLiteral("AABB") : QStringLiteral("AAAB");
            }
            }
            if (s.captions.contains(shape))
                row[c] = 1;
        }
    }
    return row;
}

Row minMax(const MinMaxSelection &s)
{
    Row row{};
    if (s.smallest.isEmpty() && s.largest.isEmpty())
        return row;
    for (int c = 0; c < 10000; ++c) {
        const QString set = digitSet(c);
        if (!s.smallest.isEmpty() && !s.smallest.contains(set.front()))
            row[c] = 1;
        else if (!s.largest.isEmpty() && !s.largest.contains(set.back()))
            row[c] = 1;
    }
    return row;
}

// ---- random selections -----------------------------------------------------

class RandomSelections
{
public:
    explicit RandomSelections(quint32 seed)
        : m_random(seed)
    {
    }

    Selections next()
    {
        Selections s;
        for (int box = 0; box < 7; ++box)
            s.entered.boxes[box] = chance(3) ? typedText(box) : QString();
        for (bool &struck : s.positionalKill.struck)
            struck = chance(12);
        s.positionalKill.tolerance = tolerance(4);
        for (bool &tick : s.sumSpan.sumTails)
            tick = chance(15);
        s.sumSpan.sumValueText = chance(3) ? sumText() : QString();
        for (bool &tick : s.sumSpan.spans)
            tick = chance(15);
        for (bool &tick : s.sumSpan.killAllDigits)
            tick = chance(20);
        for (bool &tick : s.sumSpan.acValues)
            tick = chance(10);
        for (int r = 0; r < 4; ++r) {
            s.dan.digits[r] = subset(kDigits, 8);
            s.dan.counts[r] = subset(QStringLiteral("01234"), 4);
        }
        s.dan.countRepeats = chance(2);
        s.dan.tolerance = tolerance(4);
        const QStringList ratioCaptions{QStringLiteral("0:4"), QStringLiteral("1:3"), QStringLiteral("2:2"),
                                        QStringLiteral("3:1"), QStringLiteral("4:0")};
        for (QString &list : s.ratios.lists)
            list = starred(ratioCaptions, 6);
        s.shapes.list = starred({QStringLiteral("上山"), QStringLiteral("下山"), QStringLiteral("凸形"),
                                 QStringLiteral("凹形"), QStringLiteral("N形"), QStringLiteral("反N形")},
                                5);
        s.patterns.lists[BigSmallGrid] = starred(gridCaptions(u'大', u'小'), 12);
        s.patterns.lists[OddEvenGrid] = starred(gridCaptions(u'奇', u'偶'), 12);
        s.patterns.lists[PrimeCompositeGrid] = starred(gridCaptions(u'质', u'合'), 12);
        QStringList routes;
        for (int n = 0; n < 81; ++n)
            routes.append(QStringLiteral("%1%2%3%4").arg(n / 27).arg(n / 9 % 3).arg(n / 3 % 3).arg(n % 3));
        s.patterns.lists[RouteGrid] = starred(routes, 30);
        const QStringList special{QStringLiteral("不连"), QStringLiteral("2连"), QStringLiteral("3连"),
                                  QStringLiteral("4连"), QStringLiteral("AAAA"), QStringLiteral("AAAB"),
                                  QStringLiteral("AABC"), QStringLiteral("AABB"), QStringLiteral("ABCD")};
        for (const QString &caption : special) {
            if (chance(8))
                s.specialExclusions.captions.append(caption);
        }
        s.minMax.smallest = subset(QStringLiteral("012345678"), 5);
        s.minMax.largest = subset(QStringLiteral("123456789"), 5);
        s.baseSetText = chance(4) ? typedText(0) : QString();
        s.total = tolerance(12);
        return s;
    }

private:
    bool chance(int oneIn) { return m_random.bounded(oneIn) == 0; }

    ToleranceRange tolerance(int top)
    {
        return {int16_t(m_random.bounded(top + 2) - (chance(20) ? 1 : 0)), int16_t(m_random.bounded(top + 2))};
    }

    QString subset(const QString &from, int oneIn)
    {
        QString picked;
        if (chance(2))
            return picked;
        for (QChar ch : from) {
            if (chance(oneIn))
                picked += ch;
        }
        return picked;
    }

    QString starred(const QStringList &captions, int oneIn)
    {
        QString list;
        if (chance(2))
            return list;
        for (const QString &caption : captions) {
            if (chance(oneIn))
                list += caption + u'*';
        }
        return list;
    }

    static QStringList gridCaptions(QChar first, QChar second)
    {
        QStringList captions;
        for (int j = 0; j < 16; ++j) {
            QString caption(4, first);
            if (j & 1) caption[2] = second;
            if (j & 2) caption[1] = second;
            if (j & 4) caption[0] = second;
            if (j & 8) caption[3] = second;
            captions.append(caption);
        }
        return captions;
    }

    QString separator()
    {
        static const QStringList separators{QStringLiteral(" "), QStringLiteral(","), QStringLiteral("，"),
                                            QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\t"),
                                            QStringLiteral("  "), QStringLiteral("、"), QStringLiteral("\u3000")};
        if (chance(12))
            return QString(int(33 + m_random.bounded(40)), u' ');
        return separators[int(m_random.bounded(separators.size()))];
    }

    QString token(int box)
    {
        static const int usualLength[7] = {4, 4, 2, 2, 3, 3, 4};
        const int length = chance(5) ? int(m_random.bounded(1, 6)) : usualLength[box];
        QString text;
        for (int i = 0; i < length; ++i) {
            if ((box == 6 && chance(3)) || (box == 1 && chance(6)))
                text += u'*';
            else if (chance(25))
                text += u'x';
            else
                text += QChar(u'0' + int(m_random.bounded(10)));
        }
        return text;
    }

    QString compoundLine()
    {
        QString line;
        const int fields = int(m_random.bounded(3, 6));
        for (int f = 0; f < fields; ++f) {
            if (f > 0)
                line += u'*';
            line += subset(kDigits, 2);
            if (chance(10))
                line += QStringLiteral(" a");
        }
        return line;
    }

    QString typedText(int box)
    {
        if (chance(6)) {
            static const QStringList hints{QStringLiteral("\n双击清空\n"), QStringLiteral("大底号码，双击清空\n"),
                                           QStringLiteral("\n号码之间用空格隔开\n")};
            return hints[int(m_random.bounded(hints.size()))];
        }
        QString text = chance(4) ? QString(int(m_random.bounded(3)), u' ') : QString();
        const int count = int(m_random.bounded(1, 6));
        for (int i = 0; i < count; ++i) {
            text += box == 1 ? compoundLine() : token(box);
            text += box == 1 ? QStringLiteral("\n") : separator();
        }
        return text;
    }

    QString sumText()
    {
        if (chance(5))
            return QStringLiteral("和值输入要保持2位数，例如：00 05 08 16");
        QString text;
        const int count = int(m_random.bounded(1, 5));
        for (int i = 0; i < count; ++i)
            text += QString::number(m_random.bounded(chance(4) ? 400 : 37)) + separator();
        return text;
    }

    QRandomGenerator m_random;
};

} // namespace

class TestDifferential : public QObject
{
    Q_OBJECT
private slots:
    void engineAgreesWithTheNaiveReading();
};

void TestDifferential::engineAgreesWithTheNaiveReading()
{
    const quint32 seed = qEnvironmentVariableIsSet("VINTORA_DIFFERENTIAL_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VINTORA_DIFFERENTIAL_SEED"))
                             : QRandomGenerator::global()->generate();
    const int runs = qEnvironmentVariableIsSet("VINTORA_DIFFERENTIAL_RUNS")
                         ? qEnvironmentVariableIntValue("VINTORA_DIFFERENTIAL_RUNS")
                         : 2000;
    qInfo("seed %u, %d selections (repeat with VINTORA_DIFFERENTIAL_SEED=%u)", seed, runs, seed);
    RandomSelections random(seed);
    // One window's marks, kept from run to run as the window keeps them: a
    // family or box whose selection stayed the same must still be right.
    FamilyMarks kept;
    for (int run = 0; run < runs; ++run) {
        const Selections s = random.next();
        ShrinkState state;
        run_shrink(s, state, kept);
        const CandidateMatrix &m = *state.matrix;

        const std::pair<int, Row> expected[] = {
            {EnteredListRow, enteredLists(s.entered)},
            {PositionalKillRow, positionalKill(s.positionalKill)},
            {SumSpanRow, sumSpan(s.sumSpan)},
            {DanRow, dan(s.dan)},
            {RatioRow, ratios(s.ratios)},
            {ShapeRow, shapes(s.shapes)},
            {BigSmallRow, pattern(s.patterns.lists[BigSmallGrid], BigSmallGrid)},
            {OddEvenRow, pattern(s.patterns.lists[OddEvenGrid], OddEvenGrid)},
            {PrimeCompositeRow, pattern(s.patterns.lists[PrimeCompositeGrid], PrimeCompositeGrid)},
            {RouteRow, pattern(s.patterns.lists[RouteGrid], RouteGrid)},
            {SpecialExclusionRow, specialExclusions(s.specialExclusions)},
            {MinMaxRow, minMax(s.minMax)},
        };
        Row failures{};
        for (const auto &[row, marks] : expected) {
            for (int c = 0; c < 10000; ++c) {
                if (m.cell(row, c) != marks[c]) {
                    QFAIL(qPrintable(QStringLiteral("seed %1, run %2: row %3 differs at %4 (engine %5)")
                                         .arg(seed).arg(run).arg(row).arg(digitsOf(c)).arg(m.cell(row, c))));
                }
                failures[c] = int16_t(failures[c] + marks[c]);
            }
        }

        // Base set and total tolerance, then the listed survivors.
        Row base{};
        bool baseActive = false;
        const bool blank = std::all_of(s.baseSetText.begin(), s.baseSetText.end(), [](QChar ch) {
            return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n';
        });
        if (!s.baseSetText.contains(QStringLiteral("号码")) && !blank) {
            baseActive = true;
            for (const QString &token : onlyStr(s.baseSetText, kDigits).split(u' ')) {
                if (token.size() == 4)
                    base[token.toInt()] = 1;
            }
        }
        QCOMPARE(state.BaseSetActive, int16_t(baseActive ? 1 : 0));
        QString listed;
        for (int c = 0; c < 10000; ++c) {
            const bool killed = (baseActive && base[c] == 0) || toleranceCount(failures[c], s.total);
            QCOMPARE(m.cell(KillRow, c), int16_t(killed ? 1 : 0));
            if (!killed)
                listed += (listed.isEmpty() ? QString() : QStringLiteral(" ")) + digitsOf(c);
        }
        QCOMPARE(collect_survivors(state).text, listed);
        QCOMPARE(state.ResultText, listed);
    }
}

QTEST_APPLESS_MAIN(TestDifferential)
#include "tst_differential.moc"
