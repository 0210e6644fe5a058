// Fmain's omission tools: the trend chart opened from the tool strip, and
// the omission figures on the sheet, which follow the draw store.
#include "app/fmain.h"

#include "history/history_window.h"
#include "panel/omission_marks.h"

#include <QPushButton>

void Fmain::buildOmissionTools()
{
    QPushButton *trend = addToolButton("C_trend", QStringLiteral("走势"));
    connect(trend, &QPushButton::clicked, this, [this] {
        showHistoryWindow();
        m_history->showTrend();
    });

    QPushButton *shown = addToolButton("C_show_omission", QStringLiteral("显示遗漏"));
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
