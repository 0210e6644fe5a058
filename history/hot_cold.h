#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <array>
#include <span>

class DrawStatistics;

// 冷热 of one position: each digit, its hits in the last 10, 30 and 100
// draws, and its current omission over every stored draw. The figures are
// numbers, so a sorting proxy orders them as numbers.
class HotColdModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { DigitColumn, Last10Column, Last30Column, Last100Column, CurrentColumn, ColumnCount };

    HotColdModel(int position, QObject *parent = nullptr);

    // Every stored draw, oldest first.
    void setNumbers(std::span<const int> numbers);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    int m_position;
    std::array<std::array<int, ColumnCount>, 10> m_figures{};
};

// "冷热": a sortable table per position.
class HotColdTab : public QWidget
{
    Q_OBJECT
public:
    HotColdTab(DrawStatistics &statistics, QWidget *parent = nullptr);

private:
    void showDraws();

    DrawStatistics &m_statistics;
    std::array<HotColdModel *, 4> m_models{};
};
