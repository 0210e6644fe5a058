#include "panel/live_counter.h"

#include "core/condition_table.h"
#include "filters/live_count.h"
#include "ui/colorbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
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
};

void setMember(QSet<QString> &set, const QString &name, bool member)
{
    if (member)
        set.insert(name);
    else
        set.remove(name);
}
}

LiveCounter::LiveCounter(QWidget *sheet, QObject *parent)
    : QObject(parent)
    , m_latest(std::make_shared<std::atomic<quint64>>(0))
{
    QHash<QString, QWidget *> byName;
    for (QWidget *widget : sheet->findChildren<QWidget *>())
        byName.insert(widget->objectName(), widget);
    for (const ConditionRow &row : condition_rows()) {
        for (const QString &name : member_names(row)) {
            if (QWidget *control = byName.value(name))
                m_watched.push_back({control, name, row.kind, false});
        }
    }

    for (size_t i = 0; i < m_watched.size(); ++i) {
        QWidget *control = m_watched[i].control;
        const auto note = [this, i] { noteChange(i); };
        switch (m_watched[i].kind) {
        case ControlKind::Toggle:
            connect(static_cast<ColorButton *>(control), &ColorButton::backColorChanged, this, note);
            break;
        case ControlKind::Check:
            connect(static_cast<QCheckBox *>(control), &QCheckBox::stateChanged, this, note);
            break;
        case ControlKind::Text:
            connect(static_cast<QPlainTextEdit *>(control), &QPlainTextEdit::textChanged, this, note);
            break;
        case ControlKind::Tolerance:
            connect(static_cast<QComboBox *>(control), &QComboBox::editTextChanged, this, note);
            break;
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
    if (watched.kind == ControlKind::Text)
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
        switch (w.kind) {
        case ControlKind::Toggle:
            setMember(m_record.selected, w.name, static_cast<ColorButton *>(w.control)->backColor() != Colour::Grey);
            break;
        case ControlKind::Check:
            setMember(m_record.checked, w.name, static_cast<QCheckBox *>(w.control)->isChecked());
            break;
        case ControlKind::Text:
            m_reads.push_back({index, 0, {}});
            break;
        case ControlKind::Tolerance:
            m_record.tolerances[w.name] = static_cast<QComboBox *>(w.control)->currentText();
            break;
        }
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
        QTextDocument *document = static_cast<QPlainTextEdit *>(w.control)->document();
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
        // The box's plain text, as the full run reads it: line breaks and
        // paragraph ends as line feeds, no-break spaces as spaces.
        for (QChar &ch : read.text) {
            if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
                ch = u'\n';
            else if (ch == QChar::Nbsp)
                ch = u' ';
        }
        m_record.texts[w.name] = std::move(read.text);
        m_reads.pop_back();
    }
    if (!m_reads.empty()) {
        m_nextSlice.start();
        return;
    }

    const quint64 generation = m_generation;
    auto *worker = static_cast<CountWorker *>(m_worker);
    QMetaObject::invokeMethod(
        worker,
        [this, worker, latest = m_latest, record = m_record, generation] {
            // The sheet changed again: a newer count is on its way.
            if (latest->load() != generation)
                return;
            const int survivors = worker->live.count(selections_from_record(record));
            if (latest->load() == generation)
                QMetaObject::invokeMethod(this, [this, survivors, generation] { deliver(survivors, generation); },
                                          Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void LiveCounter::deliver(int survivors, quint64 generation)
{
    if (generation == m_generation)
        emit counted(survivors);
}

void show_live_count(QLabel *label, int survivors)
{
    label->setText(QStringLiteral("当前条件：%1 注").arg(survivors));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, survivors == 0 ? Colour::toQColor(Colour::Red)
                                                          : QApplication::palette(label).color(QPalette::WindowText));
    label->setPalette(palette);
}
