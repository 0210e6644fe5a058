#pragma once

#include "core/history.h"
#include "filters/backtest.h"

#include <QAbstractTableModel>

// One row per back-tested draw: 期号, 开奖号, 保留/杀掉, 失败条件数, then one
// column per active condition family, marked where the family marks the draw.
class BacktestModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `draws` and `rows` pair up by index; `active` picks the family columns.
    void setBacktest(const QList<Draw> &draws, const QList<BacktestRow> &rows, FamilySet active);

    // The family of each family column, in column order.
    const QList<const Family *> &families() const { return m_families; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Draw> m_draws;
    QList<BacktestRow> m_rows;
    QList<const Family *> m_families;
};
