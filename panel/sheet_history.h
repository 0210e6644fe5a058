#pragma once

#include "core/sheet_record.h"

#include <QList>
#include <QObject>

class QWidget;
struct Controls;

// Follows the condition sheet step by step for undo and redo. A step is
// whatever one action of the player changes: a toggle, a tick, a "清" or
// "全", "清空条件", a loaded scheme, a tolerance, or the editing of one
// typed box from focus in to focus out. Changes made by one action arrive
// together and become one step once that action has ended.
class SheetHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int kKeptSteps = 100;

    // Watches every condition control of the table; `controls` must outlive it.
    explicit SheetHistory(Controls &controls, QObject *parent = nullptr);

    bool canUndo() const { return !m_undo.isEmpty() || sheetMoved(); }
    bool canRedo() const { return !m_redo.isEmpty() && !sheetMoved(); }

    // Back to the sheet before the last step, or forward again.
    void undo();
    void redo();

    // Forgets every step: the sheet as it stands is where undo stops.
    void restart();

signals:
    // A step closed, or undo or redo ran: what can be undone changed.
    void changed();
    // The sheet changed, step closed or not; once for a burst of changes.
    void touched();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void noteChange();
    void closeStep();
    bool sheetMoved() const { return m_pending; }

    Controls &m_controls;
    SheetRecord m_current;              // the sheet after the last step
    QList<SheetRecord> m_undo;          // the sheets before each step, oldest first
    QList<SheetRecord> m_redo;          // the sheets undone, the latest last
    QObject *m_editing = nullptr;       // the typed box whose editing is one step
    bool m_pending = false;             // changes not yet closed into a step
    bool m_closeQueued = false;
};
