#include "history/history_window.h"


#include "history/backtest_model.h"
#include "core/text.h"
#include "filters/chance.h"
#include "filters/shrink_run.h"
#include "filters/tradeoff.h"
#include "history/bar_chart.h"
#include "history/bets_tab.h"
#include "history/draw_statistics.h"
#include "history/draws_model.h"
#include "history/efficiency_tab.h"
#include "history/hot_cold.h"
#include "history/table_export.h"
#include "history/tradeoff_tab.h"
#include "history/trend_tab.h"
#include "net/draws_update.h"
#include "ui/file_dialog.h"
#include "ui/modal.h"
#include "ui/settings.h"
#include "ui/window_fit.h"

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// The draws a back-test covers: the last 10, 30 or 100, or all (0).
struct RangeChoice
{
    const char16_t *caption;
    int draws;
};
constexpr RangeChoice kRanges[] = {{u"最近10期", 10}, {u"最近30期", 30}, {u"最近100期", 100}, {u"全部", 0}};
constexpr int kDefaultRange = 1;
// The number of draws last chosen, kept between starts.
const QString kRangeKey = QStringLiteral("History/range");

// Smaller where the screen has less room.
constexpr QSize kWantedSize(1180, 760);

// More unstored lines than this are summed up in one last entry.
constexpr int kListedUnstored = 1000;

// The status line names this many conflicts and missing issues; its tooltip
// names more.
constexpr int kNamedInLine = 3;
constexpr int kNamedInTooltip = 50;

