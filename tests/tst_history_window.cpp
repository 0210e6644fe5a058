// "历史验证" driven as a player drives it: conditions on the sheet, draws
// pasted or loaded, and every table row checked against the matrix of a full
// "[开始缩水]" run, read by plain loops.
#include "reference_rules.h"
#include "sheet_driver.h"

#include "filters/backtest.h"
#include "history/history_window.h"
#include "httpfixture.h"
#include "ui/geometry.h"
#include "ui/settings.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStringEncoder>
#include <QTableView>
#include <QTableWidget>
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
    // Pasted and stored as the player does it.
    void storeDraws(const QString &text)
    {
        box()->setPlainText(text);
        control<QPushButton>(history(), QStringLiteral("C_history_add"))->click();
    }
    QStringList unstored() const
    {
        QStringList entries;
        auto *list = control<QListWidget>(history(), QStringLiteral("Li_history_malformed"));
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->item(i)->text());
        return entries;
    }
    QAbstractItemModel *drawsTable() const { return control<QTableView>(history(), QStringLiteral("history_draws"))->model(); }
    QString drawsStatus() const { return control<QLabel>(history(), QStringLiteral("L_draws_status"))->text(); }
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
        WindowSettings().remove(QStringLiteral("History"));
        QFile::remove(default_draws_folder() + QStringLiteral("/draws.sqlite"));
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
    void unstoredLinesStayInTheBox();
    void updatesFromTheFeedServers();
    void drawsAreDeletedAndCorrected();
    void storeProblemsAreToldOnce_data();
    void storeProblemsAreToldOnce();
    void distributionOfTheLastRun();
    void besideChanceMemberByMemberAndByTolerance();
    void historyComesBackAfterARestart();
    void filesThroughTheDialog();
    void exportsTheTable();
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
    QCOMPARE(tabs->tabText(2), QStringLiteral("条件效率"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("容错取舍"));
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
    storeDraws(historyText(newestFirst(draws, kDraws)));
    chooseRange(QStringLiteral("全部"));
    QCOMPARE(pressAction(m_window.get(), kShrink), 10000);
    QTRY_COMPARE(summary(), QStringLiteral("保留 150 / 150 期（100.0%）\n当前条件没有杀掉任何号码"));
    QCOMPARE(table()->columnCount(), 4);

    // Every shrink run back-tests again.
    setConditions();
    pressAction(m_window.get(), kShrink);
    compareWithMatrix(shown(), newestFirst(draws, kDraws));
    // A family's column shows the help block that explains the family; the
    // ratios are explained under their first, big:small.
    for (int column = 4; column < table()->columnCount(); ++column) {
        const QString name = table()->headerData(column, Qt::Horizontal).toString();
        const QString help = name == QStringLiteral("比例") ? QStringLiteral("大小比") : name;
        QVERIFY2(table()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString()
                     .startsWith(QStringLiteral("[*%1*]\n\n").arg(help)), qPrintable(name));
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

void TestHistoryWindow::unstoredLinesStayInTheBox()
{
    storeDraws(QStringLiteral("2024001 1234\n2024002 123\n\n# note\n2024003 1 2 3 4\n5678\n开奖号码\n"));
    QCOMPARE(box()->toPlainText(), QStringLiteral("2024002 123\n5678\n开奖号码"));
    QCOMPARE(unstored(), QStringList({"第 1 行：2024002 123", "第 2 行：没有期号", "第 3 行：开奖号码"}));
    QCOMPARE(drawsStatus(), QStringLiteral("存入开奖：新增 2 期，更改 0 期；3 行未存入"));
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(table(), 0, 0), QStringLiteral("2024003"));

    // Thousands of bad lines: the list names the first thousand and counts the rest.
    storeDraws(QStringLiteral("x\n").repeated(2500) + QStringLiteral("2024003 4321"));
    QCOMPARE(unstored().size(), 1001);
    QCOMPARE(unstored()[999], QStringLiteral("第 1000 行：x"));
    QCOMPARE(unstored()[1000], QStringLiteral("……另有 1500 行未存入"));
    QCOMPARE(cell(drawsTable(), 0, 1) + cell(table(), 0, 1), QStringLiteral("43214321"));
    QCOMPARE(drawsStatus(), QStringLiteral("存入开奖：新增 0 期，更改 1 期；2500 行未存入"));

    storeDraws(QString());
    QVERIFY(unstored().isEmpty());

    // More draws than one write takes: refused whole, the box kept.
    storeDraws(QStringLiteral("2026001 1234\n").repeated(50001));
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(m_modals->messages[0].text, QStringLiteral("一次最多存入 50000 期开奖号，这里有 50001 期，请分几次存入。"));
    QCOMPARE(drawsTable()->rowCount(), 2);
    QCOMPARE(box()->document()->lineCount(), 50002);
}

void TestHistoryWindow::updatesFromTheFeedServers()
{
    storeDraws(QStringLiteral("2026045 1234\n"));
    HttpFixture server;
    server.script("/m/4x/draws.txt", {{200, "2026044 4444\n2026045 1243\n2026047 7777\n", 500}});
    m_window->drawsUpdate().setBaseAddresses(server.base(QStringLiteral("/m/4x/")), HttpFixture::closedBase(QStringLiteral("/4x/")));
    auto *update = control<QPushButton>(history(), QStringLiteral("C_update_draws"));
    QCOMPARE(update->text(), QStringLiteral("更新开奖"));
    update->click();
    QVERIFY(!update->isEnabled());
    QCOMPARE(drawsStatus(), QStringLiteral("正在更新开奖……"));
    QTRY_VERIFY_WITH_TIMEOUT(update->isEnabled(), 60000);
    QCOMPARE(drawsStatus(), QStringLiteral("服务器A：新增 2 期；2026045：本地 1234，服务器 1243；缺少 1 期：2026046"));
    QCOMPARE(control<QLabel>(history(), QStringLiteral("L_draws_count"))->text(), QStringLiteral("开奖号（共 3 期）："));
    QCOMPARE(cell(drawsTable(), 1, 1) + cell(drawsTable(), 1, 3) + cell(drawsTable(), 2, 3), QStringLiteral("1234手工服务器"));
    QCOMPARE(table()->rowCount(), 3);
    QVERIFY(m_modals->messages.isEmpty());
}

void TestHistoryWindow::drawsAreDeletedAndCorrected()
{
    storeDraws(QStringLiteral("2026001 1111\n2026002 2222\n2026003 3333\n"));
    auto *view = control<QTableView>(history(), QStringLiteral("history_draws"));
    auto correct = [&](int row, const QString &typed) {
        view->setCurrentIndex(drawsTable()->index(row, 0));
        control<QPushButton>(history(), QStringLiteral("C_draw_correct"))->click();
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits and closes its editor on the next pass of the loop.
        QTRY_VERIFY(!view->viewport()->findChild<QLineEdit *>());
    };
    correct(0, QStringLiteral("4321"));
    correct(1, QStringLiteral("12"));
    QCOMPARE(cell(drawsTable(), 0, 1) + cell(drawsTable(), 1, 1), QStringLiteral("43212222"));
    QCOMPARE(cell(table(), 0, 1), QStringLiteral("4321"));

    view->selectionModel()->select(drawsTable()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(drawsTable()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Deleting asks first; "否" keeps every draw.
    m_modals->answer = false;
    control<QPushButton>(history(), QStringLiteral("C_draw_delete"))->click();
    QCOMPARE(m_window->drawStore().draws().size(), 3);
    m_modals->answer = true;
    control<QPushButton>(history(), QStringLiteral("C_draw_delete"))->click();
    QCOMPARE(table()->rowCount(), 1);
    const QList<StoredDraw> kept = m_window->drawStore().draws();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].number, 4321);
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[0].kind, ModalMessage::Question);
    QCOMPARE(m_modals->messages[0].text, QStringLiteral("删除选中的 2 期开奖号？"));
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

// 通杀码 5-9 keep the 625 numbers of the digits 0-4, which hold ten draws of
// ten. Chance keeps X ~ Binomial(10, 0.0625) of them: P(X <= 0) = 0.524,
// P(X <= 1) = 0.874, P(X <= 2) = 0.979, P(X >= 10) = 9.1e-13.
void TestHistoryWindow::besideChanceMemberByMemberAndByTolerance()
{
    const SheetDriver sheet(m_window.get());
    for (int digit = 5; digit <= 9; ++digit)
        sheet.tick("Check_tsm_sha", digit);
    QString draws;
    for (int i = 0; i < 10; ++i)
        draws += QStringLiteral("%1 %2%3%4%5\n").arg(2026001 + i).arg(i % 5).arg((i + 1) % 5).arg(i / 5).arg(4);
    storeDraws(draws);
    QCOMPARE(control<QLabel>(history(), QStringLiteral("L_history_chance"))->text(),
             QStringLiteral("随机对比：条件保留 6.25% 的号码；随机选同样多的号码，10 期平均保留 0.63 期，"
                            "95% 的情况保留 0～2 期，保留 10 期或更多的概率为 <0.0001。结论：明显优于随机"));

    // Tolerance 1 lets every number through.
    const auto *tradeoff = control<QTableWidget>(history(), QStringLiteral("tradeoff_table"));
    QCOMPARE(tradeoff->rowCount(), 2);
    const QStringList tradeoffRows[] = {
        {"0～0", "625（6.25%）", "10 / 10", "0.63", "0～2", "<0.0001", "明显优于随机"},
        {"0～1", "10000（100.00%）", "10 / 10", "10.00", "10～10", "1.0000", "与随机选号无明显差别"}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < tradeoff->columnCount(); ++column)
            QCOMPARE(tradeoff->item(row, column)->text(), tradeoffRows[row][column]);
    }

    // 通杀码 9 alone kills 10000 - 9^4 numbers and none of the draws, which
    // chance with the other 6561 keeps whole 0.6561^10 = 1.48% of the time.
    auto *tabs = control<QTabWidget>(history(), QStringLiteral("history_tabs"));
    tabs->setCurrentWidget(control<QWidget>(history(), QStringLiteral("history_efficiency")));
    auto *view = control<QTableView>(history(), QStringLiteral("efficiency_table"));
    const QAbstractItemModel *rows = view->model();
    QCOMPARE(rows->rowCount(), 253);
    control<QCheckBox>(history(), QStringLiteral("Check_efficiency_sheet"))->click();
    QTRY_COMPARE(rows->rowCount(), 5);
    QStringList ninth;
    for (int column = 0; column < rows->columnCount(); ++column)
        ninth.append(cell(rows, 4, column));
    QCOMPARE(ninth, QStringList({"✓", "9", "和跨胆·通杀码", "3439（34.39%）", "0", "3.44", "0.00", "0.0148", "明显优于随机"}));

    // A double-click clears it on the sheet as a click there does: one
    // step of undo, the live count, the table's own marks.
    // A press first, as a player's double-click begins with one.
    const QPoint ninthRow = view->visualRect(rows->index(4, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ninthRow);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, ninthRow);
    QVERIFY(!control<QCheckBox>(m_window.get(), QStringLiteral("Check_tsm_sha(9)"))->isChecked());
    QTRY_COMPARE(control<QLabel>(m_window.get(), QStringLiteral("L_live_count"))->text(),
                 QStringLiteral("当前条件：1296 注（2592 元）"));
    QTRY_COMPARE(rows->rowCount(), 4);
    control<QPushButton>(m_window.get(), QStringLiteral("C_undo"))->click();
    QVERIFY(control<QCheckBox>(m_window.get(), QStringLiteral("Check_tsm_sha(9)"))->isChecked());
    QTRY_COMPARE(rows->rowCount(), 5);

    // The draws killed sort as numbers: 10 comes before 9.
    control<QCheckBox>(history(), QStringLiteral("Check_efficiency_sheet"))->click();
    view->sortByColumn(4, Qt::DescendingOrder);
    QList<int> killed;
    for (int row = 0; row < rows->rowCount(); ++row)
        killed.append(cell(rows, row, 4).toInt());
    QVERIFY(killed.first() == 10 && killed.contains(9));
    QVERIFY(std::is_sorted(killed.rbegin(), killed.rend()));
}

