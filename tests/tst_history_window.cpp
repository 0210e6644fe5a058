// "历史验证" driven as a player drives it: conditions on the sheet, draws
// pasted or loaded, and every table row checked against the matrix of a full
// "[开始缩水]" run, read by plain loops.
#include "testsupport.h"

#include "filters/backtest.h"
#include "history/history_window.h"
#include "ui/file_dialog.h"
#include "ui/geometry.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

namespace {
constexpr int kShrink = 0;
constexpr int kDraws = 150;

struct PastDraw
{
    QString issue;
    int number;
};

// 150 draws with issue numbers, oldest first, in the forms sites print.
QList<PastDraw> pastDraws()
{
    QRandomGenerator random(88);
    QList<PastDraw> draws;
    for (int i = 0; i < kDraws; ++i)
        draws.append({QString::number(2024001 + i), int(random.bounded(10000))});
    return draws;
}

QString historyText(const QList<PastDraw> &draws)
{
    QString text = QStringLiteral("# 期号 开奖号\n");
    for (qsizetype i = 0; i < draws.size(); ++i) {
        const QString digits = QStringLiteral("%1").arg(draws[i].number, 4, 10, QChar(u'0'));
        if (i % 2 == 0)
            text += draws[i].issue + u' ' + digits + u'\n';
        else
            text += draws[i].issue + QStringLiteral("期 ") + QStringList{digits[0], digits[1], digits[2], digits[3]}.join(u',') + u'\n';
    }
    return text;
}

QString cell(const QAbstractItemModel *model, int row, int column)
{
    return model->data(model->index(row, column)).toString();
}

QList<double> barValues(const QWidget *window, const QString &chartName)
{
    auto *view = control<QChartView>(window, chartName);
    if (!view || view->chart()->series().isEmpty())
        return {};
    auto *series = qobject_cast<QBarSeries *>(view->chart()->series().first());
    QList<double> values;
    for (int i = 0; i < series->barSets().first()->count(); ++i)
        values.append(series->barSets().first()->at(i));
    return values;
}

// Answers every file dialog with one path and remembers the requests.
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path)
    {
        set_file_dialog_capture([this, path](const FileRequest &request, const QString &) {
            requests.append(request);
            return path;
        });
    }
    ~FileDialogAnswer() { set_file_dialog_capture({}); }

    QList<FileRequest> requests;
};
}

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;
    HistoryWindow *m_history = nullptr;

    QWidget *history() const { return m_history; }
    QPlainTextEdit *box() const { return control<QPlainTextEdit>(history(), QStringLiteral("T_history")); }
    QAbstractItemModel *table() const { return control<QTableView>(history(), QStringLiteral("history_table"))->model(); }
    QString summary() const { return control<QLabel>(history(), QStringLiteral("L_history_summary"))->text(); }

    void openHistory()
    {
        auto *open = control<QPushButton>(m_window.get(), QStringLiteral("C_history"));
        QVERIFY(open);
        QCOMPARE(open->text(), QStringLiteral("历史验证"));
        QCOMPARE(open->parentWidget()->objectName(), QStringLiteral("ToolStrip"));
        open->click();
        m_history = m_window->findChild<HistoryWindow *>(QStringLiteral("HistoryWindow"));
        QVERIFY(m_history);
        QTRY_VERIFY(m_history->isVisible());
    }
    void chooseRange(const QString &caption)
    {
        auto *range = control<QComboBox>(history(), QStringLiteral("Com_history_range"));
        const int index = range->findText(caption);
        QVERIFY2(index >= 0, qPrintable(caption));
        range->setCurrentIndex(index);
    }
    void runBacktest() { control<QPushButton>(history(), QStringLiteral("C_history_run"))->click(); }

    // Ratio, shape and exclusion buttons, a sum tail and a span, with one
    // failed condition allowed: kept and killed draws, several counts.
    void setConditions()
    {
        for (int index : {1, 3, 16, 155})
            button(m_window.get(), arrayName("C_bi", index))->click();
        control<QCheckBox>(m_window.get(), arrayName("Check_hewei_sha", 3))->click();
        control<QCheckBox>(m_window.get(), arrayName("Check_kuadu_sha", 9))->click();
        button(m_window.get(), arrayName("C_max", 9 + 8))->click();
        control<QComboBox>(m_window.get(), arrayName("Com_rc", 5))->setEditText(QStringLiteral("1"));
    }

    // What the table and the summary show at one moment.
    struct Shown
    {
        QStringList headers;
        QList<QStringList> rows;
        QString summary;
    };
    Shown shown() const
    {
        Shown now;
        const QAbstractItemModel *model = table();
        for (int c = 0; c < model->columnCount(); ++c)
            now.headers.append(model->headerData(c, Qt::Horizontal).toString());
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells.append(cell(model, row, c));
            now.rows.append(cells);
        }
        now.summary = summary();
        return now;
    }

    // Every row shown against the main window's matrix, for draws expected
    // in that order.
    void compareWithMatrix(const Shown &shown, const QList<PastDraw> &expected)
    {
        const CandidateMatrix &m = *m_window->shrinkState().matrix;
        QCOMPARE(shown.rows.size(), expected.size());

        QList<int> activeRows;
        for (int r = 1; r <= 12; ++r) {
            if (std::any_of(m.cells[r].begin(), m.cells[r].end(), [](int16_t v) { return v != 0; }))
                activeRows.append(r);
        }
        QVERIFY(activeRows.size() >= 4);
        QStringList headers{QStringLiteral("期号"), QStringLiteral("开奖号"), QStringLiteral("保留/杀掉"),
                            QStringLiteral("失败条件数")};
        for (int r : activeRows)
            headers.append(family_caption(r).toString());
        QCOMPARE(shown.headers, headers);

        int kept = 0;
        QSet<int> failureCounts;
        for (qsizetype row = 0; row < shown.rows.size(); ++row) {
            const int n = expected[row].number;
            int failures = 0;
            for (int r = 1; r <= 49; ++r)
                failures += m.cells[r][n];
            kept += m.cells[0][n] == 0 ? 1 : 0;
            failureCounts.insert(failures);
            QStringList cells{expected[row].issue, QStringLiteral("%1").arg(n, 4, 10, QChar(u'0')),
                              m.cells[0][n] == 0 ? QStringLiteral("保留") : QStringLiteral("杀掉"),
                              QString::number(failures)};
            for (int r : activeRows)
                cells.append(m.cells[r][n] ? QStringLiteral("杀") : QString());
            QCOMPARE(shown.rows[row], cells);
        }
        const int total = int(expected.size());
        QVERIFY2(shown.summary.startsWith(QStringLiteral("保留 %1 / %2 期（%3%）\n")
                                              .arg(kept).arg(total).arg(100.0 * kept / total, 0, 'f', 1)),
                 qPrintable(shown.summary));
        if (total >= 30) {
            QVERIFY(kept > 0 && kept < total);
            QVERIFY(failureCounts.size() >= 3);
        }
    }

    QList<PastDraw> newestFirst(QList<PastDraw> draws, int count)
    {
        std::reverse(draws.begin(), draws.end());
        return draws.mid(0, count);
    }