// The lines of a read text that hold no draw the store can keep, in the
// text's order: the line and why.
QList<std::pair<qsizetype, QString>> unstoredLines(const DrawHistory &history)
{
    QList<std::pair<qsizetype, QString>> lines;
    for (const MalformedLine &line : history.malformed)
        lines.append({line.line, line.excerpt});
    for (const Draw &draw : history.draws) {
        if (draw.issue.isEmpty())
            lines.append({draw.line, QStringLiteral("没有期号")});
    }
    std::sort(lines.begin(), lines.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return lines;
}

QString lineEntry(qsizetype line, const QString &why)
{
    return QStringLiteral("第 %1 行：%2").arg(line).arg(why);
}

QString percent(int part, int whole)
{
    return QString::number(whole == 0 ? 0.0 : 100.0 * part / whole, 'f', 1) + u'%';
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption = {})
{
    auto *label = new QLabel(caption, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

QStringList numberCaptions(int count)
{
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions.append(QString::number(i));
    return captions;
}

template<std::size_t N>
QList<double> asValues(const std::array<int, N> &counts)
{
    return QList<double>(counts.begin(), counts.end());
}
}

HistoryWindow::HistoryWindow(SheetAccess sheet, const ShrinkState &lastRun, DrawStore &draws, DrawsUpdate &update,
                             DrawStatistics &statistics, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_sheet(std::move(sheet))
    , m_lastRun(lastRun)
    , m_store(draws)
    , m_update(update)
    , m_statistics(statistics)
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("历史验证"));
    resize(kWantedSize);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("history_tabs"));
    m_tabs->addTab(buildBacktestTab(), QStringLiteral("历史验证"));
    m_tabs->addTab(buildDistributionTab(), QStringLiteral("结果分布"));
    m_efficiency = new EfficiencyTab(m_sheet.click);
    m_efficiency->setObjectName(QStringLiteral("history_efficiency"));
    m_tabs->addTab(m_efficiency, QStringLiteral("条件效率"));
    m_tradeoff = new TradeoffTab;
    m_tradeoff->setObjectName(QStringLiteral("history_tradeoff"));
    m_tabs->addTab(m_tradeoff, QStringLiteral("容错取舍"));
    m_trendTab = new TrendTab(m_statistics);
    m_tabs->addTab(m_trendTab, QStringLiteral("走势图"));
    m_tabs->addTab(new HotColdTab(m_statistics), QStringLiteral("冷热"));
    m_bets = new BetsTab(m_store);
    m_bets->setObjectName(QStringLiteral("history_bets"));
    m_tabs->addTab(m_bets, QStringLiteral("投注记录"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);

    // The box is kept a moment after the last key, not at every key.
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(500);
    connect(m_saveTimer, &QTimer::timeout, this, &HistoryWindow::saveHistory);

    const HistoryFile saved = read_history_file(savedHistoryPath());
    if (saved.status == HistoryFile::Read) {
        m_savedText = saved.text;
        m_box->setPlainText(saved.text);
    }
    connect(m_box, &QPlainTextEdit::textChanged, m_saveTimer, qOverload<>(&QTimer::start));

    connect(&m_update, &DrawsUpdate::finished, this, &HistoryWindow::showUpdate);
    if (m_update.lastReport())
        showUpdate(*m_update.lastReport());
    onSheetChanged();
}

HistoryWindow::~HistoryWindow()
{
    if (m_saveTimer->isActive()) {
        m_saveFailed = true;   // no message box while the window goes away
        saveHistory();
    }
}

QWidget *HistoryWindow::buildBacktestTab()
{
    auto *tab = new QWidget;

    // The status line spans the tab: it may name conflicts and gaps.
    auto *updateRow = new QHBoxLayout;
    m_updateButton = makeButton(tab, "C_update_draws", QStringLiteral("更新开奖"));
    m_drawsStatus = makeLabel(tab, "L_draws_status");
    m_drawsStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_drawsStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    updateRow->addWidget(m_updateButton);
    updateRow->addWidget(m_drawsStatus, 1);
    connect(m_updateButton, &QPushButton::clicked, this, &HistoryWindow::onUpdateClicked);

    auto *controls = new QHBoxLayout;
    auto *load = makeButton(tab, "C_history_load", QStringLiteral("载入开奖文件"));
    m_range = new QComboBox(tab);
    m_range->setObjectName(QStringLiteral("Com_history_range"));
    for (const RangeChoice &range : kRanges)
        m_range->addItem(QString::fromUtf16(range.caption), range.draws);
    const int remembered = m_range->findData(WindowSettings().value(kRangeKey, kRanges[kDefaultRange].draws).toInt());
    m_range->setCurrentIndex(remembered >= 0 ? remembered : kDefaultRange);
    auto *run = makeButton(tab, "C_history_run", QStringLiteral("开始验证"));
    auto *exportButton = makeButton(tab, "C_history_export", QStringLiteral("导出表格"));
    controls->addWidget(load);
    controls->addWidget(m_range);
    controls->addWidget(run);
    controls->addStretch(1);
    controls->addWidget(exportButton);

    m_summary = makeLabel(tab, "L_history_summary");
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chance = makeLabel(tab, "L_history_chance");
    m_chance->setWordWrap(true);
    m_chance->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new BacktestModel(this);
    m_table = new QTableView(tab);
    m_table->setObjectName(QStringLiteral("history_table"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Fixed widths: fitting to contents would measure every one of thousands of rows.
    m_table->horizontalHeader()->setDefaultSectionSize(66);
    m_table->verticalHeader()->setDefaultSectionSize(22);

    m_familyChart = make_bar_chart(tab, QStringLiteral("history_family_chart"));
    m_familyChart->setMinimumHeight(220);

    auto *right = new QVBoxLayout;
    right->addLayout(controls);
    right->addWidget(m_summary);
    right->addWidget(m_chance);
    right->addWidget(m_table, 3);
    right->addWidget(m_familyChart, 2);

    auto *columns = new QHBoxLayout;
    columns->addLayout(buildDrawsColumn(tab), 1);
    columns->addLayout(right, 2);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(updateRow);
    layout->addLayout(columns, 1);

    connect(load, &QPushButton::clicked, this, &HistoryWindow::onLoadClicked);
    connect(run, &QPushButton::clicked, this, &HistoryWindow::runBacktest);
    connect(m_range, &QComboBox::currentIndexChanged, this, [this] {
        WindowSettings().setValue(kRangeKey, m_range->currentData());
        runBacktest();
    });
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::onExportClicked);
    return tab;
}

// The store's draws, newest first, with their corrections; under them the box
// for pasted draws and the lines the store could not take.
QLayout *HistoryWindow::buildDrawsColumn(QWidget *tab)
{
    auto *column = new QVBoxLayout;
    m_drawsCount = makeLabel(tab, "L_draws_count");
    column->addWidget(m_drawsCount);
    m_drawsModel = new DrawsModel(m_store, this);
    m_drawsTable = new QTableView(tab);
    m_drawsTable->setObjectName(QStringLiteral("history_draws"));
    m_drawsTable->setModel(m_drawsModel);
    m_drawsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_drawsTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_drawsTable->horizontalHeader()->setDefaultSectionSize(76);
    m_drawsTable->horizontalHeader()->setStretchLastSection(true);
    m_drawsTable->verticalHeader()->hide();
    m_drawsTable->verticalHeader()->setDefaultSectionSize(22);
    column->addWidget(m_drawsTable, 3);
    connect(m_drawsModel, &DrawsModel::corrected, this, &HistoryWindow::runBacktest);
    connect(m_drawsModel, &DrawsModel::corrected, this, [this] { m_statistics.setDraws(m_drawsModel->draws()); });
    connect(m_drawsModel, &DrawsModel::refused, this, &HistoryWindow::showStoreRefusal);

    auto *edits = new QHBoxLayout;
    auto *correct = makeButton(tab, "C_draw_correct", QStringLiteral("修改"));
    auto *remove = makeButton(tab, "C_draw_delete", QStringLiteral("删除"));
    edits->addWidget(correct);
    edits->addWidget(remove);
    edits->addStretch(1);
    column->addLayout(edits);
    connect(correct, &QPushButton::clicked, this, &HistoryWindow::correctCurrentDraw);
    connect(remove, &QPushButton::clicked, this, &HistoryWindow::deleteSelectedDraws);

    column->addWidget(makeLabel(tab, nullptr, QStringLiteral("粘贴开奖号（每行一期，须有期号）：")));
    m_box = new QPlainTextEdit(tab);
    m_box->setObjectName(QStringLiteral("T_history"));
    m_box->setPlaceholderText(QStringLiteral("2024001 1234\n2024002 5 6 7 8\n……"));
    m_box->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A tab only ever separates the parts of a line, so the key moves on.
    m_box->setTabChangesFocus(true);
    column->addWidget(m_box, 2);
    auto *add = makeButton(tab, "C_history_add", QStringLiteral("存入开奖"));
    column->addWidget(add, 0, Qt::AlignLeft);
    connect(add, &QPushButton::clicked, this, &HistoryWindow::storePastedDraws);
    column->addWidget(makeLabel(tab, nullptr, QStringLiteral("未存入的行：")));
    m_malformed = new QListWidget(tab);
    m_malformed->setObjectName(QStringLiteral("Li_history_malformed"));
    column->addWidget(m_malformed, 1);
    return column;
}

QWidget *HistoryWindow::buildDistributionTab()
{
    auto *tab = new QWidget;
    m_survivorCount = makeLabel(tab, "L_survivor_count");
    m_sumChart = make_bar_chart(tab, QStringLiteral("survivor_sum_chart"));
    m_spanChart = make_bar_chart(tab, QStringLiteral("survivor_span_chart"));
    m_shapeChart = make_bar_chart(tab, QStringLiteral("survivor_shape_chart"));
    auto *lower = new QHBoxLayout;
    lower->addWidget(m_spanChart);
    lower->addWidget(m_shapeChart);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(m_survivorCount);
    layout->addWidget(m_sumChart, 1);
    layout->addLayout(lower, 1);
    return tab;
}

void HistoryWindow::onShrinkRun()
{
    m_stale = true;
    if (isVisible())
        refresh();
}

void HistoryWindow::onSheetChanged()
{
    const SheetRecord sheet = m_sheet.read();
    m_efficiency->setOnSheet(sheet.selected + sheet.checked);
}

void HistoryWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fit_into_screen(this, size());
    if (m_stale)
        refresh();
}

void HistoryWindow::refresh()
{
    m_stale = false;
    showDraws();
    drawDistribution();
}

void HistoryWindow::showTrend()
{
    m_tabs->setCurrentWidget(m_trendTab);
}

// Another program may have written the store meanwhile.
void HistoryWindow::showDraws()
{
    m_drawsModel->reload();
    m_statistics.setDraws(m_drawsModel->draws());
    m_drawsCount->setText(QStringLiteral("开奖号（共 %1 期）：").arg(m_drawsModel->rowCount()));
    runBacktest();
    showBets();
    emit drawsChanged();
}

void HistoryWindow::showBets()
{
    m_bets->reload();
}

void HistoryWindow::runBacktest()
{
    QList<Draw> stored;
    stored.reserve(m_drawsModel->draws().size());
    for (const StoredDraw &draw : m_drawsModel->draws())
        stored.append(Draw{.issue = draw.issue, .number = draw.number, .date = draw.date});
    const QList<Draw> draws = recent_draws(stored, m_range->currentData().toInt());
    QList<int> numbers;
    numbers.reserve(draws.size());
    for (const Draw &draw : draws)
        numbers.append(draw.number);

    run_shrink(selections_from_record(m_sheet.read()), m_backtestRun);
    const CandidateMatrix &matrix = *m_backtestRun.matrix;
    const QList<BacktestRow> rows = backtest(matrix, numbers);
    m_model->setBacktest(draws, rows, active_families(matrix));
    QHeaderView *header = m_table->horizontalHeader();
    header->resizeSection(0, 90);
    // A family column is as wide as its name: fitting it to its contents
    // would measure every row.
    const QFontMetrics metrics(header->font());
    const int firstFamily = m_model->columnCount() - int(m_model->families().size());
    for (int column = firstFamily; column < m_model->columnCount(); ++column) {
        const QString name = m_model->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(column, std::max(header->defaultSectionSize(), metrics.horizontalAdvance(name) + 16));
    }
    const BacktestSummary summary = summarize_backtest(rows);
    showSummary(summary);
    m_chance->setText(summary.draws == 0 ? QString() : chance_line(chance_of_run(matrix, summary.draws, summary.kept)));
    m_efficiency->setDraws(numbers, m_range->currentText());
    m_tradeoff->setTradeoff(tolerance_tradeoff(matrix, m_backtestRun.BaseSetActive, numbers));
}

void HistoryWindow::showUnstored(const QStringList &entries)
{
    m_malformed->clear();
    m_malformed->addItems(entries.mid(0, kListedUnstored));
    if (entries.size() > kListedUnstored)
        m_malformed->addItem(QStringLiteral("……另有 %1 行未存入").arg(entries.size() - kListedUnstored));
}

bool HistoryWindow::storePastedDraws()
{
    const QString text = m_box->toPlainText();
    const DrawHistory pasted = read_draw_history(text);
    const std::optional<WriteOutcome> outcome = storeDraws(pasted, DrawSource::Manual);
    if (!outcome)
        return false;
    // The box keeps what the store could not take, numbered afresh, for the
    // player to mend.
    const QStringList lines = split_lines(text);
    QStringList kept;
    QStringList entries;
    for (const auto &[line, why] : unstoredLines(pasted)) {
        kept.append(lines.value(line - 1));
        entries.append(lineEntry(kept.size(), why));
    }
    m_box->setPlainText(kept.join(u'\n'));
    saveHistory();
    showUnstored(entries);
    showEntries(QStringLiteral("存入开奖"), *outcome, entries.size());
    showDraws();
    return true;
}

void HistoryWindow::showEntries(const QString &what, const WriteOutcome &outcome, qsizetype unstored)
{
    QString text = QStringLiteral("%1：新增 %2 期，更改 %3 期").arg(what).arg(outcome.added).arg(outcome.changed);
    if (unstored > 0)
        text += QStringLiteral("；%1 行未存入").arg(unstored);
    m_drawsStatus->setText(text);
    m_drawsStatus->setToolTip(QString());
}

std::optional<WriteOutcome> HistoryWindow::storeDraws(const DrawHistory &history, DrawSource source)
{
    if (history.draws.size() > kMaxDrawsPerWrite) {
        show_message(this, QStringLiteral("一次最多存入 %1 期开奖号，这里有 %2 期，请分几次存入。")
                               .arg(kMaxDrawsPerWrite).arg(history.draws.size()),
                     QStringLiteral("错误提示"));
        return std::nullopt;
    }
    const WriteOutcome outcome = m_store.enter(history.draws, source);
    if (!outcome.written) {
        showStoreRefusal();
        return std::nullopt;
    }
    return outcome;
}

void HistoryWindow::showStoreRefusal()
{
    show_message(this, QStringLiteral("开奖号无法写入开奖数据库：\n%1").arg(m_store.lastError()),
                 QStringLiteral("错误提示"));
}

void HistoryWindow::onUpdateClicked()
{
    m_updateButton->setEnabled(false);
    m_drawsStatus->setText(QStringLiteral("正在更新开奖……"));
    m_update.start();
}

void HistoryWindow::showUpdate(const DrawsUpdateReport &report)
{
    m_updateButton->setEnabled(true);
    m_drawsStatus->setText(describe_update(report, kNamedInLine));
    m_drawsStatus->setToolTip(describe_update(report, kNamedInTooltip).replace(u'；', u'\n'));
    if (report.outcome != DrawsUpdateReport::Merged)
        return;
    if (isVisible())
        showDraws();
    else
        m_stale = true;
}

void HistoryWindow::deleteSelectedDraws()
{
    QStringList issues;
    for (const QModelIndex &row : m_drawsTable->selectionModel()->selectedRows())
        issues.append(m_drawsModel->drawAt(row.row()).issue);
    if (issues.isEmpty())
        return;
    const QString which = issues.size() == 1 ? QStringLiteral("第 %1 期").arg(issues.constFirst())
                                             : QStringLiteral("选中的 %1 期").arg(issues.size());
    if (!ask_question(this, QStringLiteral("删除%1开奖号？").arg(which), QStringLiteral("提示")))
        return;
    if (!m_store.remove(issues))
        showStoreRefusal();
    showDraws();
}

void HistoryWindow::correctCurrentDraw()
{
    const QModelIndex current = m_drawsTable->currentIndex();
    if (current.isValid())
        m_drawsTable->edit(current.siblingAtColumn(DrawsModel::NumberColumn));
}

void HistoryWindow::showSummary(const BacktestSummary &summary)
{
    if (summary.draws == 0) {
        m_summary->setText(QStringLiteral("没有可验证的开奖号"));
        set_bars(m_familyChart, QStringLiteral("各条件杀掉开奖号的比例（%）"), {}, {}, 0);
        return;
    }
    QString text = QStringLiteral("保留 %1 / %2 期（%3）")
                       .arg(summary.kept).arg(summary.draws).arg(percent(summary.kept, summary.draws));
    QStringList families;
    QStringList captions;
    QList<double> shares;
    for (const Family *family : m_model->families()) {
        const int killed = summary.markedBy[size_t(family->index())];
        const QString caption = family->displayName();
        families.append(QStringLiteral("%1 杀掉 %2 期（%3）").arg(caption).arg(killed).arg(percent(killed, summary.draws)));
        captions.append(caption);
        shares.append(100.0 * killed / summary.draws);
    }
    text += u'\n';
    text += families.isEmpty() ? QStringLiteral("当前条件没有杀掉任何号码") : families.join(QStringLiteral("；"));
    m_summary->setText(text);
    set_bars(m_familyChart, QStringLiteral("各条件杀掉开奖号的比例（%）"), captions, shares, 0);
}

void HistoryWindow::drawDistribution()
{
    if (!m_lastRun.matrix)
        return;
    const SurvivorDistribution d = survivor_distribution(*m_lastRun.matrix);
    m_survivorCount->setText(QStringLiteral("最后一次缩水保留 %1 注").arg(d.survivors));
    set_bars(m_sumChart, QStringLiteral("和值分布"), numberCaptions(int(d.sums.size())), asValues(d.sums), 0);
    set_bars(m_spanChart, QStringLiteral("跨度分布"), numberCaptions(int(d.spans.size())), asValues(d.spans), 0);
    QStringList shapes;
    for (int shape = 0; shape < kRepetitionShapeCount; ++shape)
        shapes.append(repetition_caption(shape).toString());
    set_bars(m_shapeChart, QStringLiteral("形态分布"), shapes, asValues(d.shapes), 0);
}

void HistoryWindow::onLoadClicked()
{
    FileRequest request;
    request.kind = FileRequest::Open;
    request.title = QStringLiteral("载入开奖文件");
    request.filter = QStringLiteral("开奖文件 (*.txt *.csv);;所有文件 (*)");
    const QString path = choose_file(this, request);
    if (!path.isEmpty())
        loadHistoryFile(path);
}

bool HistoryWindow::loadHistoryFile(const QString &path)
{
    const HistoryFile file = read_history_file(path);
    if (file.status != HistoryFile::Read) {
        show_message(this,
                     QStringLiteral("无法读取开奖文件：\n%1\n%2").arg(QDir::toNativeSeparators(path), history_file_problem(file)),
                     QStringLiteral("错误提示"));
        return false;
    }
    const DrawHistory loaded = read_draw_history(file.text);
    const std::optional<WriteOutcome> outcome = storeDraws(loaded, DrawSource::File);
    if (!outcome)
        return false;
    QStringList entries;
    for (const auto &[line, why] : unstoredLines(loaded))
        entries.append(lineEntry(line, why));
    showUnstored(entries);
    showEntries(QStringLiteral("载入 %1").arg(QFileInfo(path).fileName()), *outcome, entries.size());
    showDraws();
    return true;
}

void HistoryWindow::onExportClicked()
{
    if (m_model->rowCount() == 0) {
        show_message(this, QStringLiteral("没有可导出的验证结果"), QStringLiteral("温馨提示"));
        return;
    }
    const QString path = choose_table_file(this, QStringLiteral("导出表格"), QStringLiteral("历史验证"));
    if (!path.isEmpty())
        exportTable(path);
}

bool HistoryWindow::exportTable(const QString &path)
{
    return write_shown_table(this, path, *m_model, QStringLiteral("历史验证"));
}

QString HistoryWindow::savedHistoryPath()
{
    // Not the history.txt this box was kept in before there was a store: a
    // store made anew takes its draws from that file, which stays whole.
    return QDir(default_draws_folder()).filePath(QStringLiteral("pasted.txt"));
}

void HistoryWindow::saveHistory()
{
    m_saveTimer->stop();
    const QString text = m_box->toPlainText();
    if (text == m_savedText)
        return;
    QDir().mkpath(QFileInfo(savedHistoryPath()).absolutePath());
    QSaveFile file(savedHistoryPath());
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit()) {
        m_savedText = text;
        return;
    }
    // Said once: the box keeps working, only the copy for the next start is missing.
    if (!m_saveFailed)
        show_message(this, QStringLiteral("开奖号无法保存到：\n%1").arg(QDir::toNativeSeparators(savedHistoryPath())),
                     QStringLiteral("错误提示"));
    m_saveFailed = true;
}
