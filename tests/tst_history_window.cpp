// "历史验证" driven as a player drives it: conditions on the sheet, draws
// pasted or loaded, and every table row checked against the matrix of a full
// "[开始缩水]" run, read by plain loops.
#include "reference_rules.h"
#include "sheet_driver.h"

#include "filters/backtest.h"
#include "history/history_window.h"
#include "ui/geometry.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSet>
#include <QStringEncoder>
#include <QTableView>
#include <algorithm>

namespace {
constexpr int kShrink = 0;
constexpr int kDraws = 150;

struct PastDraw
{
    QString issue;
    int number;
};

// 150 draws with issue numbers, oldest first.
QList<PastDraw> pastDraws()
{
    QRandomGenerator random(88);
    QList<PastDraw> draws;
    for (int i = 0; i < kDraws; ++i)
        draws.append({QString::number(2024001 + i), int(random.bounded(10000))});
    return draws;
}

// In the forms sites print, two of them taking turns.
QString historyText(const QList<PastDraw> &draws)
{
    QString text = QStringLiteral("# 期号 开奖号\n");
    for (qsizetype i = 0; i < draws.size(); ++i) {
        const QString digits = QStringLiteral("%1").arg(draws[i].number, 4, 10, QChar(u'0'));
        text += i % 2 == 0 ? draws[i].issue + u' ' + digits + u'\n'
                           : draws[i].issue + QStringLiteral("期 ") + QStringList{digits[0], digits[1], digits[2], digits[3]}.join(u',') + u'\n';
    }
    return text;
}

QList<PastDraw> newestFirst(QList<PastDraw> draws, int count)
{
    std::reverse(draws.begin(), draws.end());
    return draws.mid(0, count);
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
    const QBarSet *set = qobject_cast<QBarSeries *>(view->chart()->series().first())->barSets().first();
    QList<double> values;
    for (int i = 0; i < set->count(); ++i)
        values.append(set->at(i));
    return values;
}
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
    void runBacktest() { control<QPushButton>(history(), QStringLiteral("C_history_run"))->click(); }
    void chooseRange(const QString &caption)
    {
        auto *range = control<QComboBox>(history(), QStringLiteral("Com_history_range"));
        QVERIFY2(range->findText(caption) >= 0, qPrintable(caption));
        range->setCurrentIndex(range->findText(caption));
    }

    // A new main window, as after a restart, with "历史验证" opened from the tool strip.
    void restart()
    {
        cleanup();
        m_modals = std::make_unique<ModalRecorder>();
        m_window = startedWindow();
        auto *open = control<QPushButton>(m_window.get(), QStringLiteral("C_history"));
        QVERIFY(open);
        QCOMPARE(open->text(), QStringLiteral("历史验证"));
        QCOMPARE(open->parentWidget(), m_window->toolStrip());
        open->click();
        m_history = m_window->findChild<HistoryWindow *>(QStringLiteral("HistoryWindow"));
        QVERIFY(m_history);
        QTRY_VERIFY(m_history->isVisible());
    }

    // Ratio, shape and exclusion buttons, a sum tail and a span, with one
    // failed condition allowed: kept and killed draws, several counts.
    void setConditions()
    {
        const SheetDriver sheet(m_window.get());
        for (int index : {1, 3, 16, 155})
            sheet.click("C_bi", index);
        sheet.tick("Check_hewei_sha", 3);
        sheet.tick("Check_kuadu_sha", 9);
        sheet.click("C_max", 9 + 8);
        sheet.setTolerance(5, QStringLiteral("1"));
    }

    // What the table, the summary and the family chart show at one moment.
    struct Shown
    {
        QStringList headers;
        QList<QStringList> rows;
        QString summary;
        QList<double> bars;
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
        now.bars = barValues(history(), QStringLiteral("history_family_chart"));
        return now;
    }

