// vintora_bench: medians of the engine and the window, the heavy run and the
// filling of the result list each beside its floor measured in the same run,
// and the program's resident memory.
//
// Run offscreen: QT_QPA_PLATFORM=offscreen ./build/bench/vintora_bench

#include "app/fmain.h"
#include "ui/modal.h"
#include "core/sheet_record.h"
#include "filters/live_count.h"
#include "filters/backtest.h"
#include "filters/efficiency.h"
#include "filters/member_sets.h"
#include "filters/omission.h"
#include "filters/set_operations.h"
#include "filters/shrink_run.h"
#include "filters/tradeoff.h"
#include "filters/unread_entries.h"
#include "store/draw_store.h"
#include "ui/colorbutton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// `prepare` runs before each measured run, outside the clock.
double medianMicroseconds(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The medians of two works measured turn about, so that both see the same
// load of a shared machine.
std::pair<double, double> alternatingMedians(int runs, const std::function<void()> &first,
                                             const std::function<void()> &second,
                                             const std::function<void()> &prepare = {})
{
    std::vector<double> firstTimes, secondTimes;
    for (int i = 0; i < runs; ++i) {
        for (auto [work, times] : {std::pair{&first, &firstTimes}, std::pair{&second, &secondTimes}}) {
            if (prepare)
                prepare();
            QElapsedTimer clock;
            clock.start();
            (*work)();
            times->push_back(clock.nsecsElapsed() / 1000.0);
        }
    }
    for (auto *times : {&firstTimes, &secondTimes})
        std::sort(times->begin(), times->end());
    return {firstTimes[firstTimes.size() / 2], secondTimes[secondTimes.size() / 2]};
}

// Lets the window handle what a click left for it: a list's delayed layout,
// then the paint it asks for.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Keeps the floors' work from being optimised away.
volatile int benchSink = 0;

// The floor of a full run: the least that walking a matrix of 16-bit cells
// costs, allocating its 61 rows of 10,000 and summing rows 1-49 of every
// candidate.
void matrixFloor()
{
    auto cells = std::make_unique<std::array<std::array<int16_t, kCandidateCount>, kMatrixRowCount>>();
    std::array<int16_t, kCandidateCount> sums{};
    for (int r = EnteredListRow; r <= LastSummedRow; ++r) {
        for (int c = 0; c < kCandidateCount; ++c)
            sums[c] = int16_t(sums[c] + (*cells)[r][c]);
    }
    benchSink = benchSink + sums[benchSink & 0xFF];
}

QByteArray ratio(const char *what, double figure, double floor, double goal)
{
    return QStringLiteral("%1 = %2 x floor (goal <= %3)")
        .arg(QLatin1String(what)).arg(figure / floor, 0, 'f', 2).arg(goal, 0, 'f', 1)
        .toLatin1();
}

void report(const char *what, double microseconds, const char *target)
{
    std::printf("%-58s %10.1f us   %s\n", what, microseconds, target);
}

// A figure of /proc/self/status: VmRSS all resident memory, RssAnon the
// part the program allocated (the rest is mapped code, data and fonts).
long statusKilobytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void reportMemory(const char *what)
{
    std::printf("%-58s %10ld kB\n", what, statusKilobytes("VmRSS"));
    std::printf("%-58s %10ld kB\n", "  of it allocated by the program", statusKilobytes("RssAnon"));
}

// Every family active, with the typed lists players paste: 10,000 straight
// numbers, 2,000 compound lines, 2,000 positional patterns and every two- and
// three-digit combination in the must-contain boxes.
Selections heavySelections()
{
    QRandomGenerator random(20170601);
    Selections s;
    QString straight, compound, patterns, twoCodes, threeCodes;
    for (int n = 0; n < 10000; ++n)
        straight += four_digits(int(random.bounded(10000))) + u'\n';
    auto field = [&random] {
        QString digits;
        for (int d = 0; d < 10; ++d) {
            if (random.bounded(3) == 0)
                digits += QChar(u'0' + d);
        }
        return digits;
    };
    for (int line = 0; line < 2000; ++line)
        compound += field() + u'*' + field() + u'*' + field() + u'*' + field() + u'\n';
    for (int i = 0; i < 2000; ++i) {
        QString pattern = four_digits(int(random.bounded(10000)));
        pattern[int(random.bounded(4))] = u'*';
        patterns += pattern + u' ';
    }
    for (int n = 0; n < 100; ++n)
        twoCodes += QStringLiteral("%1 ").arg(n, 2, 10, QChar(u'0'));
    for (int n = 0; n < 1000; ++n)
        threeCodes += QStringLiteral("%1 ").arg(n, 3, 10, QChar(u'0'));
    s.entered.boxes = {straight, compound, QStringLiteral("13 57"), twoCodes,
                       QStringLiteral("999 135"), threeCodes, patterns};

    s.positionalKill.struck[3] = s.positionalKill.struck[17] = s.positionalKill.struck[35] = true;
    s.positionalKill.tolerance = {0, 1};
    s.sumSpan.sumTails[3] = true;
    s.sumSpan.sumValueText = QStringLiteral("00 05 08 16 33");
    s.sumSpan.spans[0] = true;
    s.sumSpan.killAllDigits[7] = true;
    s.sumSpan.acValues[0] = true;
    s.dan.digits = {QStringLiteral("12"), QStringLiteral("345"), QString(), QString()};
    s.dan.counts = {QStringLiteral("12"), QString(), QString(), QString()};
    s.dan.tolerance = {0, 1};
    s.ratios.lists = {QStringLiteral("1:3*2:2*3:1*"), QStringLiteral("2:2*"), QString()};
    s.shapes.list = QStringLiteral("上山*N形*");
    s.patterns.lists = {QStringLiteral("小小小小*"), QStringLiteral("奇奇奇奇*"), QStringLiteral("合合合合*"),
                        QStringLiteral("0000*2202*")};
    s.specialExclusions.captions = {QStringLiteral("4连"), QStringLiteral("AAAA")};
    s.minMax = {QStringLiteral("0123"), QStringLiteral("6789")};
    s.total = {0, 2};
    return s;
}

// The live count with heavy lists in every box, after the change a player
// makes most (one toggle or tick), and after one typed list changed. Each
// measured count follows one change; the changes go round the families and
// boxes, and the kept marks are up to date before each.
void benchLiveCount(const Selections &heavy)
{
    LiveCount live;
    Selections s = heavy;
    live.count(s);
    const auto flip = [](QString &list, const QString &caption) {
        if (list.contains(caption))
            list.remove(caption);
        else
            list += caption;
    };
    const std::function<void(Selections &)> toggles[] = {
        [&](Selections &t) { flip(t.ratios.lists[2], QStringLiteral("2:2*")); },
        [](Selections &t) { t.positionalKill.struck[22] = !t.positionalKill.struck[22]; },
        [](Selections &t) { t.sumSpan.spans[9] = !t.sumSpan.spans[9]; },
        [&](Selections &t) { flip(t.dan.digits[2], QStringLiteral("7")); },
        [&](Selections &t) { flip(t.shapes.list, QStringLiteral("凹形*")); },
        [&](Selections &t) { flip(t.patterns.lists[RouteGrid], QStringLiteral("1111*")); },
        [](Selections &t) {
            if (!t.specialExclusions.captions.removeOne(QStringLiteral("AABB")))
                t.specialExclusions.captions.append(QStringLiteral("AABB"));
        },
        [&](Selections &t) { flip(t.minMax.largest, QStringLiteral("5")); },
    };
    int next = 0;
    report("live count after one toggle, heavy lists in every box", medianMicroseconds(
               800, [&] { live.count(s); }, [&] { toggles[next++ % std::size(toggles)](s); }),
           "target <= 100 us");

    // The worker first turns the window's record into selections.
    SheetRecord record = cleared_record();
    for (size_t box = 0; box < kEnteredListBoxCount; ++box)
        record.texts[QStringLiteral("T_ding(%1)").arg(box)] = heavy.entered.boxes[box];
    for (int i = 0; i < 159; i += 5)
        record.selected.insert(QStringLiteral("C_bi(%1)").arg(i));
    for (int i = 0; i < 40; i += 3)
        record.checked.insert(QStringLiteral("Check_hewei_sha1(%1)").arg(i));
    report("  and before it: the sheet record to selections", medianMicroseconds(800, [&] {
               if (selections_from_record(record).entered.boxes[0].isEmpty())
                   std::fprintf(stderr, "the record lost its straight list\n");
           }),
           "");

    // One box gains an entry, the way a player types, or loses it again:
    // the box whose list is the slowest to read decides.
    double slowest = 0;
    int slowestBox = 0;
    for (size_t box = 0; box < kEnteredListBoxCount; ++box) {
        const QString plain = heavy.entered.boxes[box];
        const QString typed = plain + QStringLiteral(" 1*2*3*4 5678 *9*0\n");
        const double median = medianMicroseconds(
            40, [&] { live.count(s); },
            [&] {
                const QString &other = s.entered.boxes[box].size() == typed.size() ? plain : typed;
                // A fresh copy, as the window reads a changed box anew.
                s.entered.boxes[box] = QString(other.constData(), other.size());
            });
        if (median > slowest) {
            slowest = median;
            slowestBox = int(box);
        }
    }
    char what[80];
    std::snprintf(what, sizeof what, "live count after one typed list changed (T_ding(%d))", slowestBox);
    report(what, slowest, "target <= heavy shrink run");
}

void benchEngine()
{
    // Worked out on first use, once for the whole program.
    QElapsedTimer firstUse;
    firstUse.start();
    const qsizetype members = members_naming_sets().size();
    report(qPrintable(QStringLiteral("what each member names, worked out once (%1 members)").arg(members)),
           firstUse.nsecsElapsed() / 1000.0, "");

    ShrinkState state;
    const Selections nothing;
    report("shrink run, nothing selected", medianMicroseconds(500, [&] {
               run_shrink(nothing, state);
               collect_survivors(state);
           }),
           "target <= 300 us");

    // Every family marks afresh and every typed list is read, as in a run
    // after the player changed them all.
    const Selections heavy = heavySelections();
    const auto [heavyRun, floor] = alternatingMedians(200, [&] {
        run_shrink(heavy, state);
        collect_survivors(state);
    }, matrixFloor);
    report("shrink run, every family with heavy typed lists", heavyRun, "target <= 4.5 x floor");
    report("  floor: allocate the matrix and sum its rows", floor, ratio("heavy run", heavyRun, floor, 4.5).constData());
    // As the window runs the same sheet again: the marks kept from its run
    // before, the sheet read anew, so the typed lists come as equal texts.
    Selections handed = heavy;
    FamilyMarks kept;
    run_shrink(heavy, state, kept);
    const auto [againRun, againFloor] = alternatingMedians(
        200,
        [&] {
            run_shrink(handed, state, kept);
            collect_survivors(state);
        },
        matrixFloor,
        [&] {
            for (QString &box : handed.entered.boxes)
                box = QString(box.constData(), box.size());
        });
    report("  the same again in the window, the lists unchanged", againRun,
           ratio("this", againRun, againFloor, 4.5).constData());

    // One run's matrix, then one lookup per past draw.
    std::vector<int> draws(10000);
    QRandomGenerator random(15);
    for (int &n : draws)
        n = int(random.bounded(10000));
    report("back-test of 10,000 draws on the heavy run's matrix", medianMicroseconds(200, [&] {
               const QList<BacktestRow> rows = backtest(*state.matrix, draws);
               if (summarize_backtest(rows).draws != 10000)
                   std::fprintf(stderr, "unexpected back-test\n");
           }),
           "target <= 5000 us");
    // Beside every back-test the history window shows these two as well.
    report("what each member costs over 10,000 draws", medianMicroseconds(50, [&] {
               if (member_efficiency(draws).size() != 253)
                   std::fprintf(stderr, "unexpected member costs\n");
           }),
           "");
    report("tolerance trade-off of 10,000 draws on the heavy run's matrix", medianMicroseconds(200, [&] {
               if (tolerance_tradeoff(*state.matrix, state.BaseSetActive, draws).isEmpty())
                   std::fprintf(stderr, "unexpected trade-off\n");
           }),
           "");

    // Every figure the command line prints, over the same draws oldest first.
    const qsizetype properties = draw_properties().size();
    report(qPrintable(QStringLiteral("omission figures of %1 properties over 10,000 draws").arg(properties)),
           medianMicroseconds(50, [&] {
               int hits = 0;
               for (const DrawProperty &property : draw_properties())
                   hits += tally_omission(draws, property.numbers).hits();
               if (hits < 10000)
                   std::fprintf(stderr, "unexpected omission figures\n");
           }),
           "target <= 20000 us");

    benchLiveCount(heavy);
}

// A list of 5 MB as players paste it: four-digit numbers, a line of a few.
QString pastedList()
{
    QString pasted;
    QRandomGenerator random(5);
    while (pasted.size() < 5'000'000)
        pasted += four_digits(int(random.bounded(10000))) + (random.bounded(5) == 0 ? u'\n' : u' ');
    return pasted;
}

// The list pasted into T_ding(0): how long the live count holds the event
// loop at most (a zero timer's longest gap), and when the new count shows.
// The unread entries follow the count on its worker.
void benchLivePaste(Fmain &window)
{
    const QString pasted = pastedList();
    const ConditionRow &straightList = *condition_row(u"T_ding", 0);
    report("unread entries of the 5 MB list below, on the worker", medianMicroseconds(5, [&] {
               if (!unread_entries(straightList, pasted).isEmpty())
                   std::fprintf(stderr, "a pasted number was not read\n");
           }),
           "");
    auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("T_ding(0)"));
    auto *count = window.findChild<QLabel *>(QStringLiteral("L_live_count"));
    const auto showsAll = [count] { return count->text().startsWith(QStringLiteral("当前条件：10000 注")); };
    if (!QTest::qWaitFor(showsAll))
        std::fprintf(stderr, "the live count never showed 10000\n");
    // The box taking the text is one hold of its own, before those that follow.
    QElapsedTimer clock;
    clock.start();
    box->setPlainText(pasted);
    const double taken = clock.nsecsElapsed() / 1000.0;

    clock.start();
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    ticker.start();
    while (showsAll())
        QCoreApplication::processEvents();
    const double shown = clock.nsecsElapsed() / 1000.0;
    ticker.stop();
    report("live count after a 5 MB paste: longest hold of the window", longestGap / 1000.0, "target <= 50000 us");
    report("live count after a 5 MB paste: until the count shows", shown, "");
    report("  the paste itself: the box taking the text", taken, "");
    box->clear();
}

