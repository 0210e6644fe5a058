// `vintora-shrink --history FILE SCHEME` against the "历史验证" window on the
// same scheme and the same draws.
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>

namespace {
struct Run
{
    int exitCode = -1;
    QStringList lines;      // standard output, without the final line break
    QString errors;
};

Run runShrink(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VINTORA_SHRINK), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    if (run.lines.last().isEmpty())
        run.lines.removeLast();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Several families, a typed list and one failure allowed.
const char kScheme[] = R"json({
  "format": "vintora-scheme",
  "version": 1,
  "selected": ["C_bi(1)", "C_bi(3)", "C_bi(16)", "C_bi(155)", "C_max(17)"],
  "checked": ["Check_hewei_sha(3)", "Check_kuadu_sha(9)"],
  "texts": {"T_ding(0)": "1234 5678 0000"},
  "tolerances": {"Com_rc(5)": "1"}
})json";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}

class TestHistoryCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString path(const char *name) const { return m_folder.filePath(QLatin1String(name)); }

    // The scheme set on the sheet as a player sets it, control by control.
    void setSchemeOnSheet(Fmain *window)
    {
        const QJsonObject scheme = QJsonDocument::fromJson(kScheme).object();
        for (const QJsonValue &name : scheme.value(QStringLiteral("selected")).toArray())
            button(window, name.toString())->click();
        for (const QJsonValue &name : scheme.value(QStringLiteral("checked")).toArray())
            control<QCheckBox>(window, name.toString())->click();
        const QJsonObject texts = scheme.value(QStringLiteral("texts")).toObject();
        for (auto it = texts.begin(); it != texts.end(); ++it)
            control<QPlainTextEdit>(window, it.key())->setPlainText(it.value().toString());
        const QJsonObject tolerances = scheme.value(QStringLiteral("tolerances")).toObject();
        for (auto it = tolerances.begin(); it != tolerances.end(); ++it)
            control<QComboBox>(window, it.key())->setEditText(it.value().toString());
    }

private slots:
    void initTestCase()
    {
        useTestFolders();
        QVERIFY(m_folder.isValid());
        writeFile(path("scheme.json"), kScheme);
    }

    void agreesWithTheWindow();
    void reportsMalformedLinesAndKeepsTheFileOrder();
    void unreadableFilesExitWithTwo();
};

void TestHistoryCli::agreesWithTheWindow()
{
    QRandomGenerator random(7);
    QString history;
    for (int i = 0; i < 200; ++i)
        history += QStringLiteral("%1 %2\n").arg(2023001 + i).arg(int(random.bounded(10000)), 4, 10, QChar(u'0'));
    writeFile(path("draws.txt"), history.toUtf8());
    const Run cli = runShrink({QStringLiteral("--history"), path("draws.txt"), path("scheme.json")});
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.errors, QString());
    QCOMPARE(cli.lines.size(), 201);

    ModalRecorder modals;
    const std::unique_ptr<Fmain> window = startedWindow();
    setSchemeOnSheet(window.get());
    control<QPushButton>(window.get(), QStringLiteral("C_history"))->click();
    QWidget *historyWindow = window->findChild<QWidget *>(QStringLiteral("HistoryWindow"));
    QVERIFY(historyWindow);
    control<QPlainTextEdit>(historyWindow, QStringLiteral("T_history"))->setPlainText(history);
    auto *range = control<QComboBox>(historyWindow, QStringLiteral("Com_history_range"));
    range->setCurrentIndex(range->findText(QStringLiteral("全部")));
    control<QPushButton>(historyWindow, QStringLiteral("C_history_run"))->click();

    // The window lists newest first, the command line in the file's order.
    const QAbstractItemModel *table = control<QTableView>(historyWindow, QStringLiteral("history_table"))->model();
    QCOMPARE(table->rowCount(), 200);
    int kept = 0;
    QSet<QString> verdicts;
    for (int row = 0; row < 200; ++row) {
        const QStringList fields = cli.lines[199 - row].split(u'\t');
        QCOMPARE(fields.size(), 4);
        auto shown = [&](int column) { return table->data(table->index(row, column)).toString(); };
        QCOMPARE(fields[0], shown(0));
        QCOMPARE(fields[1], shown(1));
        QCOMPARE(fields[2], shown(2) == QStringLiteral("保留") ? QStringLiteral("kept") : QStringLiteral("killed"));
        QCOMPARE(fields[3], shown(3));
        kept += fields[2] == QStringLiteral("kept") ? 1 : 0;
        verdicts.insert(fields[2]);
    }
    QCOMPARE(verdicts.size(), 2);
    QCOMPARE(cli.lines.last(), QStringLiteral("kept %1 of 200").arg(kept));
    QVERIFY(control<QLabel>(historyWindow, QStringLiteral("L_history_summary"))
                ->text().startsWith(QStringLiteral("保留 %1 / 200 期").arg(kept)));
    QVERIFY(modals.messages.isEmpty());
}

