#pragma once

#include "app/feed_view.h"
#include "core/shrink.h"
#include "panel/controls.h"
#include "core/sheet_record.h"
#include "filters/family_marks.h"
#include "history/draw_statistics.h"
#include "net/draws_update.h"
#include "store/draw_store.h"

#include <QWidget>
#include <memory>

class QPushButton;
#include <optional>

class HistoryWindow;
class LiveCounter;
class OmissionMarks;
class QTimer;

class SheetHistory;
class SheetScroller;

// The main window: one condition sheet with every panel, the result column
// and the action buttons. Its three one-shot timers do the start-up work.
class Fmain : public QWidget
{
    Q_OBJECT
public:
    explicit Fmain(QWidget *parent = nullptr);
    ~Fmain() override;

    const Controls &controls() const { return m_controls; }
    Controls &controls() { return m_controls; }
    const ShrinkState &shrinkState() const { return m_shrink; }
    ServerFeed &serverFeed() { return m_feed; }
    // The past draws, opened with the window; the update starts once the
    // window shows.
    DrawStore &drawStore() { return m_drawStore; }
    DrawsUpdate &drawsUpdate() { return m_drawsUpdate; }

    // The strip under the sheet. Tools put their widgets into it here, left
    // of its free space; the strip's layout takes anything else at its end.
    QWidget *toolStrip() const { return m_controls.ToolStrip; }
    void addToolStripWidget(QWidget *widget);
    // A button of the strip, as wide as its caption, added as above.
    QPushButton *addToolButton(const char *name, const QString &caption);

    // Counts the survivors of the sheet as it stands, for L_live_count.
    LiveCounter *liveCounter() const { return m_liveCounter.get(); }

    void dispatch_action(int index);

    // A condition scheme (方案) from and to a file, behind the strip's buttons.
    // A failed load says why in a message box and leaves the sheet as it was.
    bool save_scheme(const QString &path);
    bool load_scheme(const QString &path);

    SheetHistory *sheetHistory() const { return m_sheetHistory; }

    // Where the sheet is kept from one start to the next.
    static QString autosave_path();

    // The first show decides, for the screen the window goes to, whether the
    // sheet needs a scrolling window around it.
    void setVisible(bool visible) override;
signals:
    // After every shrink run, when the matrix holds its marks and verdicts.
    void shrinkRunFinished();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Whoever sets the title (the feed, at start) sets the part before the
    // scheme's name.
    void changeEvent(QEvent *event) override;

private:
    void buildResultColumn();
    void buildBaseSetBox();
    void buildProgressFrame();
    void buildToolStrip();
    void buildLiveCount();
    void buildHistoryTool();
    void showHistoryWindow();
    void buildOmissionTools();
    void buildTimers();
    void startDrawsUpdate();
    void connectHandlers();
    void connectKeys();
    void connectSchemeTools();
    void buildSheetTools();
    void undoOrRedo(bool undo);
    void showWhyKilled();
    void showStale();
    void setSheet(const SheetRecord &record);
    void restoreLastSheet();
    void autosaveSheet();

    void startCore();
    void initialise_software();

    void onActionClicked(int index);
    void onRatioOrPatternClicked(int index);
    void onMinMaxClicked(int index);
    void onDanDigitClicked(int index);
    void onDanCountClicked(int index);
    void onClearClicked(int index);
    void onTabClicked(int index);
    void onHelpClicked(int index);
    void onLinkClicked(int index);
    void onLinkLabelHovered(int index);
    void calmLinkLabels();

    void shrink_run();
    void setProgress(double fraction);
    void showResult(const ResultList &result);
    void showInversion();
    void showGroups();
    void combineBaseSets(QStringView code);

    void buildBetTools();
    void recordBet();
    // The issue after the newest draw, unless the player chose one still to come.
    void proposeBetIssue();
    void tellBetResults();

    void onSaveSchemeClicked();
    void onLoadSchemeClicked();
    void onExportClicked();
    // The scheme just loaded or saved: first in the recent list, named in the title.
    void rememberScheme(const QString &path);
    QString titleWithScheme() const;
    void fillRecentMenu();

    Controls m_controls;
    ShrinkState m_shrink;
    FamilyMarks m_familyMarks;              // kept from run to run: a run marks only what changed
    ServerFeed m_feed{this, m_controls};
    SheetHistory *m_sheetHistory = nullptr;
    std::optional<SheetRecord> m_lastRun;   // the sheet the last shrink run read
    SheetRecord m_startSheet;               // the sheet as the window opened
    QString m_baseTitle;                    // the feed's title or "Vintora"
    QString m_schemeName;                   // the file name of the scheme last loaded or saved
    bool m_screenChecked = false;
    SheetScroller *m_scroller = nullptr;    // owned; only on a screen too small for the sheet
    HistoryWindow *m_history = nullptr;     // made when first opened
    QTimer *m_drawsTimer = nullptr;         // started by the first show
    DrawStore m_drawStore{default_draws_folder()};
    // Goes before the store it writes to.
    DrawsUpdate m_drawsUpdate{m_drawStore};
    // The draws the omission figures count, on the sheet and in the history window.
    DrawStatistics m_statistics{m_drawStore};
    OmissionMarks *m_omissionMarks = nullptr;
    // Last, so it stops counting before any control goes.
    std::unique_ptr<LiveCounter> m_liveCounter;
    int m_liveSurvivors = kCandidateCount;  // its last count
    BetKind m_listKind = BetKind::Straight; // what the result list holds
};
