#include "history/backtest_model.h"

#include "core/shrink.h"
#include "help/help_popups.h"

#include <QBrush>
#include <QColor>

namespace {
enum FixedColumn { IssueColumn, NumberColumn, VerdictColumn, FailuresColumn, FixedColumnCount };
constexpr const char16_t *kFixedHeaders[FixedColumnCount] = {u"期号", u"开奖号", u"保留/杀掉", u"失败条件数"};

const QColor kKilledBackground(255, 214, 214);
const QColor kMarkBackground(255, 255, 0);
}

void BacktestModel::setBacktest(const QList<Draw> &draws, const QList<BacktestRow> &rows, FamilySet active)
{
    Q_ASSERT(draws.size() == rows.size());
    beginResetModel();
    m_draws = draws;
    m_rows = rows;
    m_families.clear();
    // The table of families, not this model's columns.
    for (const Family &family : ::families()) {
        if (active & family_bit(family))
            m_families.append(&family);
    }
    endResetModel();
}

int BacktestModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BacktestModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FixedColumnCount + int(m_families.size());
}

QVariant BacktestModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Draw &draw = m_draws[index.row()];
    const BacktestRow &row = m_rows[index.row()];
    const int column = index.column();
    const bool marked = column >= FixedColumnCount && (row.markedBy & family_bit(*m_families[column - FixedColumnCount]));
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
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < FixedColumnCount)
        return role == Qt::DisplayRole ? QVariant(QString::fromUtf16(kFixedHeaders[section])) : QVariant();
    const Family *family = m_families.value(section - FixedColumnCount);
    if (!family)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return family->displayName();
    case Qt::ToolTipRole: {
        // What the family is, in the words of its help.
        const QString block = family->helpTitle ? help_block(QString::fromUtf16(family->helpTitle)) : QString();
        return block.endsWith(u'\n') ? block.chopped(1) : block;
    }
    default:
        return {};
    }
}
