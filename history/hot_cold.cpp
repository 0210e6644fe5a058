#include "history/hot_cold.h"

#include "filters/omission.h"
#include "history/draw_statistics.h"

#include <QGroupBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr const char16_t *kHeaders[HotColdModel::ColumnCount] = {u"号码", u"近10期", u"近30期", u"近100期",
                                                                  u"当前遗漏"};
constexpr int kRecent[] = {10, 30, 100};
}

HotColdModel::HotColdModel(int position, QObject *parent)
    : QAbstractTableModel(parent)
    , m_position(position)
{
    setNumbers({});
}

void HotColdModel::setNumbers(std::span<const int> numbers)
{
    for (int digit = 0; digit < 10; ++digit) {
        const CandidateSet &property = digit_property(m_position, digit).numbers;
        m_figures[digit][DigitColumn] = digit;
        for (int k = 0; k < int(std::size(kRecent)); ++k)
            m_figures[digit][Last10Column + k] =
                tally_omission(numbers.last(std::min<size_t>(kRecent[k], numbers.size())), property).hits();
        m_figures[digit][CurrentColumn] = tally_omission(numbers, property).current();
    }
    emit dataChanged(index(0, 0), index(9, ColumnCount - 1));
}

int HotColdModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 10;
}

int HotColdModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HotColdModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_figures[index.row()][index.column()];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QVariant HotColdModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf16(kHeaders[section]);
}

HotColdTab::HotColdTab(DrawStatistics &statistics, QWidget *parent)
    : QWidget(parent)
    , m_statistics(statistics)
{
    auto *layout = new QGridLayout(this);
    for (int position = 0; position < 4; ++position) {
        m_models[position] = new HotColdModel(position, this);
        auto *sorted = new QSortFilterProxyModel(this);
        sorted->setSourceModel(m_models[position]);
        auto *table = new QTableView(this);
        table->setObjectName(QStringLiteral("hot_cold(%1)").arg(position));
        table->setModel(sorted);
        table->setSortingEnabled(true);
        table->sortByColumn(HotColdModel::DigitColumn, Qt::AscendingOrder);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(22);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        auto *box = new QGroupBox(position_name(position), this);
        auto *boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(table);
        layout->addWidget(box, position / 2, position % 2);
    }
    connect(&m_statistics, &DrawStatistics::changed, this, &HotColdTab::showDraws);
    showDraws();
}

void HotColdTab::showDraws()
{
    QList<int> numbers;
    numbers.reserve(m_statistics.draws().size());
    for (const StoredDraw &draw : m_statistics.draws())
        numbers.append(draw.number);
    for (HotColdModel *model : m_models)
        model->setNumbers(numbers);
}
