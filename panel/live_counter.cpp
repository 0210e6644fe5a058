#include "panel/live_counter.h"

#include "core/condition_table.h"
#include "filters/live_count.h"
#include "panel/sheet.h"
#include "panel/typed_boxes.h"
#include "ui/colorbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// Owns the kept marks; touched only on the counting thread.
class CountWorker : public QObject
{
public:
    LiveCount live;
    UnreadEntriesWatch unread;
};
}

LiveCounter::LiveCounter(const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_latest(std::make_shared<std::atomic<quint64>>(0))
{
    for (const ConditionRow &row : condition_rows()) {
        for (int k = 0; k < row.count(); ++k) {
            const auto watch = [&](auto *control, auto changed) {
                if (!control)
                    return;
                connect(control, changed, this, [this, i = m_watched.size()] { noteChange(i); });
                m_watched.push_back({&row, k, qobject_cast<QPlainTextEdit *>(control), false});
            };
            const int index = row.first + k;
            switch (row.kind) {
            case ControlKind::Toggle:
                watch(toggle_at(controls, row, index), &ColorButton::backColorChanged);
                break;
            case ControlKind::Check:
                watch(check_at(controls, row, index), &QCheckBox::stateChanged);
                break;
            case ControlKind::Text:
                watch(text_at(controls, row, index), &QPlainTextEdit::textChanged);
                break;
            case ControlKind::Tolerance:
                watch(tolerance_at(controls, row, index), &QComboBox::editTextChanged);
                break;
            }
        }
    }

    // A zero timer fires once the events queued by a burst are handled.
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &LiveCounter::recount);
    m_nextSlice.setSingleShot(true);
    m_nextSlice.setInterval(0);
    connect(&m_nextSlice, &QTimer::timeout, this, &LiveCounter::readSlices);

    m_worker = new CountWorker;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("LiveCount"));
    m_thread.start();

    for (size_t i = 0; i < m_watched.size(); ++i)
        noteChange(i);
}

LiveCounter::~LiveCounter()
{
    // The worker posts its counts to this object: it must be done first.
    m_latest->store(0);
    m_thread.quit();
    m_thread.wait();
}

void LiveCounter::noteChange(size_t index)
{
    // Whatever is being counted or read now is out of date.
    m_latest->store(++m_generation);
    Watched &watched = m_watched[index];
    if (watched.box)
        std::erase_if(m_reads, [index](const BoxRead &read) { return read.watched == index; });
    if (!watched.changed) {
        watched.changed = true;
        m_changed.push_back(index);
    }
    m_coalesce.start();
}

void LiveCounter::recount()
{
    for (size_t index : m_changed) {
        Watched &w = m_watched[index];
        w.changed = false;
        if (w.box)
            m_reads.push_back({index, 0, {}});
        else
            read_member(m_record, m_controls, *w.row, w.member);
    }
    m_changed.clear();
    readSlices();
}

void LiveCounter::readSlices()
{
    // A change since the last recount comes first; its recount reads on.
    if (!m_changed.empty())
        return;
    // About a few milliseconds of reading per turn of the event loop.
    constexpr int kSliceCharacters = 200'000;
    int budget = kSliceCharacters;
    while (!m_reads.empty() && budget > 0) {
        BoxRead &read = m_reads.back();
        const Watched &w = m_watched[read.watched];
        QTextDocument *document = w.box->document();
        const int length = document->characterCount() - 1;  // without the closing paragraph end
        const int end = std::min(length, read.position + budget);
        if (end > read.position) {
            QTextCursor cursor(document);
            cursor.setPosition(read.position);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            read.text += cursor.selectedText();
            budget -= end - read.position;
            read.position = end;
        }
        if (read.position < length)
            break;
        // The box's plain text, as read_member reads it whole: line breaks
        // and paragraph ends as line feeds, no-break spaces as spaces.
        for (QChar &ch : read.text) {
            if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
                ch = u'\n';
            else if (ch == QChar::Nbsp)
                ch = u' ';
        }
        m_record.texts[member_names(*w.row)[w.member]] = std::move(read.text);
        m_reads.pop_back();
    }
    if (!m_reads.empty()) {
        m_nextSlice.start();
        return;
    }
    // Both timers may end the same reading; one count is enough.
    if (m_handedOver == m_generation)
        return;

    const quint64 generation = m_handedOver = m_generation;
    auto *worker = static_cast<CountWorker *>(m_worker);
    QMetaObject::invokeMethod(
        worker,
        [this, worker, latest = m_latest, record = m_record, generation] {
            // The sheet changed again: a newer count is on its way.
            if (latest->load() != generation)
                return;
            const int survivors = worker->live.count(selections_from_record(record));
            const LiveCount::FamilyCounts families = worker->live.familyCounts();
            if (latest->load() == generation)
                QMetaObject::invokeMethod(
                    this, [this, survivors, families, generation] { deliver(survivors, families, generation); },
                    Qt::QueuedConnection);
            // After the count, which a pasted list would otherwise keep waiting.
            const QList<UnreadBox> unread = worker->unread.update(record);
            if (latest->load() == generation)
                QMetaObject::invokeMethod(
                    this,
                    [this, unread, generation] {
                        if (generation == m_generation)
                            emit unreadFound(unread);
                    },
                    Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void LiveCounter::deliver(int survivors, const LiveCount::FamilyCounts &families, quint64 generation)
{
    if (generation != m_generation)
        return;
    emit familiesCounted(families);
    emit counted(survivors);
}

void show_live_count(QLabel *label, int survivors, int betPrice)
{
    label->setText(QStringLiteral("当前条件：%1 注（%2 元）").arg(survivors).arg(qint64(survivors) * betPrice));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, survivors == 0 ? Colour::toQColor(Colour::Red)
                                                          : QApplication::palette(label).color(QPalette::WindowText));
    label->setPalette(palette);
}

void show_family_counts(QLabel *label, const LiveCount::FamilyCounts &counts)
{
    QStringList compact, full;
    for (const Family &family : families()) {
        const int count = counts[size_t(family.index())];
        if (count == 0)
            continue;
        compact.append(QStringLiteral("%1 %2").arg(family.displayName()).arg(count));
        full.append(QStringLiteral("%1：单独标记 %2 注").arg(family.displayName()).arg(count));
    }
    label->setText(compact.join(QStringLiteral(" · ")));
    label->setToolTip(full.join(u'\n'));
}

void show_unread_entries(QLabel *label, const QList<UnreadBox> &boxes)
{
    QStringList lines;
    for (const UnreadBox &box : boxes) {
        const UnreadEntries &unread = box.entries;
        QStringList shown = unread.shown;
        if (unread.count > shown.size())
            shown.append(QStringLiteral("…"));
        QString line = QStringLiteral("%1：%2 项未读（%3）")
                           .arg(typed_box_caption(*box.row))
                           .arg(unread.count)
                           .arg(shown.join(u'、'));
        if (unread.fullWidth)
            line += QStringLiteral("，请用半角数字");
        lines.append(line);
    }
    label->setText(lines.join(QStringLiteral("；")));
    label->setToolTip(lines.join(u'\n'));
}
