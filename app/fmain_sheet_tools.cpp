// Fmain's tools around the sheet: undo and redo, the notice that the list is
// older than the sheet, why the last run left a number out, and the sheet
// kept from one start to the next.
#include "app/fmain.h"

#include "panel/actions.h"
#include "core/scheme.h"
#include "core/text.h"
#include "filters/why_killed.h"
#include "panel/live_counter.h"
#include "panel/sheet.h"
#include "panel/sheet_history.h"
#include "ui/elided_label.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>

namespace {
constexpr int StatusLineHeight = 20;

template<typename Label = QLabel>
Label *makeStripLabel(QWidget *strip, const char *name, const QColor &colour)
{
    auto *label = new Label(strip);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// The entry of T_duijiang as a number when it is four digits around spaces.
std::optional<int> enteredNumber(const QString &entry)
{
    QString digits = entry;
    digits.remove(u' ');
    if (digits.size() != 4 || only_str(digits, u"0123456789") != digits)
        return std::nullopt;
    return digits.toInt();
}

// Keeps an unreadable file for the player to look at, under a name no later
// start reads.
void setAside(const QString &path)
{
    const QString stem = path + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = stem;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = stem + QStringLiteral("-%1").arg(n);
    QFile::rename(path, target);
}
}

QString Fmain::autosave_path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("last-sheet.json"));
}

