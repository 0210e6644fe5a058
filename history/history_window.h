#pragma once

#include "core/history.h"
#include "core/selections.h"
#include "core/shrink.h"
#include "filters/backtest.h"

#include <QWidget>
#include <functional>

class BacktestModel;
class QChartView;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTableView;
class QTimer;

// "历史验证": how the sheet's conditions would have fared on past draws, and
// a second tab with the last run's survivors by sum, span and shape. It never
// touches the main window's run: the back-test runs the conditions on a
// ShrinkState of its own.
class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    using SelectionsSource = std::function<Selections()>;

    // `currentSelections` reads the sheet as it is now; `lastRun` is the main
    // window's run, which the second tab pictures.
    HistoryWindow(SelectionsSource currentSelections, const ShrinkState &lastRun, QWidget *parent);
    ~HistoryWindow() override;

    // After each shrink run of the main window.
    void onShrinkRun();

    // Back-tests the sheet's conditions on the chosen draws of the box.
    void runBacktest();

    // The box takes the file's draws; false, with a message, when it cannot.
    bool loadHistoryFile(const QString &path);
    // The table as shown, as a workbook or as CSV by the file's suffix.
    bool exportTable(const QString &path);

    // Where the box's text is kept between starts.
    static QString savedHistoryPath();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildBacktestTab();
    QWidget *buildDistributionTab();
    void onLoadClicked();
    void onExportClicked();
    void showMalformed(const QList<MalformedLine> &malformed);
    void showSummary(const BacktestSummary &summary);
    void refresh();
    void drawDistribution();
    void saveHistory();

    SelectionsSource m_currentSelections;
    const ShrinkState &m_lastRun;
    ShrinkState m_backtestRun;
    bool m_stale = true;
    QString m_savedText;
    bool m_saveFailed = false;

    QPlainTextEdit *m_box = nullptr;
    QComboBox *m_range = nullptr;
    QListWidget *m_malformed = nullptr;
    QLabel *m_summary = nullptr;
    BacktestModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QChartView *m_familyChart = nullptr;
    QLabel *m_survivorCount = nullptr;
    QChartView *m_sumChart = nullptr;
    QChartView *m_spanChart = nullptr;
    QChartView *m_shapeChart = nullptr;
    QTimer *m_saveTimer = nullptr;
};
