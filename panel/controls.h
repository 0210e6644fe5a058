#pragma once

#include <QList>

class ColorButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class QWidget;
class ResultListView;

// Every control of the main window that a handler, a reader or the reset
// needs, by its array name. Arrays are indexed like their names ("C_bi(17)"
// is C_bi[17]); an index the array does not have holds nullptr.
struct Controls
{
    // Actions and results
    QList<ColorButton *> C_guolv_ks;        // 0-9
    ResultListView *Li_out = nullptr;
    QLabel *dadi_zhushu = nullptr;
    QGroupBox *Frame_jindu = nullptr;
    QList<QFrame *> T_jindutiao;            // 0 track, 1 fill
    QPushButton *Cf = nullptr;              // takes the focus away from clicked buttons
    QLineEdit *T_duijiang = nullptr;
    QLabel *L_duijiang_news = nullptr;

    // Typed boxes
    QList<QPlainTextEdit *> T_cs_ip;        // 0 sum values, 3 base set
    QList<QPlainTextEdit *> T_ding;         // 0-6
    QList<QPlainTextEdit *> T_jj;           // 0 A, 1 B, 2 result
    QLabel *Ljiaoji_zhushu = nullptr;

    // Tolerance boxes: 0/1 positional kill, 2/3 dan rows, 4/5 total
    QList<QComboBox *> Com_rc;

    // Check boxes
    QList<QCheckBox *> Check_hewei_sha1;    // 10 * position + digit
    QList<QCheckBox *> Check_hewei_sha;     // sum tails
    QList<QCheckBox *> Check_kuadu_sha;     // spans
    QList<QCheckBox *> Check_tsm_sha;       // kill-all digits
    QList<QCheckBox *> Check_ac_sha;        // AC values 1-6
    QCheckBox *Check_dm_jchong = nullptr;

    // Toggle buttons; which member selects what is the condition table's
    // (core/condition_table.cpp).
    QList<ColorButton *> C_bi;              // ratios, shapes, pattern grids, exclusions
    QList<ColorButton *> C_max;             // smallest, then largest digit
    QList<ColorButton *> C_danzu;           // 10 * row + digit
    QList<ColorButton *> C_danzu_gs;        // 5 * row + count
    QList<ColorButton *> C_cls;             // "清" and "全" of the groups

    // Top panels
    QList<ColorButton *> C_sst_0;           // tabs 0-5
    QList<QGroupBox *> Frame_ding;          // panels 0-5

    // Help, picture and feed
    QList<ColorButton *> C_teshu_sm;        // 0-18
    QWidget *Pic_dmsm = nullptr;
    ColorButton *C_gb = nullptr;
    QLabel *Image1 = nullptr;
    QList<ColorButton *> C_gn_ding;         // link buttons 1-10
    QList<QLabel *> L_di_ad;                // advert and contact labels 0-2
    QLabel *L_server = nullptr;             // which feed server answered

    // Start-up timers
    QTimer *Timer1 = nullptr;
    QTimer *Timer_load = nullptr;
    QTimer *Timer_ding = nullptr;
    QTimer *Timer_hy_wz = nullptr;

    // The tool strip under the sheet: schemes, export, and what later tools add
    QWidget *ToolStrip = nullptr;
    QPushButton *C_save_scheme = nullptr;
    QPushButton *C_load_scheme = nullptr;
    QPushButton *C_recent_schemes = nullptr;
    QPushButton *C_export_result = nullptr;
    QLabel *L_live_count = nullptr;         // survivors of the sheet as it stands, and their price
    QSpinBox *T_bet_price = nullptr;        // the price of one bet, in 元
    QLineEdit *T_bet_issue = nullptr;       // the issue the next recorded bet is for
    QPushButton *C_record_bet = nullptr;    // records the list the result column shows as a bet
    QPushButton *C_undo = nullptr;
    QPushButton *C_redo = nullptr;
    QWidget *StatusLine = nullptr;          // under the strip's buttons: the longer lines
    QLabel *L_family_counts = nullptr;      // what each family marks on its own
    QLabel *L_stale = nullptr;              // the sheet changed since the last run
    QLabel *L_why_killed = nullptr;         // why the last run left T_duijiang's number out
    QLabel *L_unread = nullptr;             // entries of the typed boxes a run does not read
    QLabel *L_bet_result = nullptr;         // a bet recorded, or what its issue's draw made of it
};

// Puts a member into its array at its index, growing the array with nullptr.
template<typename T>
void place(QList<T *> &array, int index, T *control)
{
    if (array.size() <= index)
        array.resize(index + 1, nullptr);
    array[index] = control;
}
