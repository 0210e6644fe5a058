#pragma once

#include "core/sheet_record.h"
#include "filters/live_count.h"
#include "filters/unread_entries.h"

#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
struct Controls;

// Follows the condition sheet and counts, off the event loop, the numbers a
// shrink run would list for it now. A burst of changes (a reset, a loaded
// scheme) gives one recount after its last change, and a recount the sheet
// has overtaken is dropped unseen. It reads controls only, and a typed box
// only when its text changed; the results of the last run stay untouched.
class LiveCounter : public QObject
{
    Q_OBJECT
public:
    // Watches every condition control of the table; `controls` must outlive it.
    explicit LiveCounter(const Controls &controls, QObject *parent = nullptr);
    ~LiveCounter() override;

signals:
    // The count for the sheet as it stands; never for a sheet changed since.
    void counted(int survivors);
    // What each family marks on its own, for the same sheet; just before counted.
    void familiesCounted(const LiveCount::FamilyCounts &counts);
    // The typed boxes holding entries a run does not read, for the same
    // sheet; just after counted.
    void unreadFound(const QList<UnreadBox> &boxes);

private:
    struct Watched
    {
        const ConditionRow *row;
        int member;                     // offset in the row
        QPlainTextEdit *box;            // a text box, read here a slice at a time
        bool changed;
    };

    // A typed box read a slice at a time, so that a pasted list of
    // megabytes never holds the window for long.
    struct BoxRead
    {
        size_t watched;
        int position = 0;
        QString text;
    };

    void noteChange(size_t index);
    void recount();
    void readSlices();
    void deliver(int survivors, const LiveCount::FamilyCounts &families, quint64 generation);

    const Controls &m_controls;
    std::vector<Watched> m_watched;
    std::vector<size_t> m_changed;      // indexes into m_watched, read at the next recount
    std::vector<BoxRead> m_reads;       // boxes still being read
    SheetRecord m_record;               // the sheet as last read
    QTimer m_coalesce;
    QTimer m_nextSlice;
    quint64 m_generation = 0;           // bumped by every change
    quint64 m_handedOver = 0;           // the generation last given to the worker
    std::shared_ptr<std::atomic<quint64>> m_latest;     // m_generation, for the worker
    QThread m_thread;
    QObject *m_worker = nullptr;        // lives in m_thread and keeps the families' marks
};

// "当前条件：N 注（C 元）" at `betPrice` 元 a bet, in red when nothing survives.
void show_live_count(QLabel *label, int survivors, int betPrice);

// One line for the typed boxes holding entries a run does not read, each
// box by its caption on the sheet: "杀和值：2 项未读（5、30-36）"; the tooltip
// lists them one to a line.
void show_unread_entries(QLabel *label, const QList<UnreadBox> &boxes);

// The families that mark anything, each with its count, in one compact line;
// the label's tooltip lists them one to a line.
void show_family_counts(QLabel *label, const LiveCount::FamilyCounts &counts);
