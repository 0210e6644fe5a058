#include "history/backtest_model.h"

#include "core/shrink.h"

#include <QBrush>
#include <QColor>

namespace {
enum FixedColumn { IssueColumn, NumberColumn, VerdictColumn, FailuresColumn, FixedColumnCount };
constexpr const char16_t *kFixedHeaders[FixedColumnCount] = {u"期号", u"开奖号", u"保留/杀掉", u"失败条件数"};

const QColor kKilledBackground(255, 214, 214);
const QColor kMarkBackground(255, 255, 0);
}

void BacktestModel::setBacktest(const QList<Draw> &draws, const QList<BacktestRow> &rows, FamilySet families)
{
    Q_ASSERT(draws.size() == rows.size());
    beginResetModel();
    m_draws = draws;
    m_rows = rows;
    m_familyRows.clear();
    for (int r = EnteredListRow; r <= MinMaxRow; ++r) {
        if (families & (1u << (r - EnteredListRow)))
            m_familyRows.append(r);
    }
    endResetModel();
}

int BacktestModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BacktestModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FixedColumnCount + int(m_familyRows.size());
}

QVariant BacktestModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Draw &draw = m_draws[index.row()];
    const BacktestRow &row = m_rows[index.row()];
    const int column = index.column();
    const bool marked = column >= FixedColumnCount
                        && (row.markedBy & (1u << (m_familyRows[column - FixedColumnCount] - EnteredListRow)));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case IssueColumn: return draw.issue.isEmpty() ? QStringLiteral("-") : draw.issue;
        case NumberColumn: return four_digits(draw.number);
        case VerdictColumn: return row.kept ? QStringLiteral("保留") : QStringLiteral("杀掉");
        case FailuresColumn: return row.failedConditions;
        default: return marked ? QStringLiteral("杀") : QString();
        }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (marked)
            return QBrush(kMarkBackground);
        if (!row.kept && column == VerdictColumn)
            return QBrush(kKilledBackground);
        return {};
    default:
        return {};
    }
}

QVariant BacktestModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < FixedColumnCount)
        return QString::fromUtf16(kFixedHeaders[section]);
    return family_caption(m_familyRows.value(section - FixedColumnCount, EnteredListRow)).toString();
}
