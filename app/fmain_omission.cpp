// Fmain's omission tools: the trend chart opened from the tool strip, and
// the omission figures on the sheet, which follow the draw store.
#include "app/fmain.h"

#include "history/history_window.h"
#include "panel/omission_marks.h"

#include <QPushButton>

void Fmain::buildOmissionTools()
{
    // As wide as their captions: the strip has no room for the style's
    // width of a button.
    auto addButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, toolStrip());
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
        addToolStripWidget(button);
        return button;
    };
    QPushButton *trend = addButton("C_trend", QStringLiteral("走势"));
    connect(trend, &QPushButton::clicked, this, [this] {
        showHistoryWindow();
        m_history->showTrend();
    });

    QPushButton *shown = addButton("C_show_omission", QStringLiteral("显示遗漏"));
    shown->setCheckable(true);
    m_omissionMarks = new OmissionMarks(m_controls, this);
    connect(shown, &QPushButton::clicked, m_omissionMarks, &OmissionMarks::setShown);

    auto showFigures = [this, shown] {
        const QString window = m_statistics.windowCaption();
        m_omissionMarks->setDraws(m_statistics.windowNumbers(), window);
        shown->setToolTip(QStringLiteral("在条件上显示当前遗漏（%1，走势图中可改）").arg(window));
    };
    connect(&m_statistics, &DrawStatistics::changed, this, showFigures);
    connect(&m_drawsUpdate, &DrawsUpdate::finished, this, [this](const DrawsUpdateReport &report) {
        if (report.outcome == DrawsUpdateReport::Merged)
            m_statistics.reload();
    });
    showFigures();
}
