#include "history/history_window.h"

#include "export/table_file.h"

#include "history/backtest_model.h"
#include "filters/shrink_run.h"
#include "history/bar_chart.h"
#include "ui/file_dialog.h"
#include "ui/modal.h"
#include "ui/settings.h"
#include "ui/window_fit.h"

#include <QChartView>
#include <QComboBox>
#include <QDateTime>
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

// More malformed lines than this are summed up in one last entry.
constexpr int kListedMalformed = 1000;

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

HistoryWindow::HistoryWindow(SelectionsSource currentSelections, const ShrinkState &lastRun, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_currentSelections(std::move(currentSelections))
    , m_lastRun(lastRun)
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("历史验证"));
    resize(kWantedSize);

    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("history_tabs"));
    tabs->addTab(buildBacktestTab(), QStringLiteral("历史验证"));
    tabs->addTab(buildDistributionTab(), QStringLiteral("结果分布"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs);

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

    auto *left = new QVBoxLayout;
    left->addWidget(makeLabel(tab, nullptr, QStringLiteral("开奖号（每行一期）：")));
    m_box = new QPlainTextEdit(tab);
    m_box->setObjectName(QStringLiteral("T_history"));
    m_box->setPlaceholderText(QStringLiteral("2024001 1234\n2024002 5 6 7 8\n……"));
    m_box->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A tab only ever separates the parts of a line, so the key moves on.
    m_box->setTabChangesFocus(true);
    left->addWidget(m_box, 3);
    left->addWidget(makeLabel(tab, nullptr, QStringLiteral("无法识别的行：")));
    m_malformed = new QListWidget(tab);
    m_malformed->setObjectName(QStringLiteral("Li_history_malformed"));
    left->addWidget(m_malformed, 1);

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
    right->addWidget(m_table, 3);
    right->addWidget(m_familyChart, 2);

    auto *layout = new QHBoxLayout(tab);
    layout->addLayout(left, 1);
    layout->addLayout(right, 3);

    connect(load, &QPushButton::clicked, this, &HistoryWindow::onLoadClicked);
    connect(run, &QPushButton::clicked, this, &HistoryWindow::runBacktest);
    connect(m_range, &QComboBox::currentIndexChanged, this, [this] {
        WindowSettings().setValue(kRangeKey, m_range->currentData());
        runBacktest();
    });
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::onExportClicked);
    return tab;
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
    runBacktest();
    drawDistribution();
}

void HistoryWindow::runBacktest()
{
    const DrawHistory history = read_draw_history(m_box->toPlainText());
    showMalformed(history.malformed);
    const QList<Draw> draws = recent_draws(history.draws, m_range->currentData().toInt());
    QList<int> numbers;
    numbers.reserve(draws.size());
    for (const Draw &draw : draws)
        numbers.append(draw.number);

    run_shrink(m_currentSelections(), m_backtestRun);
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
    showSummary(summarize_backtest(rows));
    saveHistory();
}

void HistoryWindow::showMalformed(const QList<MalformedLine> &malformed)
{
    m_malformed->clear();
    QStringList entries;
    for (qsizetype i = 0; i < malformed.size() && i < kListedMalformed; ++i)
        entries.append(QStringLiteral("第 %1 行：%2").arg(malformed[i].line).arg(malformed[i].excerpt));
    if (malformed.size() > kListedMalformed)
        entries.append(QStringLiteral("……另有 %1 行无法识别").arg(malformed.size() - kListedMalformed));
    m_malformed->addItems(entries);
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
    m_box->setPlainText(file.text);
    runBacktest();
    return true;
}

void HistoryWindow::onExportClicked()
{
    if (m_model->rowCount() == 0) {
        show_message(this, QStringLiteral("没有可导出的验证结果"), QStringLiteral("温馨提示"));
        return;
    }
    FileRequest request;
    request.kind = FileRequest::Save;
    request.title = QStringLiteral("导出表格");
    request.suggestedName =
        QStringLiteral("历史验证-%1.xlsx").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    request.filter = table_file_filter();
    request.defaultSuffix = QStringLiteral("xlsx");
    const QString path = choose_file(this, request);
    if (!path.isEmpty())
        exportTable(path);
}

bool HistoryWindow::exportTable(const QString &path)
{
    const bool written = write_table_file(path, table_of_model(*m_model, QStringLiteral("历史验证")));
    if (!written)
        show_message(this, QStringLiteral("无法写入文件：\n%1").arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("错误提示"));
    return written;
}

QString HistoryWindow::savedHistoryPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("history.txt"));
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
