// `vintora-shrink --history FILE SCHEME` against the "历史验证" window on the
// same scheme and the same draws.
#include "draw_lines.h"
#include "reference_rules.h"
#include "testsupport.h"

#include "core/sheet_record.h"
#include "filters/shrink_run.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>

namespace {
// Every family, a typed list and one failure allowed.
const char kScheme[] = R"json({
  "format": "vintora-scheme",
  "version": 1,
  "selected": ["C_bi(1)", "C_bi(3)", "C_bi(16)", "C_bi(21)", "C_bi(37)", "C_bi(53)", "C_bi(69)", "C_bi(155)",
               "C_max(17)", "C_danzu(1)", "C_danzu_gs(0)"],
  "checked": ["Check_hewei_sha1(5)", "Check_hewei_sha(3)", "Check_kuadu_sha(9)"],
  "texts": {"T_ding(0)": "1234 5678 0000"},
  "tolerances": {"Com_rc(5)": "1"}
})json";

// What each family marks under kScheme on its own, in row order.
const std::function<bool(int)> kMarkedAlone[12] = {
    [](int n) { return n == 1234 || n == 5678 || n == 0; },                 // the straight numbers to kill
    [](int n) { return digitsOf(n)[0] == 5; },                              // 5 at the thousands
    [](int n) { return sumOf(digitsOf(n)) % 10 == 3 || spanOf(digitsOf(n)) == 9; },
    [](int n) { return has(digitsOf(n), 1); },                              // dan 1 may come out 0 times
    [](int n) {                                                             // big:small 1:3 or 3:1 must come out
        const int big = firstClassCount(digitsOf(n), 0);
        return big != 1 && big != 3;
    },
    [](int n) { return hasShape(1, digitsOf(n)); },                         // 下山
    [](int n) { return positionPattern(digitsOf(n), 0) == u"大大大大"; },
    [](int n) { return positionPattern(digitsOf(n), 1) == u"奇奇奇奇"; },
    [](int n) { return positionPattern(digitsOf(n), 2) == u"质质质质"; },
    [](int n) { return positionPattern(digitsOf(n), 3) == u"0000"; },
    [](int n) { return repetitionShapeOf(digitsOf(n)) == 1; },              // AAAB
    [](int n) { return largestOf(digitsOf(n)) != 9; },                      // the largest digit must be 9
};
}

class TestHistoryCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString path(const char *name) const { return m_folder.filePath(QLatin1String(name)); }
    CommandRun history(const QString &file, const QStringList &more = {})
    {
        return runCommand(QStringLiteral(VINTORA_SHRINK), QStringList{QStringLiteral("--history"), file} + more
                                                              + QStringList{path("scheme.json")});
    }

private slots:
    void initTestCase()
    {
        useTestFolders();
        QVERIFY(m_folder.isValid());
        QVERIFY(writeBytes(path("scheme.json"), kScheme));
    }

    void agreesWithTheWindow();
    void readsEveryLineOfTheDrawTable();
    void efficiencyAgreesWithEachMemberAlone();
    void unreadableFilesExitWithTwo();
};

