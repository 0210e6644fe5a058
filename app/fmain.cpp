#include "app/fmain.h"

#include "panel/actions.h"
#include "ui/modal.h"
#include "app/mycode.h"
#include "app/screen_fit.h"
#include "panel/sheet_history.h"
#include "app/shutdown.h"
#include "core/condition_table.h"
#include "help/dan_picture.h"
#include "help/help_popups.h"
#include "history/history_window.h"
#include "filters/groups.h"
#include "filters/shrink_run.h"
#include "filters/prize_check.h"
#include "filters/set_operations.h"
#include "ui/colorbutton.h"
#include "ui/factory.h"
#include "ui/settings.h"
#include "panel/group_buttons.h"
#include "panel/left_column.h"
#include "panel/link_bar.h"
#include "panel/live_counter.h"
#include "panel/lower_right_panels.h"
#include "panel/pattern_grids.h"
#include "panel/regions.h"
#include "panel/reset.h"
#include "panel/result_list.h"
#include "panel/sheet.h"
#include "panel/top_panels.h"
#include "panel/typed_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>

namespace {
// Rewrites a set-operation box in one assignment. A list of 10,000 numbers
// is one paragraph the box lays out whole, the costly part: a box already
// showing the text (A and B after an earlier operation) is left alone, and
// the document is set directly, without the editor's scroll-to-cursor pass.
void replaceText(QPlainTextEdit *box, const QString &text)
{
    if (typed_text(box) != text)
        box->document()->setPlainText(text);
}

// Every size of the icon embedded in the program, so each place that shows
// it picks the sharpest.
QIcon programIcon()
{
    QIcon icon;
    const QDir pictures(QStringLiteral(":/icon"));
    for (const QString &name : pictures.entryList(QDir::Files))
        icon.addFile(pictures.filePath(name));
    return icon;
}

// The tool strip lies under the sheet, whose regions keep their places.
constexpr int ToolStripHeight = 34;

// A toggle's selected colour is its table row's.
int selectedColour(QStringView array, int index)
{
    return condition_row(array, index)->selectedColour;
}

QTimer *makeStartupTimer(QObject *parent, const char *name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}
}

Fmain::Fmain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QStringLiteral("Vintora"));
    // Set for the application, so the message boxes carry it too.
    QApplication::setWindowIcon(programIcon());
    setFixedSize(px(Regions::ClientWidth), px(Regions::ClientHeight) + ToolStripHeight);

    build_left_column(this, m_controls);
    build_pattern_grids(this, m_controls);
    buildResultColumn();
    build_top_panels(this, m_controls);
    build_special_exclusions(this, m_controls);
    build_min_max_digits(this, m_controls);
    buildBaseSetBox();
    buildProgressFrame();
    build_dan_picture_panel(this, m_controls);
    build_link_bar(this, m_controls);
    buildToolStrip();
    buildHistoryTool();
    buildOmissionTools();
    buildTimers();
    connectHandlers();
    connectSchemeTools();
    buildLiveCount();
    buildSheetTools();
    buildBetTools();
    connectKeys();
    select_hints_on_focus(this);
    mark_tabs_holding_lists(m_controls);
}

Fmain::~Fmain()
{
    // The history reads the controls through m_controls, which goes before
    // the controls do; closing the window still moves their focus.
    delete m_sheetHistory;
    if (m_scroller) {
        m_scroller->takeWidget();
        delete m_scroller;
    }
}

void Fmain::setVisible(bool visible)
{
    if (visible && !m_screenChecked) {
        m_screenChecked = true;
        if (!fits_screen(size(), screen()))
            m_scroller = new SheetScroller(this, screen());
        m_drawsTimer->start();
    }
    QWidget::setVisible(visible);
    if (m_scroller)
        m_scroller->setVisible(visible);
}

