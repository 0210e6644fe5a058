#pragma once

#include "filters/omission.h"
#include "store/draw_store.h"

#include <QAbstractTableModel>
#include <array>
#include <optional>

// The trend chart (走势图) of a window of draws: one row per draw, oldest at
// the top, then the rows of figures. For each position a block of ten digit
// columns: the drawn digit, and in the other columns the current omission
// at that draw. Worked out once per window into compact arrays, so the view
// asks for any cell of 10,000 draws at no cost.
class TrendModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        IssueColumn,
        NumberColumn,
        FirstDigitColumn,
        SumColumn = FirstDigitColumn + 40,
        SpanColumn,
        RouteColumn,
        BigSmallColumn,
        OddEvenColumn,
        ShapeColumn,
        ColumnCount
    };
    // The rows under the draws, each figure of every digit column.
    enum FigureRow { HitsRow, AverageRow, LongestOmissionRow, LongestStreakRow, CurrentRow, FigureRowCount };
    enum Role {
        // On a digit column of a draw row: the digit drawn at its position.
        DrawnDigitRole = Qt::UserRole,
        // On the header of a digit column: the position's name.
        PositionNameRole,
    };

    // A digit column: its position (0 thousands ... 3 units) and digit.
    struct DigitColumn
    {
        int position;
        int digit;
    };
    static std::optional<DigitColumn> digitColumn(int column);

    using QAbstractTableModel::QAbstractTableModel;

    // The window's draws, oldest first.
    void setDraws(const QList<StoredDraw> &draws);
    int drawCount() const { return int(m_numbers.size()); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant drawText(int row, int column) const;
    QVariant figureText(int figureRow, int column) const;

    QStringList m_issues;
    QList<int> m_numbers;
    // The current omission of each digit column at each draw, row by row.
    QList<quint16> m_omission;
    // Each digit column over the whole window.
    std::array<OmissionTally, 40> m_tallies;
};
