#include "panel/result_list.h"

#include "core/shrink.h"

#include <QAbstractListModel>

class ResultLines : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    const QString &numbers() const { return m_numbers; }

    void setNumbers(const QString &numbers)
    {
        beginResetModel();
        m_numbers = numbers;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : display_line_count(m_numbers);
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return display_line(m_numbers, index.row());
    }

private:
    QString m_numbers;
};

ResultListView::ResultListView(QWidget *parent)
    : QListView(parent)
    , m_lines(new ResultLines(this))
{
    setModel(m_lines);
    setUniformItemSizes(true);
}

void ResultListView::setNumbers(const QString &numbers)
{
    m_lines->setNumbers(numbers);
}

const QString &ResultListView::numbers() const
{
    return m_lines->numbers();
}
