#pragma once

#include "filters/tradeoff.h"

#include <QWidget>

class QChart;
class QChartView;
class QLineSeries;
class QLabel;
class QTableWidget;

// "容错取舍": the sheet's conditions under the total tolerance 0 to t, for
// every t until all is kept: the numbers kept against the draws kept, each
// beside chance, as a table and as a chart of the two shares.
class TradeoffTab : public QWidget
{
    Q_OBJECT
public:
    explicit TradeoffTab(QWidget *parent = nullptr);

    void setTradeoff(const QList<TradeoffRow> &rows);

private:
    QChart *makeChart();
    void drawChart(const QList<TradeoffRow> &rows);

    QLabel *m_explained = nullptr;
    QTableWidget *m_table = nullptr;
    QChartView *m_chart = nullptr;
    QLineSeries *m_low = nullptr;     // the band chance stays in 95% of the time
    QLineSeries *m_high = nullptr;
    QLineSeries *m_sheet = nullptr;   // the shares the sheet keeps
};