private slots:
    void initTestCase() { useTestFolders(); }

    void init()
    {
        QFile::remove(HistoryWindow::savedHistoryPath());
        m_modals = std::make_unique<ModalRecorder>();
        m_window = startedWindow();
        openHistory();
    }

    void cleanup()
    {
        m_history = nullptr;
        m_window.reset();
        m_modals.reset();
    }

    void opensBesideTheSheetWithoutBlockingIt();
    void backtestAgreesWithTheFullRun();
    void rangeChoosesTheLatestDraws();
    void everyShrinkRunBacktestsAgain();
    void backtestLeavesTheLastRunAlone();
    void malformedLinesAreListedUnderTheBox();
    void familySharesAndTheirChart();
    void distributionOfTheLastRun();
    void historyComesBackAfterARestart();
    void loadsAFileThroughTheDialog();
    void unreadableFilesAreRefusedWithAMessage();
    void exportsTheTableAsCsv();
};

void TestHistoryWindow::opensBesideTheSheetWithoutBlockingIt()
{
    QCOMPARE(m_history->windowTitle(), QStringLiteral("历史验证"));
    QVERIFY(m_history->isWindow());
    QCOMPARE(m_history->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    auto *tabs = control<QTabWidget>(history(), QStringLiteral("history_tabs"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("历史验证"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("结果分布"));
    // The sheet still takes clicks while the window is open.
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    // A second click shows the same window again.
    m_history->hide();
    control<QPushButton>(m_window.get(), QStringLiteral("C_history"))->click();
    QTRY_VERIFY(m_history->isVisible());
    QCOMPARE(m_window->findChildren<HistoryWindow *>().size(), 1);
}

void TestHistoryWindow::backtestAgreesWithTheFullRun()
{
    setConditions();
    chooseRange(QStringLiteral("全部"));
    pressAction(m_window.get(), kShrink);
    // Pasted after the run: only the button back-tests it.
    const QList<PastDraw> draws = pastDraws();
    box()->setPlainText(historyText(draws));
    QCOMPARE(table()->rowCount(), 0);
    runBacktest();
    compareWithMatrix(shown(), newestFirst(draws, kDraws));
}

void TestHistoryWindow::rangeChoosesTheLatestDraws()
{
    setConditions();
    pressAction(m_window.get(), kShrink);
    const QList<PastDraw> draws = pastDraws();
    // Newest first in the file: the issue numbers still order the table.
    QList<PastDraw> reversed = draws;
    std::reverse(reversed.begin(), reversed.end());
    box()->setPlainText(historyText(reversed));
    const std::pair<QString, int> ranges[] = {
        {QStringLiteral("最近10期"), 10}, {QStringLiteral("最近100期"), 100},
        {QStringLiteral("全部"), kDraws}, {QStringLiteral("最近30期"), 30}};
    for (const auto &[caption, count] : ranges) {
        chooseRange(caption);
        compareWithMatrix(shown(), newestFirst(draws, count));
    }
}

void TestHistoryWindow::everyShrinkRunBacktestsAgain()
{
    const QList<PastDraw> draws = pastDraws();
    box()->setPlainText(historyText(draws));
    chooseRange(QStringLiteral("全部"));
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    QTRY_COMPARE(summary(), QStringLiteral("保留 150 / 150 期（100.0%）\n当前条件没有杀掉任何号码"));
    QCOMPARE(table()->columnCount(), 4);

    setConditions();
    pressAction(m_window.get(), kShrink);
    compareWithMatrix(shown(), newestFirst(draws, kDraws));
}

void TestHistoryWindow::backtestLeavesTheLastRunAlone()
{
    setConditions();
    const int count = pressAction(m_window.get(), kShrink);
    const QString resultText = m_window->shrinkState().ResultText;
    const auto killRow = m_window->shrinkState().matrix->cells[0];
    auto *list = control<QListWidget>(m_window.get(), QStringLiteral("Li_out"));
    const int lines = list->count();

    // A condition changed after the run: the back-test follows the sheet, the
    // main window keeps showing its run.
    control<QCheckBox>(m_window.get(), arrayName("Check_hewei_sha", 5))->click();
    box()->setPlainText(historyText(pastDraws()));
    chooseRange(QStringLiteral("全部"));
    runBacktest();

    QCOMPARE(m_window->shrinkState().ResultText, resultText);
    QCOMPARE(m_window->shrinkState().matrix->cells[0], killRow);
    QCOMPARE(list->count(), lines);
    QCOMPARE(control<QLabel>(m_window.get(), QStringLiteral("dadi_zhushu"))->text().toInt(), count);

    // The run of the changed sheet is the reference for what was shown before it.
    const Shown before = shown();
    pressAction(m_window.get(), kShrink);
    QVERIFY(m_window->shrinkState().matrix->cells[0] != killRow);
    compareWithMatrix(before, newestFirst(pastDraws(), kDraws));
}

void TestHistoryWindow::malformedLinesAreListedUnderTheBox()
{
    box()->setPlainText(QStringLiteral("2024001 1234\n2024002 123\n\n# note\n2024003 1 2 3 4\n开奖号码\n"));
    runBacktest();
    auto *malformed = control<QListWidget>(history(), QStringLiteral("Li_history_malformed"));
    QCOMPARE(malformed->count(), 2);
    QCOMPARE(malformed->item(0)->text(), QStringLiteral("第 2 行：2024002 123"));
    QCOMPARE(malformed->item(1)->text(), QStringLiteral("第 6 行：开奖号码"));
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(table(), 0, 0), QStringLiteral("2024003"));

    // Thousands of bad lines: the list names the first thousand and counts the rest.
    box()->setPlainText(QStringLiteral("x\n").repeated(2500) + QStringLiteral("0001"));
    runBacktest();
    QCOMPARE(malformed->count(), 1001);
    QCOMPARE(malformed->item(999)->text(), QStringLiteral("第 1000 行：x"));
    QCOMPARE(malformed->item(1000)->text(), QStringLiteral("……另有 1500 行无法识别"));
    // No issue numbers: the table shows the draw with "-".
    QCOMPARE(cell(table(), 0, 0), QStringLiteral("-"));

    box()->setPlainText(QString());
    runBacktest();
    QCOMPARE(malformed->count(), 0);
    QCOMPARE(summary(), QStringLiteral("没有可验证的开奖号"));
}

void TestHistoryWindow::familySharesAndTheirChart()
{
    setConditions();
    const QList<PastDraw> draws = pastDraws();
    box()->setPlainText(historyText(draws));
    chooseRange(QStringLiteral("全部"));
    pressAction(m_window.get(), kShrink);
    const CandidateMatrix &m = *m_window->shrinkState().matrix;

    QList<double> expectedShares;
    QStringList expectedParts;
    for (int r = 1; r <= 12; ++r) {
        if (std::none_of(m.cells[r].begin(), m.cells[r].end(), [](int16_t v) { return v != 0; }))
            continue;
        int killed = 0;
        for (const PastDraw &draw : draws)
            killed += m.cells[r][draw.number];
        expectedShares.append(100.0 * killed / kDraws);
        expectedParts.append(QStringLiteral("%1 杀掉 %2 期（%3%）")
                                 .arg(family_caption(r)).arg(killed).arg(100.0 * killed / kDraws, 0, 'f', 1));
    }
    QTRY_COMPARE(summary().section(u'\n', 1), expectedParts.join(QStringLiteral("；")));
    const QList<double> bars = barValues(history(), QStringLiteral("history_family_chart"));
    QCOMPARE(bars.size(), expectedShares.size());
    for (qsizetype i = 0; i < bars.size(); ++i)
        QVERIFY(qFuzzyCompare(bars[i] + 1, expectedShares[i] + 1));
}

void TestHistoryWindow::distributionOfTheLastRun()
{
    setConditions();
    const int count = pressAction(m_window.get(), kShrink);
    QVERIFY(count > 0 && count < 10000);
    std::array<double, 37> sums{};
    std::array<double, 10> spans{};
    std::array<double, 5> shapes{};    // AAAA, AAAB, AABC, AABB, ABCD
    for (const QString &number : m_window->shrinkState().ResultText.split(u' ')) {
        int digits[4], seen[10] = {}, distinct = 0, most = 0;
        for (int p = 0; p < 4; ++p) {
            digits[p] = number[p].digitValue();
            distinct += seen[digits[p]]++ == 0 ? 1 : 0;
            most = std::max(most, seen[digits[p]]);
        }
        sums[digits[0] + digits[1] + digits[2] + digits[3]] += 1;
        spans[*std::max_element(digits, digits + 4) - *std::min_element(digits, digits + 4)] += 1;
        shapes[distinct == 1 ? 0 : distinct == 3 ? 2 : distinct == 4 ? 4 : most == 3 ? 1 : 3] += 1;
    }
    QTRY_COMPARE(control<QLabel>(history(), QStringLiteral("L_survivor_count"))->text(),
                 QStringLiteral("最后一次缩水保留 %1 注").arg(count));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_sum_chart")), QList<double>(sums.begin(), sums.end()));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_span_chart")), QList<double>(spans.begin(), spans.end()));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_shape_chart")), QList<double>(shapes.begin(), shapes.end()));

    // Redrawn after the next run.
    pressAction(m_window.get(), 3);
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    QTRY_COMPARE(control<QLabel>(history(), QStringLiteral("L_survivor_count"))->text(),
                 QStringLiteral("最后一次缩水保留 10000 注"));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_span_chart")).first(), 10.0);
}