void TestHistoryCli::agreesWithTheWindow()
{
    // The typed list kills three numbers, which random draws would hardly meet.
    QRandomGenerator random(7);
    QString draws = QStringLiteral("2023001 0000\n");
    for (int i = 1; i < 200; ++i)
        draws += QStringLiteral("%1 %2\n").arg(2023001 + i).arg(int(random.bounded(10000)), 4, 10, QChar(u'0'));
    QVERIFY(writeBytes(path("draws.txt"), draws.toUtf8()));
    const CommandRun cli = history(path("draws.txt"));
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.err, QByteArray());
    const QStringList lines = QString::fromUtf8(cli.out).split(u'\n');
    QCOMPARE(lines.size(), 203);   // a line a draw, the summary, chance and the end of the last line

    ModalRecorder modals;
    const std::unique_ptr<Fmain> window = startedWindow();
    QVERIFY(window->load_scheme(path("scheme.json")));
    control<QPushButton>(window.get(), QStringLiteral("C_history"))->click();
    QWidget *historyWindow = window->findChild<QWidget *>(QStringLiteral("HistoryWindow"));
    QVERIFY(historyWindow);
    control<QPlainTextEdit>(historyWindow, QStringLiteral("T_history"))->setPlainText(draws);
    control<QPushButton>(historyWindow, QStringLiteral("C_history_add"))->click();
    auto *range = control<QComboBox>(historyWindow, QStringLiteral("Com_history_range"));
    range->setCurrentIndex(range->findText(QStringLiteral("全部")));

    // The window lists newest first, the command line in the file's order;
    // both name the families that mark a draw alike.
    const QAbstractItemModel *table = control<QTableView>(historyWindow, QStringLiteral("history_table"))->model();
    QCOMPARE(table->rowCount(), 200);
    QStringList families;
    for (int column = 4; column < table->columnCount(); ++column)
        families.append(table->headerData(column, Qt::Horizontal).toString());
    for (int row = 1; row <= 12; ++row)
        QCOMPARE(families.value(row - 1), familyName(row));
    int kept = 0;
    QSet<QString> named;
    for (int row = 0; row < 200; ++row) {
        auto shown = [&](int column) { return table->data(table->index(row, column)).toString(); };
        QStringList marking;
        for (int f = 0; f < families.size(); ++f) {
            if (shown(4 + f) == QStringLiteral("杀"))
                marking.append(families[f]);
        }
        named.unite(QSet<QString>(marking.begin(), marking.end()));
        const bool isKept = shown(2) == QStringLiteral("保留");
        QCOMPARE(lines[199 - row], QStringList({shown(0), shown(1), isKept ? "kept" : "killed", shown(3),
                                                marking.isEmpty() ? QStringLiteral("-") : marking.join(u',')})
                                       .join(u'\t'));
        kept += isKept ? 1 : 0;
    }
    QVERIFY(kept > 0 && kept < 200);
    // Every family marks some draw, so the command line names each one.
    QCOMPARE(named.size(), 12);
    QCOMPARE(lines[200], QStringLiteral("kept %1 of 200").arg(kept));
    QVERIFY(control<QLabel>(historyWindow, QStringLiteral("L_history_summary"))
                ->text().startsWith(QStringLiteral("保留 %1 / 200 期").arg(kept)));
    // Chance keeps 200 x N / 10000 draws with the N numbers the scheme keeps,
    // and the range and the p-value are those the window shows.
    const int numbersKept = runCommand(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--count"), path("scheme.json")})
                                .out.trimmed().toInt();
    QVERIFY(numbersKept > 0);
    const QRegularExpressionMatch chance =
        QRegularExpression(QStringLiteral("95% 的情况保留 (\\d+)～(\\d+) 期，保留 %1 期或更多的概率为 ([\\d.]+)。").arg(kept))
            .match(control<QLabel>(historyWindow, QStringLiteral("L_history_chance"))->text());
    QVERIFY(chance.hasMatch());
    QCOMPARE(lines[201], QStringLiteral("by chance\t%1.%2\t%3-%4\t%5")
                             .arg(numbersKept / 50).arg(numbersKept % 50 * 2, 2, 10, QChar(u'0'))
                             .arg(chance.captured(1), chance.captured(2), chance.captured(3)));
    QVERIFY(modals.messages.isEmpty());

    // The strip under the sheet names them the same way, each with what it
    // marks on its own, the last one included.
    QStringList compact, full;
    for (int row = 1; row <= 12; ++row) {
        int marked = 0;
        for (int n = 0; n < 10000; ++n)
            marked += kMarkedAlone[row - 1](n) ? 1 : 0;
        compact.append(QStringLiteral("%1 %2").arg(families[row - 1]).arg(marked));
        full.append(QStringLiteral("%1：单独标记 %2 注").arg(families[row - 1]).arg(marked));
    }
    auto *familyCounts = control<QLabel>(window.get(), QStringLiteral("L_family_counts"));
    QTRY_COMPARE(familyCounts->toolTip(), full.join(u'\n'));
    QCOMPARE(familyCounts->text(), compact.join(QStringLiteral(" · ")));
    // All twelve give way to the line that says why a number was left out.
    pressAction(window.get(), 0);
    control<QLineEdit>(window.get(), QStringLiteral("T_duijiang"))->setText(QStringLiteral("0000"));
    auto *why = control<QLabel>(window.get(), QStringLiteral("L_why_killed"));
    QVERIFY(why->text().startsWith(QStringLiteral("0000 被淘汰：顶部输入框、")));
    QTRY_VERIFY(why->width() >= why->sizeHint().width() && familyCounts->geometry().left() >= why->geometry().right());
    QVERIFY(familyCounts->geometry().right() < familyCounts->parentWidget()->width());

    // The command line reads the window's store, and back-tests on it
    // through a pipe as on the file.
    qputenv("XDG_DATA_HOME", QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    const CommandRun stored = runCommand(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--draws")});
    QCOMPARE(stored.exitCode, 0);
    QCOMPARE(stored.out, draws.replace(u' ', u'\t').replace(u'\n', QStringLiteral("\tmanual\n")).toUtf8());
    const CommandRun piped = runCommand(QStringLiteral(VINTORA_SHRINK),
                                        {QStringLiteral("--history"), QStringLiteral("-"), path("scheme.json")}, stored.out);
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.out, cli.out);
}

void TestHistoryCli::readsEveryLineOfTheDrawTable()
{
    // Every line of the reader's table in one file: the draws in the file's
    // order on standard output, the malformed lines named on standard error.
    QString text, problems;
    QStringList draws;
    for (int i = 0; i < kDrawLineCount; ++i) {
        const DrawLine &row = kDrawLines[i];
        const QString line = QString::fromUtf16(row.line);
        text += line + u'\n';
        if (row.number == kMalformed)
            problems += QStringLiteral("%1:%2: 无法识别：%3\n").arg(path("table.txt")).arg(i + 1).arg(line);
        else if (row.number != kSkipped)
            draws << (*row.issue ? QString::fromLatin1(row.issue) : QStringLiteral("-")) + u'\t'
                         + QStringLiteral("%1").arg(row.number, 4, 10, QChar(u'0'));
    }
    QVERIFY(writeBytes(path("table.txt"), text.toUtf8()));
    const CommandRun cli = history(path("table.txt"));
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(QString::fromUtf8(cli.err), problems);
    QStringList lines = QString::fromUtf8(cli.out).split(u'\n');
    QCOMPARE(lines.size(), draws.size() + 3);
    QVERIFY(lines[draws.size()].startsWith(QStringLiteral("kept ")));
    lines.resize(draws.size());
    for (QString &line : lines)
        line = line.section(u'\t', 0, 1);
    QCOMPARE(lines, draws);

    QVERIFY(writeBytes(path("empty.txt"), QByteArray()));
    const CommandRun empty = history(path("empty.txt"));
    QCOMPARE(empty.exitCode, 0);
    QCOMPARE(empty.out, QByteArray("kept 0 of 0\nby chance\t0.00\t0-0\t1.0000\n"));
}

void TestHistoryCli::efficiencyAgreesWithEachMemberAlone()
{
    // Newest first, with a line that is no draw: --last 30 takes the newest
    // 30 by issue number.
    QRandomGenerator random(25);
    QList<int> drawn;
    QString text;
    for (int i = 0; i < 50; ++i)
        drawn.append(int(random.bounded(10000)));
    for (int i = 49; i >= 0; --i)
        text += QStringLiteral("%1 %2\n").arg(2024001 + i).arg(drawn[i], 4, 10, QChar(u'0'));
    text += QStringLiteral("开奖延期\n");
    const CommandRun cli = runCommand(QStringLiteral(VINTORA_SHRINK),
                                      {QStringLiteral("--efficiency"), QStringLiteral("-"), QStringLiteral("--last"),
                                       QStringLiteral("30")}, text.toUtf8());
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.err, QByteArray("-:51: 无法识别：开奖延期\n"));

    // Each member on a sheet of its own, run whole: what it kills, and
    // 30 x kills / 10000 in hundredths, rounded half up.
    const QList<int> last30 = drawn.mid(20);
    QStringList expected;
    for (const ConditionRow &row : condition_rows()) {
        for (const QString &name : row.memberSet == MemberSet::None ? QStringList() : member_names(row)) {
            SheetRecord alone = cleared_record();
            (row.kind == ControlKind::Check ? alone.checked : alone.selected).insert(name);
            ShrinkState run;
            run_shrink(selections_from_record(alone), run);
            const CandidateSet &kill = run.matrix->row(KillRow);
            const int kills = kill.size();
            const int killed = int(std::count_if(last30.begin(), last30.end(), [&](int n) { return kill.contains(n); }));
            const int hundredths = (30 * kills + 50) / 100;
            if (kills > 0)
                expected.append(QStringLiteral("%1\t%2\t%3\t%4.%5").arg(name).arg(kills).arg(killed)
                                    .arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar(u'0')));
        }
    }
    QCOMPARE(expected.size(), 253);
    QCOMPARE(QString::fromUtf8(cli.out).split(u'\n', Qt::SkipEmptyParts), expected);
}