void TestHistoryCli::reportsMalformedLinesAndKeepsTheFileOrder()
{
    writeFile(path("mixed.txt"), QStringLiteral("# 开奖\n2024002 9 9 9 9\n2024001 123\n0000\n\n１，２，３，４\n坏\n")
                                     .toUtf8());
    const Run cli = runShrink({QStringLiteral("--history"), path("mixed.txt"), path("scheme.json")});
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.errors, QStringLiteral("%1:3: 无法识别：2024001 123\n%1:7: 无法识别：坏\n").arg(path("mixed.txt")));
    QCOMPARE(cli.lines.size(), 4);
    QVERIFY(cli.lines[0].startsWith(QStringLiteral("2024002\t9999\t")));
    QVERIFY(cli.lines[1].startsWith(QStringLiteral("-\t0000\t")));
    QVERIFY(cli.lines[2].startsWith(QStringLiteral("-\t1234\t")));
    QVERIFY(cli.lines[3].startsWith(QStringLiteral("kept ")));
    QVERIFY(cli.lines[3].endsWith(QStringLiteral(" of 3")));

    writeFile(path("empty.txt"), QByteArray());
    const Run empty = runShrink({QStringLiteral("--history"), path("empty.txt"), path("scheme.json")});
    QCOMPARE(empty.exitCode, 0);
    QCOMPARE(empty.lines, QStringList{QStringLiteral("kept 0 of 0")});
}

void TestHistoryCli::unreadableFilesExitWithTwo()
{
    const Run missing = runShrink({QStringLiteral("--history"), path("none.txt"), path("scheme.json")});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.lines.isEmpty());
    QVERIFY2(missing.errors.startsWith(path("none.txt") + QStringLiteral(": 无法打开（")), qPrintable(missing.errors));

    QFile huge(path("huge.txt"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(16 * 1024 * 1024 + 1));
    huge.close();
    const Run tooLarge = runShrink({QStringLiteral("--history"), huge.fileName(), path("scheme.json")});
    QCOMPARE(tooLarge.exitCode, 2);
    QCOMPARE(tooLarge.errors, huge.fileName() + QStringLiteral(": 文件太大（超过 16 MB）\n"));

    writeFile(path("draws1.txt"), "2024001 1234\n");
    const Run badScheme = runShrink({QStringLiteral("--history"), path("draws1.txt"), path("draws1.txt")});
    QCOMPARE(badScheme.exitCode, 2);
    QVERIFY(badScheme.lines.isEmpty());

    // One way of output at a time.
    const Run both = runShrink({QStringLiteral("--history"), path("draws1.txt"), QStringLiteral("--count"),
                                path("scheme.json")});
    QCOMPARE(both.exitCode, 1);
}

QTEST_MAIN(TestHistoryCli)
#include "tst_history_cli.moc"