void benchWindow()
{
    QStandardPaths::setTestModeEnabled(true);
    set_modal_capture([](const ModalMessage &) { return false; });
    Fmain window;
    window.findChild<QTimer *>(QStringLiteral("Timer_load"))->stop();
    window.show();
    QTest::qWait(100);
    reportMemory("resident memory after start-up");

    // The floor of showing a result: a plain list widget, as large and in the
    // same font as Li_out, with uniform item sizes, filled with the 2,500
    // lines (made before the clock) and shown. Both are timed until the
    // window has handled what they left for it, laying out and painting.
    auto *start = window.findChild<ColorButton *>(QStringLiteral("C_guolv_ks(0)"));
    auto *list = window.findChild<QListView *>(QStringLiteral("Li_out"));
    QListWidget floorList;
    floorList.setUniformItemSizes(true);
    floorList.setFont(list->font());
    floorList.resize(list->size());
    floorList.show();
    ShrinkState everything;
    run_shrink({}, everything);
    const QStringList lines = display_lines(collect_survivors(everything).text);
    const auto [click, floor] = alternatingMedians(
        50,
        [&] {
            start->click();
            settle();
            if (list->model()->rowCount() != 2500)
                std::fprintf(stderr, "unexpected list of %d lines\n", list->model()->rowCount());
        },
        [&] {
            floorList.clear();
            floorList.addItems(lines);
            settle();
        });
    report("click on [开始缩水] until Li_out holds 2,500 lines", click, "target <= 1.1 x floor");
    report("  floor: a list widget filled with 2,500 lines", floor, ratio("click", click, floor, 1.1).constData());
    floorList.hide();
    floorList.clear();

    auto *toGroups = window.findChild<ColorButton *>(QStringLiteral("C_guolv_ks(2)"));
    report("click on 转为组选, 10,000 survivors to 715 groups", medianMicroseconds(50, [&] {
               toGroups->click();
               if (list->model()->rowCount() != 179)
                   std::fprintf(stderr, "unexpected group list of %d lines\n", list->model()->rowCount());
           }),
           "target <= 25000 us");

    // Two pasted lists of 10,000 numbers, one per line: every number, and
    // 10,000 drawn at random.
    QString every, drawn;
    QRandomGenerator random(4);
    for (int n = 0; n < 10000; ++n) {
        every += four_digits(n) + u'\n';
        drawn += four_digits(int(random.bounded(10000))) + u'\n';
    }
    auto *boxA = window.findChild<QPlainTextEdit *>(QStringLiteral("T_jj(0)"));
    auto *boxB = window.findChild<QPlainTextEdit *>(QStringLiteral("T_jj(1)"));
    auto *result = window.findChild<QPlainTextEdit *>(QStringLiteral("T_jj(2)"));
    auto *setUnion = window.findChild<ColorButton *>(QStringLiteral("C_guolv_ks(7)"));
    // The operations stand on the set-operation tab, which the player opens first.
    window.findChild<ColorButton *>(QStringLiteral("C_sst_0(5)"))->click();
    const auto unionClick = [&] {
        setUnion->click();
        if (result->toPlainText().size() != 10000 * 5 - 1)
            std::fprintf(stderr, "unexpected union of %d characters\n", int(result->toPlainText().size()));
    };
    const auto pasteLists = [&](QPlainTextEdit *a, QPlainTextEdit *b) {
        a->setPlainText(every);
        b->setPlainText(drawn);
    };
    report("click on A.B并集 with two lists of 10,000 numbers", medianMicroseconds(50, unionClick, [&] {
               pasteLists(boxA, boxB);
               settle();
           }),
           "target <= 8000 us");
    reportMemory("resident memory after full runs");

    // The floor of a set operation: three plain text boxes, as large and in
    // the same font as the panel's, the first two holding the pasted lists,
    // taking the texts the operation shows (made before the clock): the two
    // lists on a line each, then the union. Both are timed until the click
    // returns, turn about; the paint that follows is alike for both.
    const SetOperationResult shown = base_set_operation(u"bing", every, drawn);
    std::array<QPlainTextEdit, 3> floorBoxes;
    for (size_t i = 0; i < floorBoxes.size(); ++i) {
        QPlainTextEdit *model = window.findChild<QPlainTextEdit *>(QStringLiteral("T_jj(%1)").arg(i));
        floorBoxes[i].setFont(model->font());
        floorBoxes[i].setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        floorBoxes[i].resize(model->size());
        floorBoxes[i].show();
    }
    const auto [union_, unionFloor] = alternatingMedians(
        50, unionClick,
        [&] {
            floorBoxes[0].document()->setPlainText(shown.a);
            floorBoxes[1].document()->setPlainText(shown.b);
            floorBoxes[2].document()->setPlainText(shown.result);
        },
        [&] {
            pasteLists(boxA, boxB);
            pasteLists(&floorBoxes[0], &floorBoxes[1]);
            settle();
        });
    report("  floor: three text boxes taking the texts it shows", unionFloor,
           ratio("union", union_, unionFloor, 1.0).constData());
    for (QPlainTextEdit &box : floorBoxes)
        box.hide();
    benchLivePaste(window);
    set_modal_capture({});
}
}