void TestHistoryWindow::historyComesBackAfterARestart()
{
    const QString text = historyText(pastDraws());
    box()->setPlainText(text);
    QTRY_VERIFY(QFile::exists(HistoryWindow::savedHistoryPath()));
    QTRY_COMPARE([] {
        QFile saved(HistoryWindow::savedHistoryPath());
        return saved.open(QIODevice::ReadOnly) ? QString::fromUtf8(saved.readAll()) : QString();
    }(), text);

    cleanup();
    m_modals = std::make_unique<ModalRecorder>();
    m_window = startedWindow();
    openHistory();
    QCOMPARE(box()->toPlainText(), text);
    QCOMPARE(table()->rowCount(), 30);

    // Typed just before the window closes: kept as well.
    box()->setPlainText(QStringLiteral("2025001 4321"));
    cleanup();
    m_modals = std::make_unique<ModalRecorder>();
    m_window = startedWindow();
    openHistory();
    QCOMPARE(box()->toPlainText(), QStringLiteral("2025001 4321"));
    QVERIFY(m_modals->messages.isEmpty());
}

void TestHistoryWindow::loadsAFileThroughTheDialog()
{
    // A GBK file with full-width digits, as some sites save them.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("开奖.txt"));
    QStringEncoder gbk("GB18030");
    QVERIFY(gbk.isValid());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(gbk.encode(QStringLiteral("第２０２４００１期　１２３４\r\n第2024002期 开奖 5,6,7,8\r\n坏行\r\n")));
    file.close();

    FileDialogAnswer answer(path);
    control<QPushButton>(history(), QStringLiteral("C_history_load"))->click();
    QCOMPARE(answer.requests.size(), 1);
    QCOMPARE(answer.requests[0].kind, FileRequest::Open);
    QCOMPARE(answer.requests[0].title, QStringLiteral("载入开奖文件"));
    QVERIFY(box()->toPlainText().startsWith(QStringLiteral("第２０２４００１期")));
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(table(), 0, 0), QStringLiteral("2024002"));
    QCOMPARE(cell(table(), 0, 1), QStringLiteral("5678"));
    QCOMPARE(cell(table(), 1, 1), QStringLiteral("1234"));
    QCOMPARE(control<QListWidget>(history(), QStringLiteral("Li_history_malformed"))->item(0)->text(),
             QStringLiteral("第 3 行：坏行"));
    QVERIFY(m_modals->messages.isEmpty());
}