    // Every row, the summary and the family shares against the main window's
    // matrix, for draws expected in that order.
    void compareWithMatrix(const Shown &shown, const QList<PastDraw> &expected)
    {
        const CandidateMatrix &m = *m_window->shrinkState().matrix;
        const int total = int(expected.size());
        QCOMPARE(shown.rows.size(), total);
        auto percent = [total](int part) { return QString::number(100.0 * part / total, 'f', 1) + u'%'; };

        QList<int> activeRows;
        QStringList headers{QStringLiteral("期号"), QStringLiteral("开奖号"), QStringLiteral("保留/杀掉"),
                            QStringLiteral("失败条件数")};
        QStringList shares;
        QList<double> bars;
        for (int r = 1; r <= 12; ++r) {
            if (m.row(MatrixRow(r)).empty())
                continue;
            int killed = 0;
            for (const PastDraw &draw : expected)
                killed += m.cell(r, draw.number);
            activeRows.append(r);
            headers.append(familyName(r));
            shares.append(QStringLiteral("%1 杀掉 %2 期（%3）").arg(familyName(r)).arg(killed).arg(percent(killed)));
            bars.append(100.0 * killed / total);
        }
        QVERIFY(activeRows.size() >= 4);
        QCOMPARE(shown.headers, headers);

        int kept = 0;
        QSet<int> failureCounts;
        for (int row = 0; row < total; ++row) {
            const int n = expected[row].number;
            int failures = 0;
            for (int r = 1; r <= 49; ++r)
                failures += m.cell(r, n);
            kept += m.cell(0, n) == 0 ? 1 : 0;
            failureCounts.insert(failures);
            QStringList cells{expected[row].issue, QStringLiteral("%1").arg(n, 4, 10, QChar(u'0')),
                              m.cell(0, n) == 0 ? QStringLiteral("保留") : QStringLiteral("杀掉"),
                              QString::number(failures)};
            for (int r : activeRows)
                cells.append(m.cell(r, n) ? QStringLiteral("杀") : QString());
            QCOMPARE(shown.rows[row], cells);
        }
        QCOMPARE(shown.summary, QStringLiteral("保留 %1 / %2 期（%3）\n").arg(kept).arg(total).arg(percent(kept))
                                    + shares.join(QStringLiteral("；")));
        QCOMPARE(shown.bars.size(), bars.size());
        for (qsizetype i = 0; i < bars.size(); ++i)
            QVERIFY(qFuzzyCompare(shown.bars[i] + 1, bars[i] + 1));
        if (total >= 30)
            QVERIFY(kept > 0 && kept < total && failureCounts.size() >= 3);
    }

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init()
    {
        QFile::remove(HistoryWindow::savedHistoryPath());
        restart();
    }
    void cleanup()
    {
        m_history = nullptr;
        m_window.reset();
        m_modals.reset();
    }

