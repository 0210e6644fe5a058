#include "history/trend_model.h"

#include "core/shrink.h"
#include "filters/candidate_digits.h"
#include "filters/exclusions.h"
#include "filters/patterns.h"

#include <QBrush>
#include <QColor>
#include <limits>

namespace {
constexpr int kDigitColumns = 40;
constexpr const char16_t *kFigureNames[TrendModel::FigureRowCount] = {u"出现次数", u"平均遗漏", u"最大遗漏",
                                                                       u"最大连出", u"当前遗漏"};
constexpr const char16_t *kOtherHeaders[] = {u"和值", u"跨度", u"012路", u"大小", u"奇偶", u"形态"};

int digitAt(int number, int position)
{
    return candidate_digits().digits[number][position];
}

// The blocks of the positions take turns in two tints; the figures under
// the draws stand out from them.
QBrush background(int row, int drawCount, int column)
{
    if (row >= drawCount)
        return QColor(0xfd, 0xf6, 0xe3);
    const std::optional<TrendModel::DigitColumn> digit = TrendModel::digitColumn(column);
    if (digit && digit->position % 2 == 0)
        return QColor(0xf4, 0xf7, 0xfb);
    return QColor(Qt::white);
}
}

std::optional<TrendModel::DigitColumn> TrendModel::digitColumn(int column)
{
    if (column < FirstDigitColumn || column >= SumColumn)
        return std::nullopt;
    return DigitColumn{(column - FirstDigitColumn) / 10, (column - FirstDigitColumn) % 10};
}

void TrendModel::setDraws(const QList<StoredDraw> &draws)
{
    beginResetModel();
    m_issues.clear();
    m_numbers.clear();
    m_omission.clear();
    m_tallies = {};
    m_issues.reserve(draws.size());
    m_numbers.reserve(draws.size());
    m_omission.reserve(draws.size() * kDigitColumns);
    for (const StoredDraw &draw : draws) {
        m_issues.append(draw.issue);
        m_numbers.append(draw.number);
        for (int column = 0; column < kDigitColumns; ++column) {
            OmissionTally &tally = m_tallies[column];
            tally.add(digit_property(column / 10, column % 10).numbers.contains(draw.number));
            m_omission.append(quint16(std::min(tally.current(), int(std::numeric_limits<quint16>::max()))));
        }
    }
    endResetModel();
}

int TrendModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : drawCount() + FigureRowCount;
}

int TrendModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TrendModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return row < drawCount() ? drawText(row, column) : figureText(row - drawCount(), column);
    case DrawnDigitRole:
        if (const auto digit = digitColumn(column); digit && row < drawCount())
            return digitAt(m_numbers[row], digit->position);
        return {};
    case Qt::ToolTipRole:
        // The figures under the draws are narrowed to fit their columns.
        if (const auto digit = digitColumn(column); digit && row >= drawCount())
            return QStringLiteral("%1 %2：%3 %4")
                .arg(position_name(digit->position))
                .arg(digit->digit)
                .arg(QString::fromUtf16(kFigureNames[row - drawCount()]), figureText(row - drawCount(), column).toString());
        return {};
    case Qt::BackgroundRole:
        return background(row, drawCount(), column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

// A digit column shows the drawn digit, or the current omission at that draw.
QVariant TrendModel::drawText(int row, int column) const
{
    const int number = m_numbers[row];
    if (const auto digit = digitColumn(column)) {
        const int drawn = digitAt(number, digit->position);
        return drawn == digit->digit ? drawn : int(m_omission[row * kDigitColumns + column - FirstDigitColumn]);
    }
    switch (column) {
    case IssueColumn: return m_issues[row];
    case NumberColumn: return four_digits(number);
    case SumColumn: return digit_sum(number);
    case SpanColumn: return digit_span(number);
    case RouteColumn: return pattern_of(number, RouteGrid);
    case BigSmallColumn: return pattern_of(number, BigSmallGrid);
    case OddEvenColumn: return pattern_of(number, OddEvenGrid);
    case ShapeColumn: return repetition_caption(repetition_shape(number)).toString();
    default: return {};
    }
}

QVariant TrendModel::figureText(int figureRow, int column) const
{
    if (column == IssueColumn)
        return QString::fromUtf16(kFigureNames[figureRow]);
    if (!digitColumn(column))
        return {};
    const OmissionTally &tally = m_tallies[column - FirstDigitColumn];
    switch (figureRow) {
    case HitsRow: return tally.hits();
    case AverageRow: return tally.averageOmission();
    case LongestOmissionRow: return tally.longestOmission();
    case LongestStreakRow: return tally.longestStreak();
    case CurrentRow: return tally.current();
    default: return {};
    }
}

QVariant TrendModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    const std::optional<DigitColumn> digit = digitColumn(section);
    if (role == PositionNameRole && digit)
        return position_name(digit->position);
    if (role != Qt::DisplayRole)
        return {};
    if (digit)
        return digit->digit;
    if (section == IssueColumn)
        return QStringLiteral("期号");
    if (section == NumberColumn)
        return QStringLiteral("开奖号");
    return QString::fromUtf16(kOtherHeaders[section - SumColumn]);
}
