#include "history/bets_tab.h"

#include "core/shrink.h"
#include "filters/chance.h"
#include "history/table_export.h"
#include "store/draw_store.h"
#include "ui/modal.h"
#include "ui/settings.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace {
enum Column { Issue, Kind, Count, Cost, Drawn, Result, Prize, ColumnCount };
constexpr const char16_t *kColumns[ColumnCount] = {u"期号", u"类型", u"注数", u"金额（元）",
                                                   u"开奖号", u"结果", u"奖金（元）"};

// The prize of one winning bet of each kind, kept between starts; no key
// while the player has not set it.
struct PrizeSetting
{
    BetKind kind;
    const char *name;
    const char16_t *caption;
    const char *key;
};
constexpr PrizeSetting kPrizeSettings[] = {
    {BetKind::Straight, "T_prize_straight", u"直选奖金", "Bets/straightPrize"},
    {BetKind::Group, "T_prize_group", u"组选奖金", "Bets/groupPrize"},
};

// The issue axis names this many issues at most, evenly spread.
constexpr int kNamedIssues = 10;

std::optional<qint64> amountOf(const QLineEdit *box)
{
    return box->text().isEmpty() ? std::nullopt : std::optional(box->text().toLongLong());
}

QStringList cellsOf(const Bet &bet, const PrizeAmounts &prizes)
{
    QString prize;
    if (bet.result() != BetResult::Pending) {
        const std::optional<qint64> won = bet_prize(bet, prizes);
        prize = won ? QString::number(*won) : QStringLiteral("未设");
    }
    return {bet.issue,
            bet_kind_text(bet.kind),
            QString::number(bet.count()),
            QString::number(bet.cost()),
            bet.drawn ? four_digits(*bet.drawn) : QString(),
            bet_result_text(bet),
            prize};
}

QString totalsText(const BetTotals &t)
{
    if (t.records == 0)
        return QStringLiteral("还没有记入的投注：缩水后在主窗口填好期号，按“记入投注”。");
    const QString placed = QStringLiteral("共 %1 次投注，%2 注，花费 %3 元").arg(t.records).arg(t.bets).arg(t.cost);
    if (t.drawn == 0)
        return placed + QStringLiteral("；都还没有开奖。");
    QString text = placed + QStringLiteral("；已开奖 %1 次（花费 %2 元），中奖 %3 次").arg(t.drawn).arg(t.drawnCost).arg(t.wins);
    if (!t.prizes)
        return text + QStringLiteral("；奖金未设，不计金额。");
    const double share = t.drawnCost == 0 ? 0.0 : 100.0 * double(*t.prizes) / double(t.drawnCost);
    return text + QStringLiteral("，奖金 %1 元，回报为花费的 %2%。").arg(*t.prizes).arg(share, 0, 'f', 1);
}

QString chanceText(const BetTotals &t)
{
    if (t.drawn == 0)
        return {};
    QString text = QStringLiteral("随机对比：随机选同样多的号码投这 %1 次，平均中奖 %2 次")
                       .arg(t.drawn)
                       .arg(ten_thousandths_text(t.expectedWins));
    if (t.expectedPrizes)
        text += QStringLiteral("，平均奖金 %1 元").arg(ten_thousandths_text(*t.expectedPrizes));
    return text + QStringLiteral("（一注组选按它的每种排列算）。");
}
}

BetsTab::BetsTab(DrawStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
{
    auto *tools = new QHBoxLayout;
    for (const PrizeSetting &setting : kPrizeSettings) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(setting.name));
        box->setPlaceholderText(QStringLiteral("未设"));
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9]{0,8}")), box));
        box->setFixedWidth(90);
        box->setText(WindowSettings().value(QLatin1String(setting.key)).toString());
        tools->addWidget(new QLabel(QString::fromUtf16(setting.caption), this));
        tools->addWidget(box);
        tools->addWidget(new QLabel(QStringLiteral("元"), this));
        connect(box, &QLineEdit::textChanged, this, [this, key = setting.key](const QString &amount) {
            if (amount.isEmpty())
                WindowSettings().remove(QLatin1String(key));
            else
                WindowSettings().setValue(QLatin1String(key), amount);
            showRecord();
        });
        (setting.kind == BetKind::Straight ? m_straightPrize : m_groupPrize) = box;
    }
    tools->addStretch(1);
    auto *remove = new QPushButton(QStringLiteral("删除"), this);
    remove->setObjectName(QStringLiteral("C_bet_delete"));
    auto *exportButton = new QPushButton(QStringLiteral("导出表格"), this);
    exportButton->setObjectName(QStringLiteral("C_bet_export"));
    tools->addWidget(remove);
    tools->addWidget(exportButton);
    connect(remove, &QPushButton::clicked, this, &BetsTab::deleteCurrentBet);
    connect(exportButton, &QPushButton::clicked, this, &BetsTab::onExportClicked);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("bets_table"));
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf16(kColumns[c])));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("L_bet_totals"));
    m_chance = new QLabel(this);
    m_chance->setObjectName(QStringLiteral("L_bet_chance"));
    for (QLabel *label : {m_totals, m_chance}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_totals);
    layout->addWidget(m_chance);
    layout->addWidget(makeChart(), 2);
    reload();
}

