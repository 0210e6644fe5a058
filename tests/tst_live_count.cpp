// The live count against full shrink runs: one random change of the sheet at
// a time, of every kind a player can make, and after each the count must be
// what "[开始缩水]" would list.
//
// VINTORA_LIVE_COUNT_STEPS sets how many changes (default 400);
// VINTORA_LIVE_COUNT_SEED repeats a failing sequence.

#include "filters/shrink_run.h"
#include "filters/live_count.h"

#include <QRandomGenerator>
#include <QTest>
#include <functional>
#include <vector>

namespace {

int fullRunCount(const Selections &s)
{
    ShrinkState state;
    run_shrink(s, state);
    return collect_survivors(state).count;
}

class RandomChanges
{
public:
    explicit RandomChanges(quint32 seed)
        : m_random(seed)
    {
    }

    // Applies one change to s and says what it was.
    QString change(Selections &s)
    {
        const std::vector<std::pair<QString, std::function<void()>>> kinds = {
            {QStringLiteral("positional tick"), [&] { flip(s.positionalKill.struck); }},
            {QStringLiteral("sum tail tick"), [&] { flip(s.sumSpan.sumTails); }},
            {QStringLiteral("span tick"), [&] { flip(s.sumSpan.spans); }},
            {QStringLiteral("kill-all tick"), [&] { flip(s.sumSpan.killAllDigits); }},
            {QStringLiteral("AC tick"), [&] { flip(s.sumSpan.acValues); }},
            {QStringLiteral("sum values"), [&] { s.sumSpan.sumValueText = sumText(); }},
            {QStringLiteral("dan digit"), [&] { toggleChar(s.dan.digits[pick(4)], QStringLiteral("0123456789")); }},
            {QStringLiteral("dan count"), [&] { toggleChar(s.dan.counts[pick(4)], QStringLiteral("01234")); }},
            {QStringLiteral("dan repeats tick"), [&] { s.dan.countRepeats = !s.dan.countRepeats; }},
            {QStringLiteral("ratio"), [&] { toggleCaption(s.ratios.lists[pick(3)], {u"0:4", u"1:3", u"2:2", u"3:1", u"4:0"}); }},
            {QStringLiteral("shape"), [&] { toggleCaption(s.shapes.list, {u"上山", u"下山", u"凸形", u"凹形", u"N形", u"反N形"}); }},
            {QStringLiteral("big/small grid"), [&] { toggleCaption(s.patterns.lists[BigSmallGrid], gridCaption(u'大', u'小')); }},
            {QStringLiteral("odd/even grid"), [&] { toggleCaption(s.patterns.lists[OddEvenGrid], gridCaption(u'奇', u'偶')); }},
            {QStringLiteral("prime grid"), [&] { toggleCaption(s.patterns.lists[PrimeCompositeGrid], gridCaption(u'质', u'合')); }},
            {QStringLiteral("route grid"), [&] { toggleCaption(s.patterns.lists[RouteGrid], routeCaption()); }},
            {QStringLiteral("special exclusion"), [&] { toggleExclusion(s.specialExclusions.captions); }},
            {QStringLiteral("smallest digit"), [&] { toggleChar(s.minMax.smallest, QStringLiteral("012345678")); }},
            {QStringLiteral("largest digit"), [&] { toggleChar(s.minMax.largest, QStringLiteral("123456789")); }},
            {QStringLiteral("typed list"), [&] { const int box = pick(7); s.entered.boxes[box] = boxText(box); }},
            {QStringLiteral("base set"), [&] { s.baseSetText = chance(3) ? QString() : boxText(0); }},
            {QStringLiteral("positional tolerance"), [&] { s.positionalKill.tolerance = tolerance(4); }},
            {QStringLiteral("dan tolerance"), [&] { s.dan.tolerance = tolerance(4); }},
            {QStringLiteral("total tolerance"), [&] { s.total = tolerance(12); }},
            {QStringLiteral("same texts, new copies"), [&] { s = deepCopy(s); }},
            {QStringLiteral("reset"), [&] { s = Selections{}; }},
            {QStringLiteral("another sheet loaded"), [&] { std::swap(s, m_kept); }},
        };
        const auto &[name, apply] = kinds[pick(int(kinds.size()))];
        apply();
        return name;
    }

private:
    bool chance(int oneIn) { return m_random.bounded(oneIn) == 0; }
    int pick(int n) { return int(m_random.bounded(n)); }

