// The trend chart, the hot and cold tables and the omission on the sheet,
// against the command line's figures for the same draws, and the sheet
// untouched once the figures are switched off.
#include "testsupport.h"

#include "history/history_window.h"
#include "history/hot_cold.h"
#include "history/trend_model.h"

#include <QComboBox>
#include <QHeaderView>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTableView>

namespace {
constexpr int kDraws = 150;

int digitColumn(int position, int digit)
{
    return TrendModel::FirstDigitColumn + 10 * position + digit;
}

// The lines of `vintora-shrink --stats` by property name: HITS, CURRENT, MAX,
// AVERAGE, STREAK.
QHash<QString, QStringList> printedFigures(const QByteArray &out)
{
    QHash<QString, QStringList> printed;
    for (const QString &line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts))
        printed.insert(line.section(u'\t', 0, 0), line.split(u'\t').mid(1));
    return printed;
}

// "当前遗漏：N" and "出现次数：M" of a member's tooltip.
QString tooltipFigure(const QWidget *member, const QString &figure)
{
    for (const QString &line : member->toolTip().split(u'\n')) {
        if (line.startsWith(figure + u'：'))
            return line.section(u'：', 1);
    }
    return {};
}
}

class TestTrend : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_text;     // the draws, newest first as sites list them; the first test stores them
    QString m_file;     // the same as a file
    std::unique_ptr<ModalRecorder> m_modals;

    HistoryWindow *openTrend(const Fmain *window)
    {
        control<QPushButton>(window, QStringLiteral("C_trend"))->click();
        return window->findChild<HistoryWindow *>();
    }
    void chooseWindow(QWidget *history, const QString &caption)
    {
        auto *combo = control<QComboBox>(history, QStringLiteral("Com_trend_window"));
        combo->setCurrentIndex(combo->findText(caption));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(useTestFolders());
        QVERIFY(m_folder.isValid());
        m_modals = std::make_unique<ModalRecorder>();
        QRandomGenerator random(24);
        for (int i = 0; i < kDraws; ++i)
            m_text.prepend(QStringLiteral("%1 %2\n").arg(2023001 + i).arg(int(random.bounded(10000)), 4, 10, QChar(u'0')));
        m_file = m_folder.filePath(QStringLiteral("draws.txt"));
        QVERIFY(writeBytes(m_file, m_text.toUtf8()));
    }

    void sheetIsUntouchedWithTheFiguresOff();
    void cellsOfATinyHistory_data();
    void cellsOfATinyHistory();
    void agreesWithTheCommandLine();
    void followsTheStore();
    void exportsTheWholeChart();
};

void TestTrend::cellsOfATinyHistory_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QVariant>("drawn");    // the digit drawn at the column's position
    // Oldest first: 1234, 1555, 9230.
    QTest::newRow("a ball") << 0 << digitColumn(0, 1) << "1" << QVariant(1);
    QTest::newRow("not drawn yet") << 0 << digitColumn(0, 0) << "1" << QVariant(1);
    QTest::newRow("one since") << 2 << digitColumn(0, 1) << "1" << QVariant(9);
    QTest::newRow("two since") << 2 << digitColumn(3, 4) << "2" << QVariant(0);
    QTest::newRow("issue") << 1 << int(TrendModel::IssueColumn) << "2024002" << QVariant();
    QTest::newRow("number") << 2 << int(TrendModel::NumberColumn) << "9230" << QVariant();
    QTest::newRow("sum") << 1 << int(TrendModel::SumColumn) << "16" << QVariant();
    QTest::newRow("span") << 2 << int(TrendModel::SpanColumn) << "9" << QVariant();
    QTest::newRow("routes") << 2 << int(TrendModel::RouteColumn) << "0200" << QVariant();
    QTest::newRow("big and small") << 2 << int(TrendModel::BigSmallColumn) << "大小小小" << QVariant();
    QTest::newRow("odd and even") << 2 << int(TrendModel::OddEvenColumn) << "奇偶奇偶" << QVariant();
    QTest::newRow("three alike") << 1 << int(TrendModel::ShapeColumn) << "AAAB" << QVariant();
    QTest::newRow("all differ") << 2 << int(TrendModel::ShapeColumn) << "ABCD" << QVariant();
    QTest::newRow("figure names") << 4 << int(TrendModel::IssueColumn) << "平均遗漏" << QVariant();
}