void Fmain::buildResultColumn()
{
    const QRect column = Regions::ResultColumn.rect();
    auto *box = new QWidget(this);
    box->setObjectName(QStringLiteral("ResultColumn"));
    box->setGeometry(column);
    Controls &c = m_controls;

    c.Li_out = new ResultListView(box);
    c.Li_out->setObjectName(QStringLiteral("Li_out"));
    c.Li_out->setGeometry(twipRect(30, 30, 2235, 5070));
    c.Li_out->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Four numbers and their spaces must fit a line beside the scroll bar.
    QFont listFont = c.Li_out->font();
    listFont.setPointSizeF(listFont.pointSizeF() - 1);
    c.Li_out->setFont(listFont);

    const int w = column.width();
    int y = px(5130);
    make_label(box, QStringLiteral("最后注数："), QRect(2, y, 66, 20));
    c.dadi_zhushu = make_label(box, QStringLiteral("0"), QRect(70, y, w - 112, 20), QStringLiteral("dadi_zhushu"));
    // The total tolerance's help sits above its row.
    const ConditionRow &total = *family_rows(KillRow).first();
    make_help_button(box, c, total.helpButton, QPoint(w - 2 - px(HelpButtonWidth), y));

    y += 24;
    const QStringList &totalNames = member_names(total);
    make_label(box, QString::fromUtf16(total.label), QRect(2, y, 38, 22));
    place(c.Com_rc, total.first, make_tolerance_box(box, totalNames.first(), QRect(40, y, 48, 22)));
    make_label(box, QStringLiteral("至"), QRect(91, y, 14, 22));
    place(c.Com_rc, total.last, make_tolerance_box(box, totalNames.last(), QRect(105, y, 48, 22)));

    y += 26;
    c.L_duijiang_news = make_label(box, QStringLiteral("【中奖查询】"), QRect(0, y, 86, 22),
                                   QStringLiteral("L_duijiang_news"));
    c.T_duijiang = new QLineEdit(box);
    c.T_duijiang->setObjectName(QStringLiteral("T_duijiang"));
    c.T_duijiang->setGeometry(88, y, w - 90, 22);

    auto placeAction = [&](int index, const QRect &geometry) {
        const ActionButtonSpec &action = kActionButtons[index];
        place(c.C_guolv_ks, index,
              make_button(box, arrayName("C_guolv_ks", index), QString::fromUtf16(action.caption), geometry,
                          action.colour));
    };
    y += 28;
    placeAction(Shrink, QRect(2, y, w - 4, 30));
    y += 34;
    placeAction(CopyResult, QRect(2, y, w - 4, 26));
    y += 30;
    placeAction(Invert, QRect(2, y, (w - 6) / 2, 26));
    placeAction(ToGroups, QRect(4 + (w - 6) / 2, y, (w - 6) / 2, 26));
    y += 30;
    placeAction(ResetConditions, QRect(2, y, w - 4, 26));

    c.Cf = new QPushButton(this);
    c.Cf->setObjectName(QStringLiteral("Cf"));
    c.Cf->setFlat(true);
    c.Cf->setGeometry(width() - 1, height() - 1, 1, 1);
}

void Fmain::buildBaseSetBox()
{
    // The box starts with its hint and a line break.
    const ConditionRow &base = *family_rows(BaseRow).first();
    QPlainTextEdit *box = make_text_box(this, member_names(base).first(), base.region.rect(),
                                        member_captions(base).first() + u'\n');
    clear_on_double_click(box);
    place(m_controls.T_cs_ip, base.first, box);
}

void Fmain::buildProgressFrame()
{
    Controls &c = m_controls;
    c.Frame_jindu = make_frame(this, QStringLiteral("Frame_jindu"), QStringLiteral("正在过滤中，请稍等。。。"),
                               QRect(330, 250, 300, 64));
    c.Frame_jindu->hide();
    // Opaque, so moving its bar repaints the frame alone, not the sheet under it.
    c.Frame_jindu->setAutoFillBackground(true);
    const QRect track(12, 30, 276, 20);
    const int colours[] = {Colour::bgr(255, 255, 255), Colour::Red};
    for (int i = 0; i < 2; ++i) {
        auto *bar = new QFrame(c.Frame_jindu);
        bar->setObjectName(arrayName("T_jindutiao", i));
        bar->setFrameShape(i == 0 ? QFrame::Box : QFrame::NoFrame);
        bar->setAutoFillBackground(true);
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, Colour::toQColor(colours[i]));
        bar->setPalette(palette);
        bar->setGeometry(i == 0 ? track : QRect(track.topLeft(), QSize(0, track.height())));
        place(c.T_jindutiao, i, bar);
    }
}

