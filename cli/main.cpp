// vintora-shrink: one shrink run over a saved scheme, without a window.
#include "cli/bets_report.h"
#include "cli/efficiency_report.h"
#include "cli/history_report.h"
#include "cli/members_report.h"
#include "cli/stats_report.h"
#include "core/scheme.h"
#include "core/shrink.h"
#include "filters/shrink_run.h"
#include "net/draws_update.h"
#include "store/draw_store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <climits>
#include <cstdio>
#include <optional>

namespace {
void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// A way of output other than the survivors on one line, whether it needs a
// scheme, and whether --last may choose its draws.
struct Output
{
    QCommandLineOption option;
    bool needsScheme;
    bool readsLast = false;
};

// "-" is standard input.
HistoryFile readHistory(const QString &path)
{
    if (path != u"-")
        return read_history_file(path);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        HistoryFile unread;
        unread.status = HistoryFile::CannotOpen;
        unread.error = input.errorString();
        return unread;
    }
    return read_history_file(input);
}

// The text of a draw file; nothing, said on standard error, when it cannot be read.
std::optional<QString> readDrawFile(const QString &path)
{
    const HistoryFile file = readHistory(path);
    if (file.status == HistoryFile::Read)
        return file.text;
    write(stderr, path + QStringLiteral(": ") + history_file_problem(file) + u'\n');
    return std::nullopt;
}

// Prints report(numbers) of the last `last` draws of a draw file (all of
// them when 0), oldest first; its lines that hold no draw go to standard error.
int reportOnDrawFile(const QString &path, int last, QString (*report)(std::span<const int>))
{
    const std::optional<QString> text = readDrawFile(path);
    if (!text)
        return 2;
    const DrawHistory history = read_draw_history(*text);
    write(stderr, malformed_lines_report(path, history));
    QList<int> numbers;
    for (const Draw &draw : draws_oldest_first(history.draws, last))
        numbers.append(draw.number);
    write(stdout, report(numbers));
    return 0;
}

enum class StoreTask { Draws, Update, Bets };

