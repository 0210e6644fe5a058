#pragma once

#include "store/draw_store.h"

#include <QAbstractTableModel>

// The draws of the store, newest first: 期号, 开奖号, 日期, 来源. A number
// typed into the 开奖号 column corrects that draw in the store, as the
// player's own entry.
class DrawsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { IssueColumn, NumberColumn, DateColumn, SourceColumn, ColumnCount };

    explicit DrawsModel(DrawStore &store, QObject *parent = nullptr);

    // Reads the store again.
    void reload();
    // Oldest first, as the store keeps them.
    const QList<StoredDraw> &draws() const { return m_draws; }
    const StoredDraw &drawAt(int row) const { return m_draws[m_draws.size() - 1 - row]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Four digits, or nothing changes.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // A draw was corrected in the store.
    void corrected();
    // The store refused a correction.
    void refused();

private:
    DrawStore &m_store;
    QList<StoredDraw> m_draws;
};
