#include "history/draws_model.h"

#include "core/shrink.h"

#include <QRegularExpression>

namespace {
constexpr const char16_t *kHeaders[DrawsModel::ColumnCount] = {u"期号", u"开奖号", u"日期", u"来源"};

QString sourceCaption(DrawSource source)
{
    switch (source) {
    case DrawSource::Manual: return QStringLiteral("手工");
    case DrawSource::File: return QStringLiteral("文件");
    case DrawSource::Feed: return QStringLiteral("服务器");
    }
    return {};
}
}

DrawsModel::DrawsModel(DrawStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
    reload();
}

void DrawsModel::reload()
{
    beginResetModel();
    m_draws = m_store.draws();
    endResetModel();
}

int DrawsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_draws.size());
}

int DrawsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DrawsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_draws.size())
        return {};
    const StoredDraw &draw = drawAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case IssueColumn: return draw.issue;
        case NumberColumn: return four_digits(draw.number);
        case DateColumn: return draw.date.toString(Qt::ISODate);
        case SourceColumn: return sourceCaption(draw.source);
        }
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant DrawsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf16(kHeaders[section]);
}

Qt::ItemFlags DrawsModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == NumberColumn ? flags | Qt::ItemIsEditable : flags;
}

bool DrawsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    const QString typed = value.toString().remove(u' ');
    if (role != Qt::EditRole || index.column() != NumberColumn || index.row() >= m_draws.size()
        || !fourDigits.match(typed).hasMatch())
        return false;
    StoredDraw &draw = m_draws[m_draws.size() - 1 - index.row()];
    if (draw.number == typed.toInt())
        return true;
    if (!m_store.correct(draw.issue, typed.toInt())) {
        emit refused();
        return false;
    }
    draw.number = typed.toInt();
    draw.source = DrawSource::Manual;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit corrected();
    return true;
}