void TestHistoryCli::unreadableFilesExitWithTwo()
{
    const CommandRun missing = history(path("none.txt"));
    QCOMPARE(missing.exitCode, 2);
    QCOMPARE(missing.out, QByteArray());
    QVERIFY2(QString::fromUtf8(missing.err).startsWith(path("none.txt") + QStringLiteral(": 无法打开（")),
             missing.err.constData());

    QFile huge(path("huge.txt"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(16 * 1024 * 1024 + 1));
    huge.close();
    const CommandRun tooLarge = history(huge.fileName());
    QCOMPARE(tooLarge.exitCode, 2);
    QCOMPARE(QString::fromUtf8(tooLarge.err), huge.fileName() + QStringLiteral(": 文件太大（超过 16 MB）\n"));

    // A scheme that is no scheme, and one way of output at a time.
    QVERIFY(writeBytes(path("draws1.txt"), "2024001 1234\n"));
    const CommandRun badScheme = runCommand(QStringLiteral(VINTORA_SHRINK),
                                            {QStringLiteral("--history"), path("draws1.txt"), path("draws1.txt")});
    QCOMPARE(badScheme.exitCode, 2);
    QCOMPARE(badScheme.out, QByteArray());
    QCOMPARE(history(path("draws1.txt"), {QStringLiteral("--count")}).exitCode, 1);

    // --last belongs to --efficiency and --stats, and counts draws.
    const QString shrink = QStringLiteral(VINTORA_SHRINK);
    QCOMPARE(history(path("draws1.txt"), {QStringLiteral("--last"), QStringLiteral("5")}).exitCode, 1);
    for (const QString &last : {QStringLiteral("0"), QStringLiteral("x")}) {
        const CommandRun refused =
            runCommand(shrink, {QStringLiteral("--efficiency"), path("draws1.txt"), QStringLiteral("--last"), last});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.out.isEmpty() && !refused.err.isEmpty());
    }
    const CommandRun noFile = runCommand(shrink, {QStringLiteral("--efficiency"), path("none.txt")});
    QCOMPARE(noFile.exitCode, 2);
    QVERIFY(noFile.out.isEmpty() && noFile.err.startsWith(path("none.txt").toUtf8()));
}

QTEST_MAIN(TestHistoryCli)
#include "tst_history_cli.moc"