    void opensBesideTheSheetWithoutBlockingIt();
    void backtestFollowsEveryRunTheRangeAndTheSheet();
    void malformedLinesAreListedUnderTheBox();
    void distributionOfTheLastRun();
    void historyComesBackAfterARestart();
    void filesThroughTheDialog();
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

void TestHistoryWindow::backtestFollowsEveryRunTheRangeAndTheSheet()
{
    // Newest first in the file: the issue numbers still order the table.
    const QList<PastDraw> draws = pastDraws();
    box()->setPlainText(historyText(newestFirst(draws, kDraws)));
    chooseRange(QStringLiteral("全部"));
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    QTRY_COMPARE(summary(), QStringLiteral("保留 150 / 150 期（100.0%）\n当前条件没有杀掉任何号码"));
    QCOMPARE(table()->columnCount(), 4);

    // Every shrink run back-tests again.
    setConditions();
    pressAction(m_window.get(), kShrink);
    compareWithMatrix(shown(), newestFirst(draws, kDraws));
    // A family's column shows the help block that explains the family.
    const std::pair<const char16_t *, const char16_t *> helps[] = {
        {u"和跨胆", u"和跨胆"}, {u"比例", u"大小比"}, {u"杀特殊形态", u"杀特殊形态"},
        {u"特别排除", u"特别排除"}, {u"最小号与最大号", u"最小号与最大号"}};
    for (int column = 4; column < table()->columnCount(); ++column) {
        const QString name = table()->headerData(column, Qt::Horizontal).toString();
        const auto help = std::find_if(std::begin(helps), std::end(helps), [&](auto h) { return name == h.first; });
        QVERIFY2(help != std::end(helps), qPrintable(name));
        QVERIFY2(table()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString()
                     .startsWith(QStringLiteral("[*%1*]\n\n").arg(QString::fromUtf16(help->second))), qPrintable(name));
    }
    for (const auto &[caption, count] : {std::pair{u"最近10期", 10}, {u"最近100期", 100}, {u"最近30期", 30}}) {
        chooseRange(QString::fromUtf16(caption));
        compareWithMatrix(shown(), newestFirst(draws, count));
    }

    // A condition changed after the run: the back-test follows the sheet, the
    // main window keeps showing its run.
    const QString resultText = m_window->shrinkState().ResultText;
    const CandidateSet killRow = m_window->shrinkState().matrix->row(KillRow);
    const QStringList lines = resultLines(m_window.get());
    const QString count = control<QLabel>(m_window.get(), QStringLiteral("dadi_zhushu"))->text();
    control<QCheckBox>(m_window.get(), arrayName("Check_hewei_sha", 5))->click();
    runBacktest();
    const Shown before = shown();
    QCOMPARE(m_window->shrinkState().ResultText, resultText);
    QVERIFY(m_window->shrinkState().matrix->row(KillRow) == killRow);
    QCOMPARE(resultLines(m_window.get()), lines);
    QCOMPARE(control<QLabel>(m_window.get(), QStringLiteral("dadi_zhushu"))->text(), count);
    // The run of the changed sheet is the reference for what was shown before it.
    pressAction(m_window.get(), kShrink);
    QVERIFY(m_window->shrinkState().matrix->row(KillRow) != killRow);
    compareWithMatrix(before, newestFirst(draws, 30));
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

void TestHistoryWindow::distributionOfTheLastRun()
{
    setConditions();
    const int count = pressAction(m_window.get(), kShrink);
    QVERIFY(count > 0 && count < 10000);
    QList<double> sums(37), spans(10), shapes(5);    // AAAA, AAAB, AABC, AABB, ABCD
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
    const QLabel *survivors = control<QLabel>(history(), QStringLiteral("L_survivor_count"));
    QTRY_COMPARE(survivors->text(), QStringLiteral("最后一次缩水保留 %1 注").arg(count));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_sum_chart")), sums);
    QCOMPARE(barValues(history(), QStringLiteral("survivor_span_chart")), spans);
    QCOMPARE(barValues(history(), QStringLiteral("survivor_shape_chart")), shapes);

    // Redrawn after the next run.
    pressAction(m_window.get(), 3);
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    QTRY_COMPARE(survivors->text(), QStringLiteral("最后一次缩水保留 10000 注"));
    QCOMPARE(barValues(history(), QStringLiteral("survivor_span_chart")).first(), 10.0);
}

void TestHistoryWindow::historyComesBackAfterARestart()
{
    const QString text = historyText(pastDraws());
    box()->setPlainText(text);
    QTRY_COMPARE(QString::fromUtf8(readBytes(HistoryWindow::savedHistoryPath())), text);
    restart();
    QCOMPARE(box()->toPlainText(), text);
    QCOMPARE(table()->rowCount(), 30);

    // Typed just before the window closes: kept as well.
    box()->setPlainText(QStringLiteral("2025001 4321"));
    restart();
    QCOMPARE(box()->toPlainText(), QStringLiteral("2025001 4321"));
    QVERIFY(m_modals->messages.isEmpty());
}

void TestHistoryWindow::filesThroughTheDialog()
{
    // A missing file and a folder are refused; the box keeps what it held.
    QTemporaryDir folder;
    box()->setPlainText(QStringLiteral("2024001 1234"));
    const QString missing = folder.filePath(QStringLiteral("none.txt"));
    QVERIFY(!m_history->loadHistoryFile(missing));
    QVERIFY(!m_history->loadHistoryFile(folder.path()));
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[0].title, QStringLiteral("错误提示"));
    QVERIFY(m_modals->messages[0].text.startsWith(QStringLiteral("无法读取开奖文件：\n%1\n无法打开（").arg(missing)));
    QCOMPARE(box()->toPlainText(), QStringLiteral("2024001 1234"));

    // A GBK file with full-width digits, as some sites save them.
    const QString path = folder.filePath(QStringLiteral("开奖.txt"));
    QStringEncoder gbk("GB18030");
    QVERIFY(writeBytes(path, gbk.encode(QStringLiteral("第２０２４００１期　１２３４\r\n第2024002期 开奖 5,6,7,8\r\n坏行\r\n"))));
    FileDialogRecorder dialogs({path});
    control<QPushButton>(history(), QStringLiteral("C_history_load"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Open);
    QCOMPARE(dialogs.asked[0].request.title, QStringLiteral("载入开奖文件"));
    QVERIFY(box()->toPlainText().startsWith(QStringLiteral("第２０２４００１期")));
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(table(), 0, 0) + cell(table(), 0, 1) + cell(table(), 1, 1), QStringLiteral("202400256781234"));
    QCOMPARE(control<QListWidget>(history(), QStringLiteral("Li_history_malformed"))->item(0)->text(),
             QStringLiteral("第 3 行：坏行"));
    QCOMPARE(m_modals->messages.size(), 2);
}

void TestHistoryWindow::exportsTheTableAsCsv()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.csv"));
    FileDialogRecorder dialogs;
    control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
    QVERIFY(dialogs.asked.isEmpty());
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(m_modals->messages[0].text, QStringLiteral("没有可导出的验证结果"));

    setConditions();
    box()->setPlainText(historyText(pastDraws()));
    runBacktest();
    dialogs.answers = {path};
    control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    QVERIFY(dialogs.asked[0].request.suggestedName.startsWith(QStringLiteral("历史验证-")));
    QVERIFY(dialogs.asked[0].request.suggestedName.endsWith(QStringLiteral(".csv")));

    const QByteArray bytes = readBytes(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const Shown now = shown();
    QString expected = now.headers.join(u',') + QStringLiteral("\r\n");
    for (const QStringList &row : now.rows)
        expected += row.join(u',') + QStringLiteral("\r\n");
    QVERIFY(expected.startsWith(QStringLiteral("期号,开奖号,保留/杀掉,失败条件数,")));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)), expected);
    QCOMPARE(m_modals->messages.size(), 1);
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