void Fmain::buildSheetTools()
{
    Controls &c = m_controls;
    m_startSheet = read_sheet_record(c);
    m_sheetHistory = new SheetHistory(c, this);

    auto addButton = [this](const char *name, const QString &caption, const QKeySequence &keys) {
        QPushButton *button = addToolButton(name, caption);
        button->setEnabled(false);
        button->setToolTip(keys.toString(QKeySequence::NativeText));
        return button;
    };
    c.C_undo = addButton("C_undo", QStringLiteral("撤销"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    c.C_redo = addButton("C_redo", QStringLiteral("重做"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(c.C_undo, &QPushButton::clicked, this, [this] { undoOrRedo(true); });
    connect(c.C_redo, &QPushButton::clicked, this, [this] { undoOrRedo(false); });
    // The keys reach the window only where a text box does not take them.
    for (const auto &[key, undo] : {std::pair{Qt::Key_Z, true}, std::pair{Qt::Key_Y, false}}) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, this, [this, undo = undo] { undoOrRedo(undo); });
    }

    // The longer lines get a line of the strip of their own, under its
    // buttons, the family counts under the live count; the window grows by it.
    auto *layout = static_cast<QHBoxLayout *>(c.ToolStrip->layout());
    const int buttonsHeight = c.ToolStrip->height();
    QMargins margins = layout->contentsMargins();
    margins.setBottom(margins.bottom() + StatusLineHeight);
    layout->setContentsMargins(margins);
    c.ToolStrip->resize(width(), buttonsHeight + StatusLineHeight);
    setFixedSize(width(), height() + StatusLineHeight);
    c.StatusLine = new QWidget(c.ToolStrip);
    c.StatusLine->setObjectName(QStringLiteral("StatusLine"));
    c.StatusLine->setGeometry(0, buttonsHeight, width(), StatusLineHeight);
    auto *line = new QHBoxLayout(c.StatusLine);
    line->setContentsMargins(6, 0, 6, 4);
    c.L_why_killed = makeStripLabel(c.StatusLine, "L_why_killed", QColor(160, 0, 0));
    // Here rather than beside the live count, which its price leaves no room.
    c.L_stale = makeStripLabel(c.StatusLine, "L_stale", QColor(200, 90, 0));
    // The bets' results, the unread entries and the counts take the room the
    // why-line leaves them; what does not fit ends in an ellipsis, and the
    // tooltips hold all.
    c.L_bet_result = makeStripLabel<ElidedLabel>(c.StatusLine, "L_bet_result", QColor(0, 110, 40));
    c.L_unread = makeStripLabel<ElidedLabel>(c.StatusLine, "L_unread", QColor(200, 90, 0));
    c.L_family_counts = makeStripLabel<ElidedLabel>(c.StatusLine, "L_family_counts", QColor(70, 70, 70));
    c.L_family_counts->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->addWidget(c.L_why_killed);
    line->addWidget(c.L_stale);
    line->addWidget(c.L_bet_result);
    line->addWidget(c.L_unread);
    line->addWidget(c.L_family_counts, 1);
    connect(m_liveCounter.get(), &LiveCounter::familiesCounted, this,
            [this](const LiveCount::FamilyCounts &counts) { show_family_counts(m_controls.L_family_counts, counts); });
    connect(m_liveCounter.get(), &LiveCounter::unreadFound, this,
            [this](const QList<UnreadBox> &boxes) { show_unread_entries(m_controls.L_unread, boxes); });

    auto showSteps = [this] {
        m_controls.C_undo->setEnabled(m_sheetHistory->canUndo());
        m_controls.C_redo->setEnabled(m_sheetHistory->canRedo());
    };
    connect(m_sheetHistory, &SheetHistory::changed, this, showSteps);
    connect(m_sheetHistory, &SheetHistory::touched, this, showSteps);
    connect(m_sheetHistory, &SheetHistory::touched, this, &Fmain::showStale);
}

void Fmain::undoOrRedo(bool undo)
{
    // Inside a text box the keys belong to the box. Boxes take their own
    // undo keys first; these reach here only where the desktop gives a box
    // another redo key than Ctrl+Y.
    QWidget *focus = QApplication::focusWidget();
    if (auto *box = qobject_cast<QPlainTextEdit *>(focus)) {
        undo ? box->undo() : box->redo();
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        undo ? line->undo() : line->redo();
        return;
    }
    undo ? m_sheetHistory->undo() : m_sheetHistory->redo();
}

void Fmain::showStale()
{
    const bool stale = m_lastRun && read_sheet_record(m_controls) != *m_lastRun;
    m_controls.L_stale->setText(stale ? QStringLiteral("条件已改变，按[开始缩水]更新") : QString());
}

void Fmain::showWhyKilled()
{
    QString line;
    const std::optional<int> number = enteredNumber(m_controls.T_duijiang->text());
    if (number && m_lastRun && m_shrink.matrix) {
        const ToleranceRange total = selections_from_record(*m_lastRun).total;
        if (const auto reason = why_killed(*m_shrink.matrix, *number, m_shrink.BaseSetActive, total))
            line = why_killed_line(*number, *reason, total);
    }
    m_controls.L_why_killed->setText(line);
}

void Fmain::setSheet(const SheetRecord &record)
{
    // From the reset sheet every control is set as a click would set it, so
    // nothing of the sheet before survives.
    dispatch_action(ResetConditions);
    apply_sheet_record(m_controls, record);
}

void Fmain::restoreLastSheet()
{
    const QString path = autosave_path();
    if (!QFileInfo::exists(path))
        return;
    const SchemeReading reading = read_scheme_file(path);
    if (reading.record) {
        setSheet(*reading.record);
        // The list shows what the sheet keeps, as it did before closing.
        onActionClicked(Shrink);
    } else {
        setAside(path);
    }
    // Undo stops at the sheet the player finds on opening.
    m_sheetHistory->restart();
}

void Fmain::autosaveSheet()
{
    const QString path = autosave_path();
    const QByteArray sheet = write_scheme(read_sheet_record(m_controls));
    // A sheet that saves as the untouched one does (boxes showing their
    // hints, in the start or the reset form) opens the same way without a file.
    if (sheet == write_scheme(m_startSheet)) {
        QFile::remove(path);
        return;
    }
    // Closing goes on whatever happens here: the worst case is a sheet that
    // does not come back, never a half-written file that is read.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(sheet) >= 0)
        file.commit();
}
