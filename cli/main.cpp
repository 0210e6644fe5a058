// vintora-shrink: one shrink run over a saved scheme, without a window.
#include "cli/history_report.h"
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

namespace {
void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

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

// The store the window keeps its draws in: --update fetches into it, --draws
// prints it oldest first.
int runOnStore(bool update)
{
    DrawStore store(default_draws_folder());
    if (!store.problemText().isEmpty())
        write(stderr, store.problemText() + u'\n');
    if (!update) {
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
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("只输出保留的注数。"));
    const QCommandLineOption lines(QStringLiteral("lines"), QStringLiteral("按结果列表的样子输出，每行四个号码。"));
    const QCommandLineOption history(QStringLiteral("history"),
                                     QStringLiteral("按方案验证开奖文件中的每一期：期号、开奖号、kept 或 killed、失败条件数；FILE 为 - 时读标准输入。"),
                                     QStringLiteral("FILE"));
    const QCommandLineOption draws(QStringLiteral("draws"),
                                   QStringLiteral("按期号从旧到新输出开奖数据库：期号、开奖号、来源；不用方案。"));
    const QCommandLineOption update(QStringLiteral("update"),
                                    QStringLiteral("从服务器取开奖号并存入开奖数据库，输出更新的结果；不用方案。"));
    parser.addOption(count);
    parser.addOption(lines);
    parser.addOption(history);
    parser.addOption(draws);
    parser.addOption(update);
    parser.addPositionalArgument(QStringLiteral("SCHEME"), QStringLiteral("方案文件（.json）"));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const int outputs = int(parser.isSet(count)) + int(parser.isSet(lines)) + int(parser.isSet(history));
    const int storeCommands = int(parser.isSet(draws)) + int(parser.isSet(update));
    if (storeCommands == 1 && arguments.isEmpty() && outputs == 0)
        return runOnStore(parser.isSet(update));
    if (arguments.size() != 1 || outputs > 1 || storeCommands > 0) {
        write(stderr, parser.helpText());
        return 1;
    }
    const SchemeReading reading = read_scheme_file(arguments.constFirst());
    if (!reading.record) {
        write(stderr, reading.problem + u'\n');
        return 2;
    }

    HistoryFile historyFile;
    if (parser.isSet(history)) {
        historyFile = readHistory(parser.value(history));
        if (historyFile.status != HistoryFile::Read) {
            write(stderr, parser.value(history) + QStringLiteral(": ") + history_file_problem(historyFile) + u'\n');
            return 2;
        }
    }

    ShrinkState state;
    run_shrink(selections_from_record(*reading.record), state);
    if (parser.isSet(history)) {
        const HistoryReport report =
            history_report(parser.value(history), read_draw_history(historyFile.text), *state.matrix);
        write(stderr, report.problems);
        write(stdout, report.lines);
        return 0;
    }
    const ResultList survivors = collect_survivors(state);
    if (parser.isSet(count))
        write(stdout, QString::number(survivors.count) + u'\n');
    else if (parser.isSet(lines))
        write(stdout, display_lines(survivors.text).join(u'\n') + (survivors.count ? QStringLiteral("\n") : QString()));
    else
        write(stdout, survivors.text + u'\n');
    return 0;
}