void TestHistoryWindow::historyComesBackAfterARestart()
{
    storeDraws(historyText(pastDraws()));
    // So does the number of draws chosen.
    chooseRange(QStringLiteral("最近100期"));
    restart();
    QCOMPARE(control<QComboBox>(history(), QStringLiteral("Com_history_range"))->currentText(), QStringLiteral("最近100期"));
    QCOMPARE(table()->rowCount(), 100);
    chooseRange(QStringLiteral("最近30期"));

    // Typed, not stored, just before the window closes: kept as well.
    box()->setPlainText(QStringLiteral("2025001 4321"));
    restart();
    QCOMPARE(table()->rowCount(), 30);
    QCOMPARE(drawsTable()->rowCount(), kDraws);
    QCOMPARE(box()->toPlainText(), QStringLiteral("2025001 4321"));
    QCOMPARE(QString::fromUtf8(readBytes(HistoryWindow::savedHistoryPath())), QStringLiteral("2025001 4321"));
    QVERIFY(m_modals->messages.isEmpty());
}

void TestHistoryWindow::filesThroughTheDialog()
{
    // A missing file and a folder are refused; the store keeps what it held.
    QTemporaryDir folder;
    storeDraws(QStringLiteral("2024001 1234"));
    const QString missing = folder.filePath(QStringLiteral("none.txt"));
    QVERIFY(!m_history->loadHistoryFile(missing));
    QVERIFY(!m_history->loadHistoryFile(folder.path()));
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[0].title, QStringLiteral("错误提示"));
    QVERIFY(m_modals->messages[0].text.startsWith(QStringLiteral("无法读取开奖文件：\n%1\n无法打开（").arg(missing)));
    QCOMPARE(drawsTable()->rowCount(), 1);

    // A GBK file with full-width digits, as some sites save them.
    const QString path = folder.filePath(QStringLiteral("开奖.txt"));
    QStringEncoder gbk("GB18030");
    QVERIFY(writeBytes(path, gbk.encode(QStringLiteral("第２０２４００１期　１２３４\r\n第2024002期 开奖 5,6,7,8\r\n坏行\r\n"))));
    FileDialogRecorder dialogs({path});
    control<QPushButton>(history(), QStringLiteral("C_history_load"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Open);
    QCOMPARE(dialogs.asked[0].request.title, QStringLiteral("载入开奖文件"));
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(table(), 0, 0) + cell(table(), 0, 1) + cell(table(), 1, 1), QStringLiteral("202400256781234"));
    QCOMPARE(cell(drawsTable(), 0, 3) + cell(drawsTable(), 1, 3), QStringLiteral("文件手工"));
    QCOMPARE(unstored(), QStringList({"第 3 行：坏行"}));
    QCOMPARE(drawsStatus(), QStringLiteral("载入 开奖.txt：新增 1 期，更改 0 期；1 行未存入"));
    QCOMPARE(m_modals->messages.size(), 2);
}