void TestTrend::cellsOfATinyHistory()
{
    QFETCH(int, row);
    QFETCH(int, column);
    TrendModel model;
    model.setDraws({{QStringLiteral("2024001"), 1234}, {QStringLiteral("2024002"), 1555},
                    {QStringLiteral("2024003"), 9230}});
    QCOMPARE(model.rowCount(), 3 + TrendModel::FigureRowCount);
    const QModelIndex cell = model.index(row, column);
    QTEST(cell.data().toString(), "shown");
    QTEST(cell.data(TrendModel::DrawnDigitRole), "drawn");
    QCOMPARE(model.headerData(digitColumn(2, 7), Qt::Horizontal).toString(), QStringLiteral("7"));
    QCOMPARE(model.headerData(digitColumn(2, 7), Qt::Horizontal, TrendModel::PositionNameRole).toString(),
             QStringLiteral("十位"));
}

void TestTrend::agreesWithTheCommandLine()
{
    const CommandRun cli = runCommand(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--stats"), m_file,
                                                                       QStringLiteral("--last"), QStringLiteral("100")});
    QCOMPARE(cli.exitCode, 0);
    const QHash<QString, QStringList> printed = printedFigures(cli.out);
    QCOMPARE(printed.size(), 340);

    const std::unique_ptr<Fmain> window = startedWindow();
    QWidget *history = openTrend(window.get());
    QVERIFY(history);
    QTRY_VERIFY(history->isVisible());
    QCOMPARE(control<QTabWidget>(history, QStringLiteral("history_tabs"))->currentWidget()->findChild<QWidget *>(
                 QStringLiteral("trend_chart")),
             control<QWidget>(history, QStringLiteral("trend_chart")));
    chooseWindow(history, QStringLiteral("最近100期"));
    const QAbstractItemModel *chart = control<QTableView>(history, QStringLiteral("trend_chart"))->model();
    QCOMPARE(chart->rowCount(), 100 + TrendModel::FigureRowCount);
    // The figures under the draws: HITS, AVERAGE, MAX, STREAK, CURRENT.
    constexpr int kPrintedField[TrendModel::FigureRowCount] = {0, 3, 2, 4, 1};
    for (int position = 0; position < 4; ++position) {
        for (int digit = 0; digit < 10; ++digit) {
            const QStringList &figures = printed[QStringLiteral("pos%1=%2").arg(position + 1).arg(digit)];
            for (int figure = 0; figure < TrendModel::FigureRowCount; ++figure)
                QCOMPARE(chart->index(100 + figure, digitColumn(position, digit)).data().toString(),
                         figures[kPrintedField[figure]]);
        }
    }
    // Every member that names a set says its figures in its tooltip.
    int members = 0;
    for (auto it = printed.cbegin(); it != printed.cend(); ++it) {
        if (!it.key().contains(u'('))
            continue;
        const QWidget *member = control<QWidget>(window.get(), it.key());
        QVERIFY2(member, qPrintable(it.key()));
        QVERIFY(member->toolTip().startsWith(QStringLiteral("最近100期\n")));
        QCOMPARE(tooltipFigure(member, QStringLiteral("当前遗漏")), it.value()[1]);
        QCOMPARE(tooltipFigure(member, QStringLiteral("出现次数")), it.value()[0]);
        ++members;
    }
    QCOMPARE(members, 253);

    // The hot and cold tables count over every stored draw, and sort as numbers.
    const QHash<QString, QStringList> all =
        printedFigures(runCommand(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--stats"), m_file}).out);
    auto *units = control<QTableView>(history, QStringLiteral("hot_cold(3)"));
    units->sortByColumn(HotColdModel::CurrentColumn, Qt::DescendingOrder);
    const QAbstractItemModel *table = units->model();
    int previous = INT_MAX;
    for (int row = 0; row < 10; ++row) {
        const QString name = QStringLiteral("pos4=") + table->index(row, HotColdModel::DigitColumn).data().toString();
        const int current = table->index(row, HotColdModel::CurrentColumn).data().toInt();
        QVERIFY(current <= previous);
        previous = current;
        QCOMPARE(QString::number(current), all[name][1]);
        QCOMPARE(table->index(row, HotColdModel::Last100Column).data().toString(), printed[name][0]);
    }
}

void TestTrend::followsTheStore()
{
    ModalRecorder modals;
    const std::unique_ptr<Fmain> window = startedWindow();
    QWidget *history = openTrend(window.get());
    chooseWindow(history, QStringLiteral("最近30期"));
    const QWidget *bigSmall = control<QWidget>(window.get(), QStringLiteral("C_bi(23)"));   // 大小大大
    QVERIFY(bigSmall->toolTip().startsWith(QStringLiteral("最近30期\n")));
    const int hits = tooltipFigure(bigSmall, QStringLiteral("出现次数")).toInt();

    // A new draw of that pattern is the newest hit.
    control<QPlainTextEdit>(history, QStringLiteral("T_history"))->setPlainText(QStringLiteral("2023151 9099"));
    control<QPushButton>(history, QStringLiteral("C_history_add"))->click();
    QCOMPARE(tooltipFigure(bigSmall, QStringLiteral("当前遗漏")), QStringLiteral("0"));
    const QAbstractItemModel *chart = control<QTableView>(history, QStringLiteral("trend_chart"))->model();
    QCOMPARE(chart->index(29, TrendModel::NumberColumn).data().toString(), QStringLiteral("9099"));
    QVERIFY(tooltipFigure(bigSmall, QStringLiteral("出现次数")).toInt() >= hits);
    QVERIFY(modals.messages.isEmpty());
}

void TestTrend::sheetIsUntouchedWithTheFiguresOff()
{
    const std::unique_ptr<Fmain> window = startedWindow();
    // A selected toggle and a ticked box keep their colours under a figure.
    button(window.get(), QStringLiteral("C_bi(23)"))->click();
    control<QAbstractButton>(window.get(), QStringLiteral("Check_hewei_sha1(3)"))->click();
    // The sheet above the tool strip, which tells of the draws as they come.
    const auto sheet = [&window] { return window->grab(QRect(0, 0, window->width(), window->toolStrip()->y())).toImage(); };
    const QImage bare = sheet();

    // Draws the sheet counts over; with the figures off it looks as before.
    QWidget *history = openTrend(window.get());
    control<QPlainTextEdit>(history, QStringLiteral("T_history"))->setPlainText(m_text);
    control<QPushButton>(history, QStringLiteral("C_history_add"))->click();
    QVERIFY(!control<QWidget>(window.get(), QStringLiteral("C_bi(23)"))->toolTip().isEmpty());
    QCOMPARE(sheet(), bare);

    auto *shown = control<QPushButton>(window.get(), QStringLiteral("C_show_omission"));
    QCOMPARE(shown->text(), QStringLiteral("显示遗漏"));
    shown->click();
    QVERIFY(shown->isChecked());
    QCOMPARE(button(window.get(), QStringLiteral("C_bi(23)"))->backColor(), Colour::Yellow);
    QCOMPARE(button(window.get(), QStringLiteral("C_bi(23)"))->text(), QStringLiteral("大小大大"));
    QVERIFY(sheet() != bare);
    shown->click();
    QCOMPARE(sheet(), bare);
}

void TestTrend::exportsTheWholeChart()
{
    ModalRecorder modals;
    const std::unique_ptr<Fmain> window = startedWindow();
    QWidget *history = openTrend(window.get());
    chooseWindow(history, QStringLiteral("最近50期"));
    const QString path = m_folder.filePath(QStringLiteral("chart.png"));
    FileDialogRecorder dialogs({path});
    control<QPushButton>(history, QStringLiteral("C_trend_export"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    // Every row, not only those on the screen: the 50 draws and 5 figures.
    const auto *chart = control<QTableView>(history, QStringLiteral("trend_chart"));
    const QSize size = QImageReader(path).size();
    QCOMPARE(size.width(), chart->horizontalHeader()->length());
    QVERIFY(size.height() >= 55 * chart->rowHeight(0));
    QVERIFY(size.height() < 56 * chart->rowHeight(0) + 100);
    QVERIFY(modals.messages.isEmpty());
}

QTEST_MAIN(TestTrend)
#include "tst_trend.moc"