    template<size_t N>
    void flip(std::array<bool, N> &ticks)
    {
        bool &tick = ticks[pick(int(N))];
        tick = !tick;
    }

    void toggleChar(QString &text, const QString &from)
    {
        const QChar ch = from[pick(int(from.size()))];
        if (text.contains(ch))
            text.remove(ch);
        else
            text += ch;
    }

    void toggleCaption(QString &list, const QString &caption)
    {
        const QString starred = caption + u'*';
        if (list.contains(starred))
            list.remove(starred);
        else
            list += starred;
    }

    void toggleCaption(QString &list, std::initializer_list<const char16_t *> captions)
    {
        toggleCaption(list, QString::fromUtf16(captions.begin()[pick(int(captions.size()))]));
    }

    QString gridCaption(QChar first, QChar second)
    {
        QString caption;
        for (int p = 0; p < 4; ++p)
            caption += chance(2) ? first : second;
        return caption;
    }

    QString routeCaption()
    {
        QString caption;
        for (int p = 0; p < 4; ++p)
            caption += QChar(u'0' + pick(3));
        return caption;
    }

    void toggleExclusion(QStringList &captions)
    {
        static const QStringList all{QStringLiteral("不连"), QStringLiteral("2连"), QStringLiteral("3连"),
                                     QStringLiteral("4连"), QStringLiteral("AAAA"), QStringLiteral("AAAB"),
                                     QStringLiteral("AABC"), QStringLiteral("AABB"), QStringLiteral("ABCD")};
        const QString &caption = all[pick(int(all.size()))];
        if (!captions.removeOne(caption))
            captions.append(caption);
    }

    // Mostly a range that keeps something, so that counts of several
    // failed families are tested too; now and then one beyond the ends.
    ToleranceRange tolerance(int top)
    {
        int16_t from = int16_t(pick(top + 3) - 1), to = int16_t(pick(top + 3) - 1);
        if (from > to && !chance(5))
            std::swap(from, to);
        return {from, to};
    }

    QString sumText()
    {
        if (chance(5))
            return QStringLiteral("和值输入要保持2位数，例如：00 05 08 16");
        QString text;
        for (int i = pick(6); i > 0; --i)
            text += QString::number(pick(chance(4) ? 200 : 37)) + QStringLiteral(" ");
        return text;
    }

    // What a player types or pastes into a list box: mostly entries of the
    // box's own length, some of other lengths and some junk; now and then
    // nothing, a hint, or a long pasted list.
    QString boxText(int box)
    {
        if (chance(6))
            return chance(2) ? QString() : QStringLiteral("\n号码之间用空格隔开\n双击清空\n");
        static const int usualLength[7] = {4, 4, 2, 2, 3, 3, 4};
        const int entries = chance(10) ? 2000 : 1 + pick(8);
        QString text;
        for (int e = 0; e < entries; ++e) {
            const int length = chance(6) ? 1 + pick(5) : usualLength[box];
            for (int i = 0; i < length; ++i) {
                if (box == 1 && i > 0 && chance(2))
                    text += u'*';
                text += box == 6 && chance(3) ? QChar(u'*') : QChar(u'0' + pick(10));
            }
            text += chance(8) ? QStringLiteral("，") : box == 1 ? QStringLiteral("\r\n") : QStringLiteral(" ");
        }
        return text;
    }

    static Selections deepCopy(const Selections &s)
    {
        Selections copy = s;
        for (QString &box : copy.entered.boxes)
            box = QString(box.constData(), box.size());
        copy.baseSetText = QString(s.baseSetText.constData(), s.baseSetText.size());
        return copy;
    }

