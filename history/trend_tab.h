#pragma once

#include <QWidget>

class DrawStatistics;
class QComboBox;
class TrendChart;
class TrendModel;

// "走势图": the trend chart of the chosen window of stored draws, newest at
// the bottom, its switches, and the chart saved as a picture.
class TrendTab : public QWidget
{
    Q_OBJECT
public:
    TrendTab(DrawStatistics &statistics, QWidget *parent = nullptr);

    // The whole chart as a PNG file; false, with a message, when it cannot be.
    bool exportPicture(const QString &path);

private:
    void showDraws();
    void onExportClicked();

    DrawStatistics &m_statistics;
    QComboBox *m_window = nullptr;
    TrendModel *m_model = nullptr;
    TrendChart *m_chart = nullptr;
};