// The store the window keeps its draws in: --update fetches into it, --draws
// prints it oldest first, --bets its record of bets.
int runOnStore(StoreTask task)
{
    DrawStore store(default_draws_folder());
    if (!store.problemText().isEmpty())
        write(stderr, store.problemText() + u'\n');
    if (task == StoreTask::Bets) {
        write(stdout, bets_report(store.bets()));
        return 0;
    }
    if (task == StoreTask::Draws) {
        for (const StoredDraw &draw : store.draws())
            write(stdout, draw.issue + u'\t' + four_digits(draw.number) + u'\t' + source_name(draw.source) + u'\n');
        return 0;
    }
    DrawsUpdate updating(store);
    QEventLoop loop;
    QObject::connect(&updating, &DrawsUpdate::finished, &loop, &QEventLoop::quit);
    updating.start();
    if (updating.isRunning())
        loop.exec();
    const DrawsUpdateReport &report = *updating.lastReport();
    write(stdout, describe_update(report, INT_MAX) + u'\n');
    return report.outcome == DrawsUpdateReport::Failed ? 2 : 0;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vintora-shrink"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VINTORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("按方案缩水，输出保留的号码（升序，空格隔开）。"));
    parser.addHelpOption();
    parser.addVersionOption();
    const Output count{{QStringLiteral("count"), QStringLiteral("只输出保留的注数。")}, true};
    const Output lines{{QStringLiteral("lines"), QStringLiteral("按结果列表的样子输出，每行四个号码。")}, true};
    const Output history{
        {QStringLiteral("history"),
         QStringLiteral("按方案验证开奖文件中的每一期：期号、开奖号、kept 或 killed、失败条件数、标记它的条件；"
                        "最后两行是保留的期数和随机选号的对比；FILE 为 - 时读标准输入。"),
         QStringLiteral("FILE")},
        true};
    const Output members{
        {QStringLiteral("members"),
         QStringLiteral("不用方案：每个代表一类号码的条件控件一行，名称、它代表的注数、单独选它时杀掉的注数。")},
        false};
    const Output draws{
        {QStringLiteral("draws"), QStringLiteral("不用方案：按期号从旧到新输出开奖数据库：期号、开奖号、来源。")},
        false};
    const Output update{
        {QStringLiteral("update"), QStringLiteral("不用方案：从服务器取开奖号并存入开奖数据库，输出更新的结果。")},
        false};
    const Output bets{
        {QStringLiteral("bets"),
         QStringLiteral("不用方案：按期号从旧到新输出投注记录：期号、注数、金额、开奖号（未开奖为 -）、"
                        "pending、won 或 lost；最后一行是随机选同样多的号码平均中奖的次数。")},
        false};
    const Output efficiency{
        {QStringLiteral("efficiency"),
         QStringLiteral("不用方案：按开奖文件统计每个单独就能杀号的条件一行：名称、单独杀掉的注数、杀掉的期数、"
                        "随机杀掉同样多号码时平均杀掉的期数；FILE 为 - 时读标准输入。"),
         QStringLiteral("FILE")},
        false, true};
    const Output stats{
        {QStringLiteral("stats"),
         QStringLiteral("不用方案：开奖文件中每种号码特征一行：名称、出现次数、当前遗漏、最大遗漏、平均遗漏、最大连出；"
                        "FILE 为 - 时读标准输入。"),
         QStringLiteral("FILE")},
        false, true};
    const Output *const outputs[] = {&count, &lines, &history, &members, &draws, &update, &bets, &efficiency, &stats};
    for (const Output *output : outputs)
        parser.addOption(output->option);
    const QCommandLineOption last{QStringLiteral("last"), QStringLiteral("只读开奖文件中最近的 N 期（默认全部）。"),
                                  QStringLiteral("N")};
    parser.addOption(last);
    parser.addPositionalArgument(QStringLiteral("SCHEME"), QStringLiteral("方案文件（.json）"));
    // An option it does not know ends it like a file it cannot read.
    if (!parser.parse(QCoreApplication::arguments())) {
        write(stderr, parser.errorText() + u'\n');
        return 2;
    }
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const Output *chosen = nullptr;
    int chosenCount = 0;
    for (const Output *output : outputs) {
        if (parser.isSet(output->option)) {
            chosen = output;
            ++chosenCount;
        }
    }
    // The survivors on one line, the default, need a scheme too.
    const bool needsScheme = !chosen || chosen->needsScheme;
    const bool lastMisplaced = parser.isSet(last) && !(chosen && chosen->readsLast);
    if (chosenCount > 1 || arguments.size() > (needsScheme ? 1 : 0) || lastMisplaced) {
        write(stderr, parser.helpText());
        return 1;
    }
    bool lastRead = true;
    const int lastDraws = parser.isSet(last) ? parser.value(last).toInt(&lastRead) : 0;
    if (!lastRead || lastDraws < 0 || (parser.isSet(last) && lastDraws == 0)) {
        write(stderr, QStringLiteral("vintora-shrink: --last 须为正整数：%1\n").arg(parser.value(last)));
        return 2;
    }
    if (needsScheme && arguments.isEmpty()) {
        write(stderr, QStringLiteral("vintora-shrink: 缺少方案文件（SCHEME），用法见 --help\n"));
        return 2;
    }
    if (chosen == &members) {
        write(stdout, members_report());
        return 0;
    }
    if (chosen == &draws)
        return runOnStore(StoreTask::Draws);
    if (chosen == &update)
        return runOnStore(StoreTask::Update);
    if (chosen == &bets)
        return runOnStore(StoreTask::Bets);
    if (chosen == &efficiency)
        return reportOnDrawFile(parser.value(efficiency.option), lastDraws, efficiency_report);
    if (chosen == &stats)
        return reportOnDrawFile(parser.value(stats.option), lastDraws, stats_report);
    const SchemeReading reading = read_scheme_file(arguments.constFirst());
    if (!reading.record) {
        write(stderr, reading.problem + u'\n');
        return 2;
    }

    std::optional<QString> historyText;
    if (parser.isSet(history.option)) {
        historyText = readDrawFile(parser.value(history.option));
        if (!historyText)
            return 2;
    }

    ShrinkState state;
    run_shrink(selections_from_record(*reading.record), state);
    if (parser.isSet(history.option)) {
        const HistoryReport report =
            history_report(parser.value(history.option), read_draw_history(*historyText), *state.matrix);
        write(stderr, report.problems);
        write(stdout, report.lines);
        return 0;
    }
    const ResultList survivors = collect_survivors(state);
    if (parser.isSet(count.option))
        write(stdout, QString::number(survivors.count) + u'\n');
    else if (parser.isSet(lines.option))
        write(stdout, display_lines(survivors.text).join(u'\n') + (survivors.count ? QStringLiteral("\n") : QString()));
    else
        write(stdout, survivors.text + u'\n');
    return 0;
}