void TestHistoryWindow::unreadableFilesAreRefusedWithAMessage()
{
    box()->setPlainText(QStringLiteral("2024001 1234"));
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("none.txt"));
    QVERIFY(!m_history->loadHistoryFile(missing));
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(m_modals->messages[0].title, QStringLiteral("错误提示"));
    QVERIFY(m_modals->messages[0].text.startsWith(QStringLiteral("无法读取开奖文件：\n%1\n无法打开（").arg(missing)));

    QFile huge(folder.filePath(QStringLiteral("huge.txt")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(16 * 1024 * 1024 + 1));
    huge.close();
    QVERIFY(!m_history->loadHistoryFile(huge.fileName()));
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[1].text,
             QStringLiteral("无法读取开奖文件：\n%1\n文件太大（超过 16 MB）").arg(huge.fileName()));

    // A folder is no file either.
    QVERIFY(!m_history->loadHistoryFile(folder.path()));
    QCOMPARE(m_modals->messages.size(), 3);
    // The box keeps what it held.
    QCOMPARE(box()->toPlainText(), QStringLiteral("2024001 1234"));
}

void TestHistoryWindow::exportsTheTableAsCsv()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.csv"));
    {
        FileDialogAnswer answer(path);
        control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
        QVERIFY(answer.requests.isEmpty());
    }
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(m_modals->messages[0].text, QStringLiteral("没有可导出的验证结果"));
    QVERIFY(!QFile::exists(path));

    setConditions();
    box()->setPlainText(historyText(pastDraws()));
    runBacktest();
    FileDialogAnswer answer(path);
    control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
    QCOMPARE(answer.requests.size(), 1);
    QCOMPARE(answer.requests[0].kind, FileRequest::Save);
    QVERIFY(answer.requests[0].suggestedName.startsWith(QStringLiteral("历史验证-")));
    QVERIFY(answer.requests[0].suggestedName.endsWith(QStringLiteral(".csv")));

    QFile csv(path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    const QAbstractItemModel *model = table();
    QCOMPARE(lines.size(), model->rowCount() + 2);   // header, rows, and the end of the last line
    QVERIFY(lines.last().isEmpty());
    QStringList header;
    for (int c = 0; c < model->columnCount(); ++c)
        header.append(model->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(lines[0], header.join(u','));
    QVERIFY(lines[0].startsWith(QStringLiteral("期号,开奖号,保留/杀掉,失败条件数,")));
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList fields;
        for (int c = 0; c < model->columnCount(); ++c)
            fields.append(cell(model, row, c));
        QCOMPARE(lines[row + 1], fields.join(u','));
    }
    QCOMPARE(m_modals->messages.size(), 1);
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
