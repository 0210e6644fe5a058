#include "panel/reset.h"

#include "panel/actions.h"
#include "app/mycode.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "panel/hints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <iterator>

namespace {
void untick(const QList<QCheckBox *> &boxes, int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        if (QCheckBox *box = boxes.value(i))
            box->setCheckState(Qt::Unchecked);
    }
}

// mode 1 selects (green), mode 2 clears (grey).
void paint(const QList<ColorButton *> &buttons, int first, int last, uint8_t mode)
{
    for (int i = first; i <= last; ++i)
        mycode::SetButtonColor_diandong(buttons.value(i), mode, Colour::Green, Colour::Grey);
}

void empty(const QList<QPlainTextEdit *> &boxes, int index)
{
    if (QPlainTextEdit *box = boxes.value(index))
        box->clear();
}

void greyAll(const QList<ColorButton *> &buttons)
{
    for (ColorButton *button : buttons) {
        if (button)
            button->setBackColor(Colour::Grey);
    }
}

void paintDanRow(Controls &c, int row, uint8_t mode)
{
    paint(c.C_danzu, 10 * row, 10 * row + 9, mode);
    paint(c.C_danzu_gs, 5 * row, 5 * row + 4, mode);
}

// One row per group; `member` is the index's offset within its row.
struct ClearRule
{
    int first;
    int last;
    void (*apply)(Controls &c, int member);
};

constexpr ClearRule kClearRules[] = {
    {0, 3, [](Controls &c, int p) { untick(c.Check_hewei_sha1, 10 * p, 10); }},
    {4, 4, [](Controls &c, int) { untick(c.Check_hewei_sha, 0, 10); }},
    {5, 5, [](Controls &c, int) { empty(c.T_cs_ip, 0); }},
    {6, 6, [](Controls &c, int) { untick(c.Check_kuadu_sha, 0, 10); }},
    {7, 7, [](Controls &c, int) { untick(c.Check_tsm_sha, 0, 10); }},
    {8, 8, [](Controls &c, int) { untick(c.Check_ac_sha, 0, 6); }},
    {9, 12, [](Controls &c, int r) { paintDanRow(c, r, 2); }},
    {13, 16, [](Controls &c, int r) { paintDanRow(c, r, 1); }},
    {17, 19, [](Controls &c, int q) { paint(c.C_bi, 5 * q, 5 * q + 4, 1); }},
    {20, 22, [](Controls &c, int q) { paint(c.C_bi, 5 * q, 5 * q + 4, 2); }},
    {23, 23, [](Controls &c, int) { paint(c.C_bi, 15, 20, 2); }},
    {24, 24, [](Controls &c, int) { empty(c.T_jj, 0); }},
    {25, 25, [](Controls &c, int) { paint(c.C_bi, 21, 36, 2); }},
    {26, 26, [](Controls &c, int) { empty(c.T_jj, 1); }},
    {27, 27, [](Controls &c, int) { paint(c.C_bi, 37, 52, 2); }},
    {29, 29, [](Controls &c, int) { paint(c.C_bi, 53, 68, 2); }},
    {31, 31, [](Controls &c, int) { paint(c.C_bi, 69, 149, 2); }},
    {32, 32, [](Controls &c, int) { greyAll(c.C_max); }},
};
}

void clear_panel(Controls &controls, int index)
{
    for (const ClearRule &rule : kClearRules) {
        if (index >= rule.first && index <= rule.last) {
            rule.apply(controls, index - rule.first);
            return;
        }
    }
}

void reset_all_conditions(QWidget *form, Controls &c)
{
    for (int i = 0; i < c.T_ding.size(); ++i) {
        if (QPlainTextEdit *box = c.T_ding[i])
            box->setPlainText(u'\n' + (i == 0 ? Hints::StraightListNotice : Hints::DoubleClickToClear));
    }
    for (int i = 0; i <= 32; ++i) {
        if (!ClearSkipList.contains(QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'))))
            clear_panel(c, i);
    }
    if (QPlainTextEdit *sums = c.T_cs_ip.value(0))
        sums->setPlainText(Hints::SumValues);
    mycode::set_button_color(form, QStringLiteral("C_bi"), 150, 158, Colour::Grey);
    if (QPlainTextEdit *base = c.T_cs_ip.value(3))
        base->setPlainText(Hints::BaseSet);
    for (QComboBox *box : std::as_const(c.Com_rc)) {
        if (box)
            box->setEditText(QStringLiteral("0"));
    }
    for (int i = 0; i < 3; ++i)
        empty(c.T_jj, i);
    if (c.Ljiaoji_zhushu)
        c.Ljiaoji_zhushu->setText(QStringLiteral("0"));
    greyAll(c.C_max);
    c.Li_out->clear();
    c.dadi_zhushu->setText(QStringLiteral("0"));
    c.C_guolv_ks[Invert]->setBackColor(Colour::LightGreen);
}