void Fmain::buildToolStrip()
{
    Controls &c = m_controls;
    c.ToolStrip = new QWidget(this);
    c.ToolStrip->setObjectName(QStringLiteral("ToolStrip"));
    c.ToolStrip->setGeometry(0, px(Regions::ClientHeight), width(), ToolStripHeight);
    auto *layout = new QHBoxLayout(c.ToolStrip);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->setSpacing(4);
    // The tools stand left of the free space, the live count right of it.
    layout->addStretch(1);
    auto addButton = [this](const char *name, const QString &caption, const QKeySequence &shortcut) {
        QPushButton *button = addToolButton(name, caption);
        if (!shortcut.isEmpty()) {
            button->setShortcut(shortcut);
            button->setToolTip(shortcut.toString(QKeySequence::NativeText));
        }
        return button;
    };
    c.C_save_scheme = addButton("C_save_scheme", QStringLiteral("保存方案"), QKeySequence(Qt::CTRL | Qt::Key_S));
    c.C_load_scheme = addButton("C_load_scheme", QStringLiteral("载入方案"), QKeySequence(Qt::CTRL | Qt::Key_O));
    c.C_recent_schemes = addButton("C_recent_schemes", QStringLiteral("最近方案"), {});
    c.C_recent_schemes->setMenu(new QMenu(c.C_recent_schemes));
    c.C_recent_schemes->setFixedWidth(c.C_recent_schemes->width()
                                      + c.C_recent_schemes->style()->pixelMetric(QStyle::PM_MenuButtonIndicator));
    c.C_export_result = addButton("C_export_result", QStringLiteral("导出结果"), QKeySequence(Qt::CTRL | Qt::Key_E));
}

void Fmain::buildLiveCount()
{
    Controls &c = m_controls;
    c.L_live_count = make_label(c.ToolStrip, QString(), QRect(), QStringLiteral("L_live_count"));
    // At the strip's right end, beyond its free space.
    c.ToolStrip->layout()->addWidget(c.L_live_count);
    // The price of a bet, beside the cost it sets.
    c.T_bet_price = new QSpinBox(c.ToolStrip);
    c.T_bet_price->setObjectName(QStringLiteral("T_bet_price"));
    c.T_bet_price->setRange(1, kHighestBetPrice);
    c.T_bet_price->setSuffix(QStringLiteral(" 元/注"));
    // Typed or turned with the wheel: the strip has no room for arrows.
    c.T_bet_price->setButtonSymbols(QAbstractSpinBox::NoButtons);
    c.T_bet_price->setValue(bet_price());
    c.T_bet_price->setToolTip(QStringLiteral("每注号码的价格，用来算出当前条件要花多少钱"));
    c.ToolStrip->layout()->addWidget(c.T_bet_price);
    auto showCount = [this] { show_live_count(m_controls.L_live_count, m_liveSurvivors, bet_price()); };
    showCount();
    connect(c.T_bet_price, &QSpinBox::valueChanged, this, [showCount](int price) {
        set_bet_price(price);
        showCount();
    });
    m_liveCounter = std::make_unique<LiveCounter>(m_controls);
    connect(m_liveCounter.get(), &LiveCounter::counted, this, [this, showCount](int survivors) {
        m_liveSurvivors = survivors;
        showCount();
    });
}

void Fmain::addToolStripWidget(QWidget *widget)
{
    auto *layout = static_cast<QHBoxLayout *>(m_controls.ToolStrip->layout());
    // The free space keeps the tools left; what stands right of it (the live
    // count) stays there.
    int at = 0;
    while (at < layout->count() && !layout->itemAt(at)->spacerItem())
        ++at;
    layout->insertWidget(at, widget);
}

QPushButton *Fmain::addToolButton(const char *name, const QString &caption)
{
    QPushButton *button = make_strip_button(m_controls.ToolStrip, QLatin1String(name), caption);
    addToolStripWidget(button);
    return button;
}