void TestHistoryWindow::exportsTheTable()
{
    QTemporaryDir folder;
    const QString workbook = folder.filePath(QStringLiteral("out.xlsx"));
    FileDialogRecorder dialogs;
    control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
    QVERIFY(dialogs.asked.isEmpty());
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(m_modals->messages[0].text, QStringLiteral("没有可导出的验证结果"));

    setConditions();
    storeDraws(historyText(pastDraws()));
    dialogs.answers = {workbook};
    control<QPushButton>(history(), QStringLiteral("C_history_export"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    QVERIFY(dialogs.asked[0].request.suggestedName.startsWith(QStringLiteral("历史验证-")));
    QVERIFY(dialogs.asked[0].request.suggestedName.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(dialogs.asked[0].request.filter.contains(QStringLiteral("*.csv")));

    const Shown now = shown();
    auto part = [&workbook](const char *name) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, QLatin1String(name)});
        return unzip.waitForFinished() ? QString::fromUtf8(unzip.readAllStandardOutput()) : QString();
    };
    // Every cell of the workbook is a text or blank, so 0267 is no number 267.
    const QString cells = part("xl/worksheets/sheet1.xml");
    qsizetype filled = now.headers.size();
    for (const QStringList &row : now.rows)
        filled += std::count_if(row.begin(), row.end(), [](const QString &text) { return !text.isEmpty(); });
    QCOMPARE(cells.count(QStringLiteral("<c ")), (now.rows.size() + 1) * now.headers.size());
    QCOMPARE(cells.count(QStringLiteral(" t=\"s\"")), filled);
    const QString texts = part("xl/sharedStrings.xml");
    bool leadingZero = false;
    for (const QStringList &row : now.rows) {
        QVERIFY2(texts.contains(QStringLiteral("<t>%1</t>").arg(row[1])), qPrintable(row[1]));
        leadingZero = leadingZero || row[1].startsWith(u'0');
    }
    QVERIFY(leadingZero);

    // CSV for other programs: the same table, header first.
    const QString csv = folder.filePath(QStringLiteral("out.csv"));
    QVERIFY(m_history->exportTable(csv));
    const QByteArray bytes = readBytes(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QString expected = now.headers.join(u',') + QStringLiteral("\r\n");
    for (const QStringList &row : now.rows)
        expected += row.join(u',') + QStringLiteral("\r\n");
    QVERIFY(expected.startsWith(QStringLiteral("期号,开奖号,保留/杀掉,失败条件数,")));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)), expected);
    QCOMPARE(m_modals->messages.size(), 1);
}

