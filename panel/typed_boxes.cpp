#include "panel/typed_boxes.h"

#include "core/condition_table.h"
#include "core/sheet_record.h"
#include "core/typed_box.h"
#include "panel/controls.h"
#include "panel/top_panels.h"
#include "ui/colorbutton.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QHash>
#include <algorithm>

namespace {
class HintSelector : public QObject
{
public:
    using QObject::QObject;

    void watch(QPlainTextEdit *box)
    {
        m_hints.insert(box, typed_box_hint(box->objectName()));
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *box = static_cast<QPlainTextEdit *>(watched);
            if (holds_only_hint(box->toPlainText(), m_hints.value(box))) {
                // A click that gave the focus places the cursor after this
                // event; the selection follows once it has.
                QMetaObject::invokeMethod(
                    box, [box] {
                        if (box->hasFocus())
                            box->selectAll();
                    },
                    Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QHash<QObject *, QString> m_hints;
};

// The typed boxes of each top panel: the condition lists by the panel the
// table gives them, and the two base sets of the set-operation panel.
QList<QPlainTextEdit *> boxesOfPanel(const Controls &c, int panel)
{
    if (panel == SetOperationPanelIndex)
        return {c.T_jj.value(0), c.T_jj.value(1)};
    QList<QPlainTextEdit *> boxes;
    for (int i = 0; i < c.T_ding.size(); ++i) {
        const ConditionRow *row = condition_row(u"T_ding", i);
        if (row && row->part == panel && c.T_ding[i])
            boxes.append(c.T_ding[i]);
    }
    return boxes;
}

void markTab(ColorButton *tab, const QList<QPlainTextEdit *> &boxes)
{
    bool holdsList = false;
    for (const QPlainTextEdit *box : boxes)
        holdsList = holdsList || holds_typed_list(box->toPlainText(), typed_box_hint(box->objectName()));
    QFont font = tab->font();
    if (font.bold() == holdsList)
        return;
    font.setBold(holdsList);
    tab->setFont(font);
}
}

void select_hints_on_focus(QWidget *window)
{
    auto *selector = new HintSelector(window);
    for (const QString &name : condition_control_names(ControlKind::Text)) {
        if (auto *box = window->findChild<QPlainTextEdit *>(name))
            selector->watch(box);
    }
}

void mark_tabs_holding_lists(Controls &c)
{
    for (int panel = 0; panel < c.C_sst_0.size(); ++panel) {
        ColorButton *tab = c.C_sst_0[panel];
        const QList<QPlainTextEdit *> boxes = boxesOfPanel(c, panel);
        for (QPlainTextEdit *box : boxes)
            QObject::connect(box, &QPlainTextEdit::textChanged, tab, [tab, boxes] { markTab(tab, boxes); });
    }
}

QString typed_box_caption(const ConditionRow &row)
{
    switch (row.selects) {
    case Selects::EnteredList: {
        const QList<const ConditionRow *> lists = family_rows(EnteredListRow);
        const bool alone = std::count_if(lists.begin(), lists.end(),
                                         [&row](const ConditionRow *list) { return list->part == row.part; }) == 1;
        return QString::fromUtf16(alone ? kTopPanels[row.part].caption : row.label);
    }
    case Selects::BaseSet:
        return QStringLiteral("大底");
    default:
        return QString::fromUtf16(row.label);
    }
}