void Fmain::buildHistoryTool()
{
    QPushButton *open = addToolButton("C_history", QStringLiteral("历史验证"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    open->setToolTip(open->shortcut().toString(QKeySequence::NativeText));
    connect(open, &QPushButton::clicked, this, &Fmain::showHistoryWindow);
}

void Fmain::showHistoryWindow()
{
    if (!m_history) {
        // A member of the sheet is clicked as the player clicks it, so its
        // colour, the live count and undo follow as they do then.
        HistoryWindow::SheetAccess sheet{[this] { return read_sheet_record(m_controls); },
                                         [this](const QString &name) {
                                             if (auto *control = findChild<QAbstractButton *>(name))
                                                 control->click();
                                         }};
        m_history = new HistoryWindow(std::move(sheet), m_shrink, m_drawStore, m_drawsUpdate, m_statistics, this);
        connect(this, &Fmain::shrinkRunFinished, m_history, &HistoryWindow::onShrinkRun);
        connect(m_sheetHistory, &SheetHistory::touched, m_history, &HistoryWindow::onSheetChanged);
        connect(m_history, &HistoryWindow::drawsChanged, this, &Fmain::tellBetResults);
        // Over the sheet, on its screen; the window fits itself in there.
        m_history->setScreen(window()->screen());
        m_history->move(window()->pos());
    }
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
}

void Fmain::buildTimers()
{
    Controls &c = m_controls;
    c.Timer1 = makeStartupTimer(this, "Timer1", 20);
    c.Timer_load = makeStartupTimer(this, "Timer_load", 30);
    c.Timer_ding = makeStartupTimer(this, "Timer_ding", 50);
    c.Timer_hy_wz = makeStartupTimer(this, "Timer_hy_wz", 0);
    // Each start-up timer switches itself off before its work, so it runs once.
    connect(c.Timer1, &QTimer::timeout, this, [this] {
        m_controls.Timer1->stop();
        startCore();
    });
    connect(c.Timer_load, &QTimer::timeout, this, [this] {
        m_controls.Timer_load->stop();
        m_feed.run();
    });
    connect(c.Timer_ding, &QTimer::timeout, this, [this] {
        m_controls.Timer_ding->stop();
        initialise_software();
    });
    c.Timer1->start();
    c.Timer_load->start();
    c.Timer_ding->start();

    // The draws update runs beside the start-up steps, on the event loop: it
    // neither holds them up nor waits for their message boxes.
    m_drawsTimer = makeStartupTimer(this, "Timer_draws", 0);
    m_drawsTimer->setSingleShot(true);
    connect(m_drawsTimer, &QTimer::timeout, this, &Fmain::startDrawsUpdate);
}

void Fmain::startDrawsUpdate()
{
    m_drawsUpdate.start();
    // Said once, after the update is on its way.
    if (!m_drawStore.problemText().isEmpty())
        show_message(this, m_drawStore.problemText(), QStringLiteral("错误提示"));
}

void Fmain::connectHandlers()
{
    const Controls &c = m_controls;
    auto connectArray = [this](const QList<ColorButton *> &array, void (Fmain::*handler)(int)) {
        for (int i = 0; i < array.size(); ++i) {
            if (array[i])
                connect(array[i], &QPushButton::clicked, this, [this, handler, i] { (this->*handler)(i); });
        }
    };
    connectArray(c.C_guolv_ks, &Fmain::onActionClicked);
    connectArray(c.C_bi, &Fmain::onRatioOrPatternClicked);
    connectArray(c.C_max, &Fmain::onMinMaxClicked);
    connectArray(c.C_danzu, &Fmain::onDanDigitClicked);
    connectArray(c.C_danzu_gs, &Fmain::onDanCountClicked);
    connectArray(c.C_sst_0, &Fmain::onTabClicked);
    connectArray(c.C_cls, &Fmain::onClearClicked);
    connect(c.T_duijiang, &QLineEdit::textChanged, this, [this](const QString &entry) {
        m_controls.L_duijiang_news->setText(prize_caption(entry, m_shrink.ResultText));
        showWhyKilled();
    });
    connectArray(c.C_teshu_sm, &Fmain::onHelpClicked);
    connectArray(c.C_gn_ding, &Fmain::onLinkClicked);
    connect(c.C_gb, &QPushButton::clicked, c.Pic_dmsm, &QWidget::hide);

    auto *linkLabels = new LinkLabelWatcher(c.L_di_ad, this);
    connect(linkLabels, &LinkLabelWatcher::moved, this, &Fmain::onLinkLabelHovered);
    connect(linkLabels, &LinkLabelWatcher::clicked, this, [this](int index) { m_feed.openLabelLink(index); });
    connect(c.Timer_hy_wz, &QTimer::timeout, this, &Fmain::calmLinkLabels);
}

void Fmain::connectKeys()
{
    auto *run = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(run, &QShortcut::activated, m_controls.C_guolv_ks[Shrink], &QAbstractButton::click);
    // Parented to the picture, the key only acts while the picture shows.
    auto *closePicture = new QShortcut(QKeySequence(Qt::Key_Escape), m_controls.Pic_dmsm);
    connect(closePicture, &QShortcut::activated, m_controls.C_gb, &QAbstractButton::click);
}

void Fmain::startCore()
{
    load_help_text();
    fill_candidate_matrix(m_shrink);
    m_controls.C_sst_0[0]->click();
}

void Fmain::initialise_software()
{
    stack_top_panels(m_controls);
    m_controls.C_sst_0[0]->setBackColor(Colour::LightGreen);
    for (const ConditionRow &row : condition_rows()) {
        if (row.kind != ControlKind::Tolerance)
            continue;
        const QStringList items = tolerance_items(row);
        for (int index = row.first; index <= row.last; ++index)
            tolerance_at(m_controls, row, index)->addItems(items);
    }
    restoreLastSheet();
}

void Fmain::onActionClicked(int index)
{
    m_controls.Cf->setFocus();
    // No action may run inside another one's yield, so all ten wait.
    for (ColorButton *button : std::as_const(m_controls.C_guolv_ks)) {
        if (button)
            button->setEnabled(false);
    }
    dispatch_action(index);
    for (ColorButton *button : std::as_const(m_controls.C_guolv_ks)) {
        if (button)
            button->setEnabled(true);
    }
}

void Fmain::dispatch_action(int index)
{
    switch (index) {
    case Shrink:
        shrink_run();
        break;
    case CopyResult:
        mycode::data_cp(this, m_shrink.ResultText);
        break;
    case ToGroups:
        dispatch_action(Shrink);
        showGroups();
        m_controls.Frame_jindu->hide();
        break;
    case ResetConditions:
        reset_all_conditions(this, m_controls);
        m_controls.T_duijiang->clear();
        break;
    case Invert:
        showInversion();
        break;
    case CopySetResult:
        if (QPlainTextEdit *result = m_controls.T_jj.value(2))
            mycode::data_cp(this, result->toPlainText());
        break;
    case Intersection:
        combineBaseSets(u"jiao");
        break;
    case Union:
        combineBaseSets(u"bing");
        break;
    case AWithoutB:
        combineBaseSets(u"a_b");
        break;
    case BWithoutA:
        combineBaseSets(u"b_a");
        break;
    default:
        break;
    }
}

void Fmain::onRatioOrPatternClicked(int index)
{
    mycode::SetButtonColor_diandong(m_controls.C_bi[index], 3, selectedColour(u"C_bi", index), Colour::Grey);
}

void Fmain::onMinMaxClicked(int index)
{
    m_controls.Cf->setFocus();
    mycode::SetButtonColor_diandong(m_controls.C_max[index], 3, selectedColour(u"C_max", index), Colour::Grey);
}

void Fmain::onDanDigitClicked(int index)
{
    m_controls.Cf->setFocus();
    mycode::SetButtonColor_diandong(m_controls.C_danzu[index], 3, selectedColour(u"C_danzu", index), Colour::Grey);
}

void Fmain::onDanCountClicked(int index)
{
    ColorButton *button = m_controls.C_danzu_gs[index];
    const ConditionRow &counts = *condition_row(u"C_danzu_gs", index);
    if (button->backColor() == counts.selectedColour) {
        mycode::SetButtonColor_diandong(button, 2, counts.selectedColour, Colour::Grey);
        return;
    }
    // The dan digits of the same dan row.
    int selectedDigits = 0;
    for (const ConditionRow *digits : family_rows(DanRow)) {
        if (digits->selects != Selects::DanDigit || digits->part != counts.part)
            continue;
        for (int d = digits->first; d <= digits->last; ++d) {
            const ColorButton *digit = toggle_at(m_controls, *digits, d);
            if (digit && digit->backColor() == digits->selectedColour)
                ++selectedDigits;
        }
    }
    const bool countRepeats = m_controls.Check_dm_jchong && m_controls.Check_dm_jchong->isChecked();
    const int wanted = countRepeats ? 0 : button->text().toInt();
    if (wanted > selectedDigits) {
        show_message(this, QStringLiteral("出胆个数不能大于选胆个数"), QStringLiteral("错误提示"));
        return;
    }
    mycode::SetButtonColor_diandong(button, 1, counts.selectedColour, Colour::Grey);
}

void Fmain::onTabClicked(int index)
{
    select_panel(m_controls, index);
}

void Fmain::onHelpClicked(int index)
{
    show_help_for_button(this, m_controls, index);
}

void Fmain::onLinkClicked(int index)
{
    m_feed.openLink(index);
}

void Fmain::onLinkLabelHovered(int index)
{
    paint_link_label(m_controls.L_di_ad[index], true);
    m_controls.Timer_hy_wz->start(600);
}

void Fmain::calmLinkLabels()
{
    m_controls.Timer_hy_wz->setInterval(0);
    m_controls.Timer_hy_wz->stop();
    for (QLabel *label : std::as_const(m_controls.L_di_ad))
        paint_link_label(label, false);
}

void Fmain::setProgress(double fraction)
{
    const int track = m_controls.T_jindutiao[0]->width();
    QFrame *fill = m_controls.T_jindutiao[1];
    fill->resize(int(track * fraction), fill->height());
    QCoreApplication::processEvents();
}

void Fmain::shrink_run()
{
    Controls &c = m_controls;
    c.C_guolv_ks[Invert]->setBackColor(Colour::LightGreen);
    c.T_duijiang->clear();
    c.Frame_jindu->show();
    c.Frame_jindu->raise();
    setProgress(0.001);
    m_lastRun = read_sheet_record(c);
    run_shrink(selections_from_record(*m_lastRun), m_shrink, m_familyMarks,
               [this](double fraction) { setProgress(fraction); });
    showResult(collect_survivors(m_shrink));
    c.Frame_jindu->hide();
    showStale();
    emit shrinkRunFinished();
}

void Fmain::showResult(const ResultList &result)
{
    ResultListView *list = m_controls.Li_out;
    list->hide();
    list->clear();
    QCoreApplication::processEvents();
    list->setNumbers(result.text);
    list->show();
    m_listKind = BetKind::Straight;   // until a conversion says it holds groups
    m_controls.dadi_zhushu->setText(QString::number(result.count));
    QCoreApplication::processEvents();
}

void Fmain::showInversion()
{
    show_message(this, QStringLiteral("反选成功。\n注意，组选号码不能反选，只能反选直选号码"),
                 QStringLiteral("温馨提示"));
    showResult(invert_result(m_shrink));
    m_controls.C_guolv_ks[Invert]->setBackColor(Colour::Red);
}

void Fmain::showGroups()
{
    GroupTable table;
    mark_groups(table, m_shrink.ResultText, m_controls.dadi_zhushu->text().toInt());
    const ResultList groups = show_groups(table);
    showResult(groups);
    m_shrink.ResultText = groups.text;
    m_listKind = BetKind::Group;
}

void Fmain::combineBaseSets(QStringView code)
{
    Controls &c = m_controls;
    c.T_jj[2]->clear();
    c.Ljiaoji_zhushu->setText(QStringLiteral("0"));
    const SetOperationResult combined = base_set_operation(code, typed_text(c.T_jj[0]), typed_text(c.T_jj[1]));
    replaceText(c.T_jj[0], combined.a);
    replaceText(c.T_jj[1], combined.b);
    replaceText(c.T_jj[2], combined.result);
    c.Ljiaoji_zhushu->setText(QString::number(combined.count));
}

void Fmain::onClearClicked(int index)
{
    ColorButton *clear = m_controls.C_cls[index];
    m_controls.Cf->setFocus();
    clear->setEnabled(false);
    clear_panel(m_controls, index);
    clear->setEnabled(true);
}

void Fmain::closeEvent(QCloseEvent *event)
{
    event->accept();
    autosaveSheet();
    m_feed.stop();
    mycode::op_url(m_feed.exitAddress());
    end_program();
}
