#include "panel/sheet_history.h"

#include "panel/controls.h"
#include "panel/sheet.h"
#include "ui/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QPlainTextEdit>

SheetHistory::SheetHistory(Controls &controls, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_current(read_sheet_record(controls))
{
    for (const ConditionRow &row : condition_rows()) {
        for (int index = row.first; index <= row.last; ++index) {
            switch (row.kind) {
            case ControlKind::Toggle:
                if (ColorButton *button = toggle_at(controls, row, index))
                    connect(button, &ColorButton::backColorChanged, this, &SheetHistory::noteChange);
                break;
            case ControlKind::Check:
                if (QCheckBox *box = check_at(controls, row, index))
                    connect(box, &QCheckBox::stateChanged, this, &SheetHistory::noteChange);
                break;
            case ControlKind::Text:
                if (QPlainTextEdit *box = text_at(controls, row, index)) {
                    connect(box, &QPlainTextEdit::textChanged, this, &SheetHistory::noteChange);
                    box->installEventFilter(this);
                }
                break;
            case ControlKind::Tolerance:
                if (QComboBox *box = tolerance_at(controls, row, index)) {
                    connect(box, &QComboBox::editTextChanged, this, &SheetHistory::noteChange);
                    box->installEventFilter(this);
                }
                break;
            }
        }
    }
}

bool SheetHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        // What came before the editing is a step of its own.
        closeStep();
        m_editing = watched;
    } else if (event->type() == QEvent::FocusOut && m_editing == watched) {
        m_editing = nullptr;
        closeStep();
    }
    return QObject::eventFilter(watched, event);
}

void SheetHistory::noteChange()
{
    m_pending = true;
    if (m_closeQueued)
        return;
    m_closeQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        m_closeQueued = false;
        // While a box is being edited, the step lasts until it loses the focus.
        if (!m_editing)
            closeStep();
        emit touched();
    }, Qt::QueuedConnection);
}

void SheetHistory::closeStep()
{
    if (!m_pending)
        return;
    m_pending = false;
    SheetRecord now = read_sheet_record(m_controls);
    if (now != m_current) {
        m_undo.append(std::exchange(m_current, std::move(now)));
        if (m_undo.size() > kKeptSteps)
            m_undo.removeFirst();
        m_redo.clear();
    }
    emit changed();
}

void SheetHistory::undo()
{
    // An editing still open is a step of its own, and the first undone.
    closeStep();
    if (m_undo.isEmpty())
        return;
    m_redo.append(std::exchange(m_current, m_undo.takeLast()));
    apply_sheet_record(m_controls, m_current);
    m_pending = false;
    emit changed();
}

void SheetHistory::redo()
{
    closeStep();
    if (m_redo.isEmpty())
        return;
    m_undo.append(std::exchange(m_current, m_redo.takeLast()));
    apply_sheet_record(m_controls, m_current);
    m_pending = false;
    emit changed();
}

void SheetHistory::restart()
{
    m_current = read_sheet_record(m_controls);
    m_undo.clear();
    m_redo.clear();
    m_pending = false;
    emit changed();
}
