#include "panel/reset.h"

#include "core/condition_table.h"
#include "panel/actions.h"
#include "panel/controls.h"
#include "panel/group_buttons.h"
#include "panel/result_list.h"
#include "panel/sheet.h"
#include "ui/colorbutton.h"
#include "ui/toggle_colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {
// "清" greys a toggle row, unticks a check row and empties a box; "全"
// colours a toggle row with its selected colour.
void clearRow(Controls &c, const ConditionRow &row)
{
    for (int index = row.first; index <= row.last; ++index) {
        switch (row.kind) {
        case ControlKind::Toggle:
            paint_toggle(toggle_at(c, row, index), 2, row.selectedColour, Colour::Grey);
            break;
        case ControlKind::Check:
            if (QCheckBox *box = check_at(c, row, index))
                box->setCheckState(Qt::Unchecked);
            break;
        case ControlKind::Text:
            if (QPlainTextEdit *box = text_at(c, row, index))
                box->clear();
            break;
        case ControlKind::Tolerance:
            break;
        }
    }
}

void selectRow(Controls &c, const ConditionRow &row)
{
    for (int index = row.first; index <= row.last; ++index)
        paint_toggle(toggle_at(c, row, index), 1, row.selectedColour, Colour::Grey);
}

void emptySetOperationBox(Controls &c, int box)
{
    if (QPlainTextEdit *text = c.T_jj.value(box))
        text->clear();
}
}

void clear_panel(Controls &controls, int index)
{
    for (const ConditionRow &row : condition_rows()) {
        if (row.clearButton == index)
            clearRow(controls, row);
        else if (row.allButton == index)
            selectRow(controls, row);
    }
    for (const SetOperationClear &clear : kSetOperationClears) {
        if (clear.button == index)
            emptySetOperationBox(controls, clear.box);
    }
}

void reset_all_conditions(QWidget *form, Controls &c)
{
    // Every "清" of the conditions, never a "全"; the set-operation boxes are
    // emptied below with their result.
    QList<int> cleared;
    for (const ConditionRow &row : condition_rows()) {
        if (row.clearButton != kNoButton && !cleared.contains(row.clearButton)) {
            clear_panel(c, row.clearButton);
            cleared.append(row.clearButton);
        }
    }
    // Then what no "清" covers or leaves empty: boxes get their hints back,
    // toggles without a "清" go grey, tolerances "0". Check boxes without a
    // "清" (胆码计重) keep their tick.
    for (const ConditionRow &row : condition_rows()) {
        const QStringList &captions = member_captions(row);
        switch (row.kind) {
        case ControlKind::Text:
            for (int k = 0; k < row.count(); ++k) {
                if (QPlainTextEdit *box = text_at(c, row, row.first + k))
                    box->setPlainText(captions[k]);
            }
            break;
        case ControlKind::Toggle:
            if (row.clearButton == kNoButton)
                paint_members(form, QLatin1String(row.array), int16_t(row.first), int16_t(row.last), Colour::Grey);
            break;
        case ControlKind::Tolerance:
            for (int index = row.first; index <= row.last; ++index) {
                if (QComboBox *box = tolerance_at(c, row, index))
                    box->setEditText(QStringLiteral("0"));
            }
            break;
        case ControlKind::Check:
            break;
        }
    }
    for (int box = 0; box < c.T_jj.size(); ++box)
        emptySetOperationBox(c, box);
    if (c.Ljiaoji_zhushu)
        c.Ljiaoji_zhushu->setText(QStringLiteral("0"));
    c.Li_out->clear();
    c.dadi_zhushu->setText(QStringLiteral("0"));
    c.C_guolv_ks[Invert]->setBackColor(Colour::LightGreen);
}
