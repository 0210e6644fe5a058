#include "history/trend_chart.h"

#include "history/trend_model.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int kDigitWidth = 18;
constexpr int kRowHeight = 20;
constexpr qreal kBallRadius = 7.5;
// One colour per position: a line is easy to follow beside the next block's.
const QColor kBallColours[4] = {QColor(0xd9, 0x36, 0x3e), QColor(0x2f, 0x6f, 0xd0), QColor(0x1f, 0x9d, 0x55),
                                QColor(0x8e, 0x44, 0xad)};
const QColor kOmissionGrey(0x9a, 0x9a, 0x9a);

// The widest text a column other than a digit's shows.
QString widestText(int column)
{
    switch (column) {
    case TrendModel::IssueColumn: return QStringLiteral("0000000");
    case TrendModel::NumberColumn:
    case TrendModel::RouteColumn: return QStringLiteral("0000");
    case TrendModel::SumColumn: return QStringLiteral("00");
    case TrendModel::BigSmallColumn: return QStringLiteral("大大大大");
    case TrendModel::OddEvenColumn: return QStringLiteral("奇奇奇奇");
    case TrendModel::ShapeColumn: return QStringLiteral("AAAA");
    default: return QStringLiteral("0");
    }
}
}

class TrendChart::Delegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool omission = true;
    bool lines = true;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const std::optional<TrendModel::DigitColumn> column = TrendModel::digitColumn(index.column());
        if (!column) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->setClipRect(option.rect);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        const QVariant drawn = index.data(TrendModel::DrawnDigitRole);
        if (!drawn.isValid()) {
            // The figures under the draws: 平均遗漏 has a decimal.
            paintFitted(painter, option, index.data().toString(), option.palette.color(QPalette::Text));
            painter->restore();
            return;
        }
        const QColor colour = kBallColours[column->position];
        const QPointF centre = QRectF(option.rect).center();
        // Where the ball of a row stands, seen from this cell.
        auto ballOf = [&](const QVariant &digit, int rowStep) {
            return centre + QPointF((digit.toInt() - column->digit) * kDigitWidth, rowStep * kRowHeight);
        };
        if (lines) {
            // Each cell paints the part of the lines to the draws before and
            // after that crosses it, under any ball.
            painter->setPen(QPen(colour, 1.5));
            for (const int step : {-1, 1}) {
                const QVariant other = index.siblingAtRow(index.row() + step).data(TrendModel::DrawnDigitRole);
                if (other.isValid())
                    painter->drawLine(ballOf(drawn, 0), ballOf(other, step));
            }
        }
        if (drawn.toInt() == column->digit) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour);
            painter->drawEllipse(centre, kBallRadius, kBallRadius);
            QFont font = option.font;
            font.setBold(true);
            painter->setFont(font);
            painter->setPen(Qt::white);
            painter->drawText(option.rect, Qt::AlignCenter, drawn.toString());
        } else if (omission) {
            paintFitted(painter, option, index.data().toString(), kOmissionGrey);
        }
        painter->restore();
    }

private:
    // A figure in a smaller font, narrowed where it is wider than the cell.
    static void paintFitted(QPainter *painter, const QStyleOptionViewItem &option, const QString &text,
                            const QColor &colour)
    {
        QFont font = option.font;
        font.setPointSizeF(font.pointSizeF() * 0.8);
        const QRectF cell(option.rect);
        const qreal room = cell.width() - 2;
        const qreal advance = QFontMetricsF(font).horizontalAdvance(text);
        painter->setFont(font);
        painter->setPen(colour);
        painter->translate(cell.center().x(), cell.top());
        if (advance > room)
            painter->scale(room / advance, 1);
        painter->drawText(QRectF(-advance / 2, 0, advance, cell.height()), Qt::AlignCenter, text);
    }
};

// Two lines over the digit columns: the position across its ten columns,
// then the digit.
class TrendChart::Header : public QHeaderView
{
public:
    explicit Header(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
    }

protected:
    QSize sizeHint() const override
    {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(2 * fontMetrics().height() + 8);
        return size;
    }

    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        const std::optional<TrendModel::DigitColumn> column = TrendModel::digitColumn(logicalIndex);
        if (!column) {
            QHeaderView::paintSection(painter, rect, logicalIndex);
            return;
        }
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.textAlignment = Qt::AlignCenter;
        const int half = rect.height() / 2;
        painter->save();
        // Every section paints its slice of the position's caption.
        painter->setClipRect(rect.adjusted(0, 0, 0, -half));
        option.rect = QRect(rect.left() - column->digit * rect.width(), rect.top(), 10 * rect.width(), half);
        option.text = model()->headerData(logicalIndex, Qt::Horizontal, TrendModel::PositionNameRole).toString();
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->setClipRect(rect.adjusted(0, half, 0, 0));
        option.rect = rect.adjusted(0, half, 0, 0);
        option.text = QString::number(column->digit);
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
    }
};

TrendChart::TrendChart(TrendModel *model, QWidget *parent)
    : QTableView(parent)
    , m_delegate(new Delegate(this))
{
    setHorizontalHeader(new Header(this));
    setModel(model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The style's least width for a section is wider than a digit's column.
    horizontalHeader()->setMinimumSectionSize(kDigitWidth);
    horizontalHeader()->setHighlightSections(false);
    // A new window resets the sections to their default size. The widths
    // follow the font, not the rows: measuring 10,000 rows would take long.
    auto fitColumns = [this] {
        const QFontMetrics metrics(font());
        for (int column = 0; column < TrendModel::ColumnCount; ++column) {
            const QString header = this->model()->headerData(column, Qt::Horizontal).toString();
            setColumnWidth(column, TrendModel::digitColumn(column)
                                       ? kDigitWidth
                                       : std::max(metrics.horizontalAdvance(widestText(column)),
                                                  metrics.horizontalAdvance(header)) + 10);
        }
    };
    fitColumns();
    connect(model, &QAbstractItemModel::modelReset, this, fitColumns);
}

void TrendChart::setShowOmission(bool shown)
{
    m_delegate->omission = shown;
    viewport()->update();
}

void TrendChart::setShowLines(bool shown)
{
    m_delegate->lines = shown;
    viewport()->update();
}

QImage TrendChart::picture() const
{
    TrendChart whole(static_cast<TrendModel *>(model()));
    whole.setFont(font());
    whole.setShowOmission(m_delegate->omission);
    whole.setShowLines(m_delegate->lines);
    whole.setFrameShape(QFrame::NoFrame);
    whole.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    whole.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QSize size(whole.horizontalHeader()->length(),
                     whole.horizontalHeader()->sizeHint().height() + whole.verticalHeader()->length());
    whole.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    whole.render(&image);
    return image;
}
