#include "history/efficiency_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace {
enum Column { OnSheet, Caption, Group, Kills, Killed, Expected, Ratio, PValue, Verdict, ColumnCount };

struct ColumnHead
{
    const char16_t *title;
    const char16_t *explained;
};
constexpr ColumnHead kColumns[ColumnCount] = {
    {u"已选", u"方案中已选中或勾选的条件"},
    {u"条件", u"条件在方案上的名称"},
    {u"条件组", u"条件所在的一组"},
    {u"单独杀号", u"方案上只选这一个条件时杀掉的号码数（占一万注的比例）"},
    {u"杀掉期数", u"这些开奖号中，它会杀掉的期数"},
    {u"随机期望", u"随机杀掉同样多的号码，平均会杀掉的期数"},
    {u"比值", u"杀掉期数 ÷ 随机期望：小于 1 比随机杀得少，大于 1 比随机杀得多"},
    {u"P值", u"随机杀掉同样多的号码，杀掉的期数不多于它的概率：越小越说明它少杀开奖号不是碰巧"},
    {u"结论", u"只选这一个条件时的历史验证与随机选号相比"},
};

// Marks the rows of members on the sheet; the filter looks for it.
const QString kOnSheetMark = QStringLiteral("✓");

// Figures sort as numbers, not as text.
constexpr int SortRole = Qt::UserRole;
}

class EfficiencyModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<MemberEfficiency> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    void setOnSheet(const QSet<QString> &members)
    {
        m_onSheet = members;
        if (!m_rows.isEmpty())
            emit dataChanged(index(0, OnSheet), index(rowCount() - 1, OnSheet));
    }

    const MemberEfficiency &rowAt(int row) const { return m_rows[row]; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const MemberEfficiency &row = m_rows[index.row()];
        const ChanceVerdict verdict = row.chance.verdict;
        switch (role) {
        case Qt::DisplayRole:
            return text(row, index.column());
        case SortRole:
            return sortValue(row, index.column());
        case Qt::TextAlignmentRole:
            return index.column() == Group ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
        case Qt::BackgroundRole:
            if (index.column() != Verdict || verdict == ChanceVerdict::NoDifference)
                return {};
            return verdict == ChanceVerdict::Better ? QColor(200, 240, 200) : QColor(255, 210, 210);
        case Qt::ToolTipRole:
            return QStringLiteral("%1 %2（%3）：双击在方案中选中或取消").arg(row.group, row.caption, row.name);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return QString::fromUtf16(kColumns[section].title);
        if (role == Qt::ToolTipRole)
            return QString::fromUtf16(kColumns[section].explained);
        return {};
    }

private:
    QVariant text(const MemberEfficiency &row, int column) const
    {
        const double ratio = row.ratio();
        switch (column) {
        case OnSheet:
            return m_onSheet.contains(row.name) ? kOnSheetMark : QString();
        case Caption:
            return row.caption;
        case Group:
            return row.group;
        case Kills:
            return QStringLiteral("%1（%2%）").arg(row.kills).arg(row.kills / 100.0, 0, 'f', 2);
        case Killed:
            return row.killed;
        case Expected:
            return expected_draws_text(row.chance.draws, row.kills);
        case Ratio:
            return std::isnan(ratio) ? QStringLiteral("-") : QString::number(ratio, 'f', 2);
        case PValue:
            return p_value_text(row.chance.pValue);
        case Verdict:
            return chance_verdict_text(row.chance.verdict);
        }
        return {};
    }

    QVariant sortValue(const MemberEfficiency &row, int column) const
    {
        switch (column) {
        case OnSheet:
            return m_onSheet.contains(row.name) ? 1 : 0;
        case Kills:
            return row.kills;
        case Killed:
            return row.killed;
        case Expected:
            return row.expected();
        case Ratio:
            return std::isnan(row.ratio()) ? QVariant() : QVariant(row.ratio());
        case PValue:
            return row.chance.pValue;
        case Verdict:
            return int(row.chance.verdict);
        }
        return text(row, column);
    }

    QList<MemberEfficiency> m_rows;
    QSet<QString> m_onSheet;
};

EfficiencyTab::EfficiencyTab(ClickMember clickMember, QWidget *parent)
    : QWidget(parent)
    , m_clickMember(std::move(clickMember))
{
    m_model = new EfficiencyModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(SortRole);
    m_sorted->setFilterKeyColumn(OnSheet);

    m_window = new QLabel(this);
    m_window->setObjectName(QStringLiteral("L_efficiency_window"));
    m_window->setWordWrap(true);
    m_onlyOnSheet = new QCheckBox(QStringLiteral("只看方案中的条件"), this);
    m_onlyOnSheet->setObjectName(QStringLiteral("Check_efficiency_sheet"));
    connect(m_onlyOnSheet, &QCheckBox::toggled, this,
            [this](bool only) { m_sorted->setFilterFixedString(only ? kOnSheetMark : QString()); });

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("efficiency_table"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder);   // table order until the player sorts
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    QHeaderView *header = m_table->horizontalHeader();
    header->setDefaultSectionSize(84);
    header->resizeSection(OnSheet, 44);
    header->resizeSection(Group, 170);
    header->resizeSection(Kills, 130);
    header->setStretchLastSection(true);
    connect(m_table, &QTableView::doubleClicked, this, &EfficiencyTab::onDoubleClicked);

    auto *top = new QHBoxLayout;
    top->addWidget(m_window, 1);
    top->addWidget(m_onlyOnSheet);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
}

void EfficiencyTab::setDraws(std::span<const int> draws, const QString &window)
{
    m_model->setRows(member_efficiency(draws));
    // Among a few hundred rows, chance alone makes a few look clearly better
    // or worse: the player is told so beside them.
    m_window->setText(QStringLiteral("%1开奖（共 %2 期，在“历史验证”页选择期数）。每行是一个单独就能杀号的条件，"
                                     "双击一行在方案中选中或取消它。这么多条件一起比，纯属偶然也会有几个显得“明显”。")
                          .arg(window)
                          .arg(draws.size()));
}

void EfficiencyTab::setOnSheet(const QSet<QString> &members)
{
    // The proxy filters and sorts again by itself as the marks change.
    m_model->setOnSheet(members);
}

void EfficiencyTab::onDoubleClicked(const QModelIndex &index)
{
    if (index.isValid())
        m_clickMember(m_model->rowAt(m_sorted->mapToSource(index).row()).name);
}
