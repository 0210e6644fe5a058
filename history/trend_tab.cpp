#include "history/trend_tab.h"

#include "history/draw_statistics.h"
#include "history/trend_chart.h"
#include "history/trend_model.h"
#include "ui/file_dialog.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A picture of more draws would take hundreds of megabytes.
constexpr int kMostDrawsInPicture = 1000;

QCheckBox *makeSwitch(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(true);
    return box;
}
}

TrendTab::TrendTab(DrawStatistics &statistics, QWidget *parent)
    : QWidget(parent)
    , m_statistics(statistics)
{
    m_window = new QComboBox(this);
    m_window->setObjectName(QStringLiteral("Com_trend_window"));
    for (const OmissionWindow &window : kOmissionWindows)
        m_window->addItem(QString::fromUtf16(window.caption), window.draws);
    m_window->setCurrentIndex(std::max(0, m_window->findData(m_statistics.window())));
    auto *omission = makeSwitch(this, "Check_trend_omission", QStringLiteral("显示遗漏"));
    auto *lines = makeSwitch(this, "Check_trend_lines", QStringLiteral("折线"));
    auto *exportButton = new QPushButton(QStringLiteral("导出图片"), this);
    exportButton->setObjectName(QStringLiteral("C_trend_export"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_window);
    controls->addWidget(omission);
    controls->addWidget(lines);
    controls->addStretch(1);
    controls->addWidget(exportButton);

    m_model = new TrendModel(this);
    m_chart = new TrendChart(m_model, this);
    m_chart->setObjectName(QStringLiteral("trend_chart"));
    // The chart takes the width the tab has: with its 48 columns it needs it.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(m_chart, 1);

    connect(m_window, &QComboBox::currentIndexChanged, this,
            [this] { m_statistics.setWindow(m_window->currentData().toInt()); });
    connect(omission, &QCheckBox::toggled, m_chart, &TrendChart::setShowOmission);
    connect(lines, &QCheckBox::toggled, m_chart, &TrendChart::setShowLines);
    connect(exportButton, &QPushButton::clicked, this, &TrendTab::onExportClicked);
    connect(&m_statistics, &DrawStatistics::changed, this, &TrendTab::showDraws);
    showDraws();
}

// The newest draw and the figures under it are what players look at first.
void TrendTab::showDraws()
{
    m_model->setDraws(m_statistics.windowDraws());
    m_chart->scrollToBottom();
}

void TrendTab::onExportClicked()
{
    if (m_model->drawCount() == 0) {
        show_message(this, QStringLiteral("没有可导出的开奖号"), QStringLiteral("温馨提示"));
        return;
    }
    if (m_model->drawCount() > kMostDrawsInPicture) {
        show_message(this, QStringLiteral("走势图最多导出 %1 期，请选择较少的期数。").arg(kMostDrawsInPicture),
                     QStringLiteral("温馨提示"));
        return;
    }
    FileRequest request;
    request.kind = FileRequest::Save;
    request.title = QStringLiteral("导出图片");
    request.suggestedName =
        QStringLiteral("走势图-%1.png").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    request.filter = QStringLiteral("PNG 图片 (*.png)");
    request.defaultSuffix = QStringLiteral("png");
    const QString path = choose_file(this, request);
    if (!path.isEmpty())
        exportPicture(path);
}

bool TrendTab::exportPicture(const QString &path)
{
    const bool written = m_chart->picture().save(path, "PNG");
    if (!written)
        show_message(this, QStringLiteral("无法写入文件：\n%1").arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("错误提示"));
    return written;
}
