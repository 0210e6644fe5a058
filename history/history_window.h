#pragma once

#include "core/history.h"
#include "core/sheet_record.h"
#include "core/shrink.h"
#include "store/draw_store.h"
#include "filters/backtest.h"

#include <QWidget>
#include <functional>
#include <optional>

class BacktestModel;
class BetsTab;
class DrawStatistics;
class DrawsModel;
class DrawsUpdate;
class EfficiencyTab;
class TradeoffTab;
struct DrawsUpdateReport;
class QChartView;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

// "历史验证": how the sheet's conditions would have fared on the past draws
// of the store, beside chance; tabs with the last run's survivors by sum,
// span and shape, with what each condition costs, with the trade-off of the
// total tolerance, and with the record of bets. The player keeps the store
// here: pasted draws, draw files, updates from the feed servers, deletions
// and corrections. It never touches the main window's run: the back-test
// runs the conditions on a ShrinkState of its own.
class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    // How the window reaches the sheet: reads it as it stands, and clicks
    // one of its condition controls by object name as the player would.
    struct SheetAccess
    {
        std::function<SheetRecord()> read;
        std::function<void(const QString &objectName)> click;
    };

    // `lastRun` is the main window's run, which the second tab pictures.
    // `draws`, `update` and `statistics` are the main window's and outlive
    // this window's use of them.
    HistoryWindow(SheetAccess sheet, const ShrinkState &lastRun, DrawStore &draws, DrawsUpdate &update,
                  DrawStatistics &statistics, QWidget *parent);
    ~HistoryWindow() override;

    // After each shrink run of the main window.
    void onShrinkRun();
    // After the sheet changed.
    void onSheetChanged();

    // Back-tests the sheet's conditions on the chosen draws of the store.
    void runBacktest();
    // The record of bets read again, after one was recorded.
    void showBets();

    // Turns to the trend chart.
    void showTrend();

    // The store takes the draws of the box; the box keeps the lines it
    // could not take. False, with a message, when the store refused.
    bool storePastedDraws();
    // The store takes the file's draws; false, with a message, when it cannot.
    bool loadHistoryFile(const QString &path);
    // The table as shown, as a workbook or as CSV by the file's suffix.
    bool exportTable(const QString &path);

    // Where the lines pasted but not stored are kept between starts.
    static QString savedHistoryPath();

signals:
    // The draws were read again after a write here or elsewhere: bets on
    // their issues may have been checked.
    void drawsChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildBacktestTab();
    QLayout *buildDrawsColumn(QWidget *tab);
    QWidget *buildDistributionTab();
    void onLoadClicked();
    void onExportClicked();
    void onUpdateClicked();
    void showUpdate(const DrawsUpdateReport &report);
    void showEntries(const QString &what, const WriteOutcome &outcome, qsizetype unstored);
    void showStoreRefusal();
    // Writes the draws into the store; nothing, after a message, when they
    // are too many for one write or the store refuses them.
    std::optional<WriteOutcome> storeDraws(const DrawHistory &history, DrawSource source);
    void showDraws();
    void deleteSelectedDraws();
    void correctCurrentDraw();
    void showUnstored(const QStringList &entries);
    void showSummary(const BacktestSummary &summary);
    void refresh();
    void drawDistribution();
    void saveHistory();

    SheetAccess m_sheet;
    const ShrinkState &m_lastRun;
    DrawStore &m_store;
    DrawsUpdate &m_update;
    DrawStatistics &m_statistics;
    ShrinkState m_backtestRun;
    bool m_stale = true;
    QString m_savedText;
    bool m_saveFailed = false;

    QTabWidget *m_tabs = nullptr;
    QWidget *m_trendTab = nullptr;
    QPushButton *m_updateButton = nullptr;
    QLabel *m_drawsStatus = nullptr;
    QLabel *m_drawsCount = nullptr;
    DrawsModel *m_drawsModel = nullptr;
    QTableView *m_drawsTable = nullptr;
    QPlainTextEdit *m_box = nullptr;
    QComboBox *m_range = nullptr;
    QListWidget *m_malformed = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_chance = nullptr;
    BacktestModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QChartView *m_familyChart = nullptr;
    QLabel *m_survivorCount = nullptr;
    QChartView *m_sumChart = nullptr;
    QChartView *m_spanChart = nullptr;
    QChartView *m_shapeChart = nullptr;
    EfficiencyTab *m_efficiency = nullptr;
    TradeoffTab *m_tradeoff = nullptr;
    BetsTab *m_bets = nullptr;
    QTimer *m_saveTimer = nullptr;
};