void TestHistoryWindow::storeProblemsAreToldOnce_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::addColumn<QString>("told");
    QTest::newRow("unreadable store") << false << QStringLiteral("开奖数据库无法读取，已改名为：");
    QTest::newRow("unusable folder") << true << QStringLiteral("开奖数据库无法保存到：");
}

void TestHistoryWindow::storeProblemsAreToldOnce()
{
    QFETCH(bool, folderIsAFile);
    QFETCH(QString, told);
    cleanup();
    const QString folder = default_draws_folder();
    if (folderIsAFile)
        QVERIFY(QDir(folder).removeRecursively() && writeBytes(folder, "a file"));
    else
        QVERIFY(writeBytes(folder + QStringLiteral("/draws.sqlite"), "not a database"));
    ModalRecorder modals;
    {
        Fmain window;
        control<QTimer>(&window, QStringLiteral("Timer_load"))->stop();
        window.drawsUpdate().setBaseAddresses(HttpFixture::closedBase(QStringLiteral("/m/4x/")),
                                              HttpFixture::closedBase(QStringLiteral("/4x/")));
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.drawsUpdate().lastReport().has_value(), 60000);
        QCOMPARE(modals.messages.size(), 1);
        QCOMPARE(modals.messages[0].title, QStringLiteral("错误提示"));
        QVERIFY2(modals.messages[0].text.startsWith(told), qPrintable(modals.messages[0].text));
    }
    if (folderIsAFile)
        QVERIFY(QFile::remove(folder));
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