// A bet of every number is recorded and checked as quickly as one of ten:
// its numbers are one blob of 1,250 bytes, and a draw checks it by a bit.
void benchBets()
{
    QTemporaryDir folder;
    DrawStore store(folder.path());
    int recorded = 2026000;
    for (const int size : {10, kCandidateCount}) {
        Bet bet;
        bet.price = 2;
        for (int n = 0; n < size; ++n)
            bet.numbers.insert(n * (kCandidateCount / size));
        int drawn = recorded;
        report(qPrintable(QStringLiteral("record a bet of %1 numbers").arg(size)), medianMicroseconds(50, [&] {
                   bet.issue = QString::number(++recorded);
                   if (store.recordBet(bet, "{}") != BetRecording::Recorded)
                       std::fprintf(stderr, "a bet was refused: %s\n", qPrintable(store.lastError()));
               }),
               "target: as for 10");
        report(qPrintable(QStringLiteral("a typed draw checking a bet of %1 numbers").arg(size)), medianMicroseconds(50, [&] {
                   const Draw draw{.issue = QString::number(++drawn), .number = 0};
                   if (!store.enter({draw}, DrawSource::Manual).written)
                       std::fprintf(stderr, "a draw was refused\n");
               }),
               "target: as for 10");
    }
    report("read and total the record of those 100 bets", medianMicroseconds(50, [&] {
               BetTotals totals;
               for (const StoredBet &stored : store.bets())
                   totals.add(stored.bet, {});
               if (totals.drawn != 100)
                   std::fprintf(stderr, "a bet went unchecked\n");
           }),
           "");
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchEngine();
    benchBets();
    benchWindow();
    return 0;
}