QChartView *BetsTab::makeChart()
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignRight);
    m_cost = new QLineSeries;
    m_cost->setName(QStringLiteral("累计花费"));
    m_cost->setPen(QPen(QColor(200, 40, 40), 2));
    m_prizes = new QLineSeries;
    m_prizes->setName(QStringLiteral("累计奖金"));
    m_prizes->setPen(QPen(QColor(30, 120, 40), 2));
    m_expected = new QLineSeries;
    m_expected->setName(QStringLiteral("随机选号的平均奖金"));
    m_expected->setPen(QPen(Qt::gray, 1.5, Qt::DashLine));
    for (QLineSeries *series : {m_cost, m_prizes, m_expected})
        series->setPointsVisible(true);

    m_issues = new QCategoryAxis;
    m_issues->setTitleText(QStringLiteral("期号"));
    m_issues->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_money = new QValueAxis;
    m_money->setTitleText(QStringLiteral("元"));
    m_money->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_issues, Qt::AlignBottom);
    chart->addAxis(m_money, Qt::AlignLeft);
    for (QLineSeries *series : {m_cost, m_prizes, m_expected}) {
        chart->addSeries(series);
        series->attachAxis(m_issues);
        series->attachAxis(m_money);
    }
    m_chart = new QChartView(chart, this);
    m_chart->setObjectName(QStringLiteral("bets_chart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(200);
    return m_chart;
}

void BetsTab::reload()
{
    m_bets = m_store.bets();
    showRecord();
}

void BetsTab::showRecord()
{
    const PrizeAmounts prizes{amountOf(m_straightPrize), amountOf(m_groupPrize)};
    QList<Bet> bets;
    m_table->setRowCount(int(m_bets.size()));
    for (int row = 0; row < m_bets.size(); ++row) {
        const Bet &bet = m_bets[row].bet;
        bets.append(bet);
        const QStringList cells = cellsOf(bet, prizes);
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            if (c == Result && bet.result() == BetResult::Won)
                item->setBackground(QColor(200, 240, 200));
            m_table->setItem(row, c, item);
        }
    }
    const BetTotals totals = bet_totals(bets, prizes);
    m_totals->setText(totalsText(totals));
    m_chance->setText(chanceText(totals));
    drawChart(bets, prizes);
}

// Cost, prizes and what chance gives on average, summed issue by issue.
// Where a prize the lines need is not set, they are left out rather than
// guessed.
void BetsTab::drawChart(const QList<Bet> &bets, const PrizeAmounts &prizes)
{
    QList<QPointF> cost, won, expected;
    QStringList issues;
    BetTotals sums;
    for (qsizetype i = 0; i < bets.size(); ++i) {
        sums.add(bets[i], prizes);
        // One point per issue, after its last bet.
        if (i + 1 < bets.size() && bets[i + 1].issue == bets[i].issue)
            continue;
        const qreal x = qreal(issues.size());
        issues.append(bets[i].issue);
        cost.append({x, double(sums.cost)});
        won.append({x, double(sums.prizes.value_or(0))});
        expected.append({x, double(sums.expectedPrizes.value_or(0)) / kCandidateCount});
    }
    m_cost->replace(cost);
    m_prizes->replace(won);
    m_expected->replace(expected);
    const bool prizesKnown = sums.prizes && sums.expectedPrizes;
    m_prizes->setVisible(prizesKnown);
    m_expected->setVisible(prizesKnown);
    m_chart->chart()->setTitle(prizesKnown ? QStringLiteral("逐期累计的花费与奖金")
                                           : QStringLiteral("逐期累计的花费（填好奖金后显示奖金）"));

    for (const QString &label : m_issues->categoriesLabels())
        m_issues->remove(label);
    const qsizetype step = std::max<qsizetype>(1, (issues.size() + kNamedIssues - 1) / kNamedIssues);
    for (qsizetype i = 0; i < issues.size(); i += step)
        m_issues->append(issues[i], qreal(i));
    m_issues->setRange(-0.5, std::max<qreal>(0.5, qreal(issues.size()) - 0.5));
    double highest = double(sums.cost);
    for (const QList<QPointF> *line : {&won, &expected}) {
        for (const QPointF &point : *line)
            highest = std::max(highest, point.y());
    }
    m_money->setRange(0, std::max(10.0, highest * 1.1));
    m_money->applyNiceNumbers();
}

void BetsTab::deleteCurrentBet()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_bets.size())
        return;
    const StoredBet &stored = m_bets[row];
    const QString question = QStringLiteral("删除第 %1 期的这次%2投注（%3 注）？")
                                 .arg(stored.bet.issue, bet_kind_text(stored.bet.kind))
                                 .arg(stored.bet.count());
    if (!ask_question(this, question, QStringLiteral("提示")))
        return;
    if (!m_store.removeBet(stored.id))
        show_message(this, QStringLiteral("投注无法从开奖数据库删除：\n%1").arg(m_store.lastError()),
                     QStringLiteral("错误提示"));
    reload();
}

void BetsTab::onExportClicked()
{
    if (m_bets.isEmpty()) {
        show_message(this, QStringLiteral("没有可导出的投注"), QStringLiteral("温馨提示"));
        return;
    }
    const QString path = choose_table_file(this, QStringLiteral("导出投注记录"), QStringLiteral("投注记录"));
    if (!path.isEmpty())
        exportTable(path);
}

bool BetsTab::exportTable(const QString &path)
{
    return write_shown_table(this, path, *m_table->model(), QStringLiteral("投注记录"));
}