    QRandomGenerator m_random;
    Selections m_kept;
};

} // namespace

class TestLiveCount : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTheWholeField();
    void followsRandomSingleChanges();
    void toleranceAloneDecides();
    void oneCandidateMarkedByEveryFamily();
};

void TestLiveCount::startsWithTheWholeField()
{
    LiveCount live;
    QCOMPARE(live.count(Selections{}), 10000);
}

void TestLiveCount::followsRandomSingleChanges()
{
    const quint32 seed = qEnvironmentVariableIsSet("VINTORA_LIVE_COUNT_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VINTORA_LIVE_COUNT_SEED"))
                             : QRandomGenerator::global()->generate();
    const int steps = qEnvironmentVariableIsSet("VINTORA_LIVE_COUNT_STEPS")
                          ? qEnvironmentVariableIntValue("VINTORA_LIVE_COUNT_STEPS")
                          : 400;
    qInfo("seed %u, %d changes (repeat with VINTORA_LIVE_COUNT_SEED=%u)", seed, steps, seed);
    RandomChanges random(seed);
    LiveCount live;
    Selections s;
    // A loose tolerance now and then, so that counts of several failed
    // families are tested too, not only "marked by nothing".
    for (int step = 0; step < steps; ++step) {
        const QString what = random.change(s);
        const int expected = fullRunCount(s);
        const int counted = live.count(s);
        if (counted != expected)
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2 (%3): live count %4, full run %5")
                                 .arg(seed).arg(step).arg(what).arg(counted).arg(expected)));
    }
}

// Base set of three numbers, nothing else: the count follows the tolerance
// alone, which the kept marks do not see.
void TestLiveCount::toleranceAloneDecides()
{
    LiveCount live;
    Selections s;
    s.baseSetText = QStringLiteral("0001 9999,1234");
    QCOMPARE(live.count(s), 3);
    s.total = {2, 1};
    QCOMPARE(live.count(s), 0);
    s.total = {0, 12};
    QCOMPARE(live.count(s), 3);
    s.baseSetText.clear();
    QCOMPARE(live.count(s), 10000);
    s.total = {1, 12};
    QCOMPARE(live.count(s), 0);
    s.shapes.list = QStringLiteral("上山*");
    // Rising: d1 <= d2 <= d3 <= d4 and not all equal: C(13,4) - 10 = 705.
    QCOMPARE(live.count(s), 705);
}

// 0123 is marked by all twelve families, the only one the straight list
// marks: so it alone fails twelve, and the top of the tolerance range counts.
void TestLiveCount::oneCandidateMarkedByEveryFamily()
{
    Selections s;
    s.entered.boxes[0] = QStringLiteral("0123");
    s.positionalKill.struck[0] = true;                  // thousands digit 0
    s.sumSpan.sumTails[6] = true;
    s.dan.digits[0] = QStringLiteral("9");              // needs one to four 9s
    s.ratios.lists[0] = QStringLiteral("4:0*");         // all big
    s.shapes.list = QStringLiteral("上山*");
    s.patterns.lists = {QStringLiteral("小小小小*"), QStringLiteral("偶奇偶奇*"), QStringLiteral("合质质质*"),
                        QStringLiteral("0120*")};
    s.specialExclusions.captions = {QStringLiteral("4连")};
    s.minMax.smallest = QStringLiteral("5");
    s.total = {12, 12};
    LiveCount live;
    QCOMPARE(live.count(s), 1);
    s.total = {11, 13};
    QCOMPARE(live.count(s), fullRunCount(s));
    s.total = {13, 13};
    QCOMPARE(live.count(s), 0);
    s.total = {12, 12};
    s.minMax.smallest.clear();
    QCOMPARE(live.count(s), 0);
}

QTEST_GUILESS_MAIN(TestLiveCount)
#include "tst_live_count.moc"
