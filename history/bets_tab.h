#pragma once

#include "filters/bet_check.h"
#include "store/bets.h"

#include <QWidget>

class DrawStore;
class QCategoryAxis;
class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QTableWidget;
class QValueAxis;

// "投注记录": one row per recorded bet with what its issue's draw made of
// it; under the rows the totals beside what the same bets would have won by
// chance, and a chart of the cost and the prizes so far, issue by issue. The
// prize of a winning bet of each kind is the player's to set: until then,
// wins are counted and no money is guessed.
class BetsTab : public QWidget
{
    Q_OBJECT
public:
    explicit BetsTab(DrawStore &store, QWidget *parent = nullptr);

    // Reads the record again: a bet was recorded, or a draw checked one.
    void reload();
    // The table as shown, as a workbook or as CSV by the file's suffix.
    bool exportTable(const QString &path);

private:
    QChartView *makeChart();
    void showRecord();
    void drawChart(const QList<Bet> &bets, const PrizeAmounts &prizes);
    void deleteCurrentBet();
    void onExportClicked();

    DrawStore &m_store;
    QList<StoredBet> m_bets;
    QLineEdit *m_straightPrize = nullptr;
    QLineEdit *m_groupPrize = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_totals = nullptr;
    QLabel *m_chance = nullptr;
    QChartView *m_chart = nullptr;
    QLineSeries *m_cost = nullptr;
    QLineSeries *m_prizes = nullptr;
    QLineSeries *m_expected = nullptr;
    QCategoryAxis *m_issues = nullptr;
    QValueAxis *m_money = nullptr;
};
