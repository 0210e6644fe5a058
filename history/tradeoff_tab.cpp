#include "history/tradeoff_tab.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
struct ColumnHead
{
    const char16_t *title;
    int width;
};
constexpr ColumnHead kColumns[] = {{u"总容错", 100}, {u"保留注数", 150}, {u"保留期数", 100}, {u"随机期望", 100},
                                   {u"95%范围", 100}, {u"P值", 100}, {u"结论", 0}};
constexpr int kColumnCount = int(std::size(kColumns));

QString percentOf(double share)
{
    return QString::number(100.0 * share, 'f', 2) + u'%';
}

QValueAxis *percentAxis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, 100);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTickCount(6);
    return axis;
}
}

TradeoffTab::TradeoffTab(QWidget *parent)
    : QWidget(parent)
{
    m_explained = new QLabel(this);
    m_explained->setObjectName(QStringLiteral("L_tradeoff"));
    m_explained->setWordWrap(true);

    // A row per tolerance, a dozen at most: a plain table serves.
    m_table = new QTableWidget(0, kColumnCount, this);
    m_table->setObjectName(QStringLiteral("tradeoff_table"));
    for (int c = 0; c < kColumnCount; ++c) {
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf16(kColumns[c].title)));
        m_table->horizontalHeader()->resizeSection(c, kColumns[c].width);
    }
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    // The verdict takes the rest.
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_chart = new QChartView(makeChart(), this);
    m_chart->setObjectName(QStringLiteral("tradeoff_chart"));
    m_chart->setRenderHint(QPainter::Antialiasing);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_explained);
    layout->addWidget(m_table, 2);
    layout->addWidget(m_chart, 3);
}

// The share of draws kept against the share of numbers kept. Chance keeps
// as large a share of draws as of numbers, so a sheet that beats it stands
// above the diagonal and above the band chance stays in 95% of the time.
QChart *TradeoffTab::makeChart()
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignRight);

    // The area series does not own its edges: the chart does.
    m_low = new QLineSeries(chart);
    m_high = new QLineSeries(chart);
    auto *band = new QAreaSeries(m_high, m_low);
    band->setName(QStringLiteral("随机 95% 范围"));
    band->setColor(QColor(160, 160, 160, 70));
    band->setBorderColor(QColor(160, 160, 160, 120));
    auto *chance = new QLineSeries;
    chance->setName(QStringLiteral("随机选号"));
    chance->append(0, 0);
    chance->append(100, 100);
    chance->setPen(QPen(Qt::gray, 1.5, Qt::DashLine));
    m_sheet = new QLineSeries;
    m_sheet->setName(QStringLiteral("当前条件（容错 0、1、2……）"));
    m_sheet->setPointsVisible(true);
    m_sheet->setPen(QPen(QColor(200, 40, 40), 2));

    auto *x = percentAxis(QStringLiteral("保留号码占比（%）"));
    auto *y = percentAxis(QStringLiteral("保留开奖号占比（%）"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : std::initializer_list<QAbstractSeries *>{band, chance, m_sheet}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

void TradeoffTab::setTradeoff(const QList<TradeoffRow> &rows)
{
    const int draws = rows.isEmpty() ? 0 : rows.first().chance.draws;
    m_explained->setText(
        QStringLiteral("当前条件在总容错 0～0、0～1、0～2……下各保留多少号码，%1 期开奖中保留多少期（来自同一次缩水）。"
                       "容错越大，保留的号码越多，保留开奖号也越容易；只有比随机选同样多的号码保留得多，条件才有用。")
            .arg(draws));
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const ChanceFigures &chance = rows[r].chance;
        const QString cells[kColumnCount] = {
            QStringLiteral("0～%1").arg(rows[r].tolerance),
            QStringLiteral("%1（%2）").arg(chance.numbersKept).arg(percentOf(chance.share)),
            QStringLiteral("%1 / %2").arg(chance.kept).arg(chance.draws),
            expected_draws_text(chance.draws, chance.numbersKept),
            QStringLiteral("%1～%2").arg(chance.range.low).arg(chance.range.high),
            p_value_text(chance.pValue),
            chance_verdict_text(chance.verdict),
        };
        for (int c = 0; c < kColumnCount; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(r, c, item);
        }
    }
    drawChart(rows);
}

void TradeoffTab::drawChart(const QList<TradeoffRow> &rows)
{
    const int draws = rows.isEmpty() ? 0 : rows.first().chance.draws;
    m_chart->chart()->setTitle(draws == 0 ? QStringLiteral("没有可验证的开奖号") : QStringLiteral("保留号码与保留开奖号"));
    QList<QPointF> low, high, sheet;
    for (const TradeoffRow &row : draws == 0 ? QList<TradeoffRow>() : rows) {
        const ChanceFigures &f = row.chance;
        const double x = 100.0 * f.share;
        low.append({x, 100.0 * f.range.low / draws});
        high.append({x, 100.0 * f.range.high / draws});
        sheet.append({x, 100.0 * f.kept / draws});
    }
    m_low->replace(low);
    m_high->replace(high);
    m_sheet->replace(sheet);
}
