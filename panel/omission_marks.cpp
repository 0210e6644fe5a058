#include "panel/omission_marks.h"

#include "core/condition_table.h"
#include "filters/member_sets.h"
#include "filters/omission.h"
#include "panel/sheet.h"
#include "ui/colorbutton.h"

#include <QCheckBox>
#include <QPainter>
#include <QStyleOptionButton>

// A check box's figure, painted in its box while the box is not ticked: the
// caption beside it has no room to spare, and a tick stays a plain tick.
class OmissionMarks::BoxFigure : public QWidget
{
public:
    explicit BoxFigure(QCheckBox *box)
        : QWidget(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        QStyleOptionButton option;
        option.initFrom(box);
        setGeometry(box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box));
        hide();
    }

    void setFigure(const QString &figure)
    {
        m_figure = figure;
        update();
    }

private:
    void paintEvent(QPaintEvent *) override
    {
        // The box repaints its children whenever it is ticked or cleared.
        if (static_cast<QCheckBox *>(parentWidget())->isChecked())
            return;
        QPainter painter(this);
        QFont font = this->font();
        font.setPixelSize(std::max(8, height() * 2 / 3));
        painter.setFont(font);
        painter.setPen(Colour::noteColour());
        // A figure wider than the box is narrowed, never cut.
        const qreal advance = QFontMetricsF(font).horizontalAdvance(m_figure);
        if (advance > width())
            painter.scale(width() / advance, 1.0);
        painter.drawText(QRectF(0, 0, std::max<qreal>(advance, width()), height()), Qt::AlignCenter, m_figure);
    }

    QString m_figure;
};

OmissionMarks::OmissionMarks(const Controls &controls, QObject *parent)
    : QObject(parent)
{
    for (const ConditionRow &row : condition_rows()) {
        if (row.memberSet == MemberSet::None)
            continue;
        const QStringList &names = member_names(row);
        for (int index = row.first; index <= row.last; ++index) {
            const QString &name = names[index - row.first];
            if (row.kind == ControlKind::Check) {
                if (QCheckBox *box = check_at(controls, row, index))
                    m_marks.append({name, box, nullptr, new BoxFigure(box), {}});
            } else if (ColorButton *button = toggle_at(controls, row, index)) {
                m_marks.append({name, button, button, nullptr, {}});
            }
        }
    }
}

void OmissionMarks::setDraws(std::span<const int> numbers, const QString &window)
{
    for (Mark &mark : m_marks) {
        if (numbers.empty()) {
            mark.figure.clear();
            mark.member->setToolTip(QString());
        } else {
            const OmissionTally tally = tally_omission(numbers, member_sets(mark.name)->named);
            mark.figure = QString::number(tally.current());
            mark.member->setToolTip(
                QStringLiteral("%1\n当前遗漏：%2\n出现次数：%3").arg(window).arg(tally.current()).arg(tally.hits()));
        }
        showMark(mark);
    }
}

void OmissionMarks::setShown(bool shown)
{
    m_shown = shown;
    for (const Mark &mark : std::as_const(m_marks))
        showMark(mark);
}

void OmissionMarks::showMark(const Mark &mark)
{
    const QString figure = m_shown ? mark.figure : QString();
    if (mark.button) {
        mark.button->setNote(figure);
    } else {
        mark.boxFigure->setFigure(figure);
        mark.boxFigure->setVisible(!figure.isEmpty());
    }
}
