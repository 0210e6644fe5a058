#include "panel/left_column.h"

#include "core/condition_table.h"
#include "panel/controls.h"
#include "panel/group_buttons.h"
#include "panel/regions.h"
#include "panel/sheet.h"
#include "ui/colorbutton.h"
#include "ui/factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>

namespace {
// Rows inside a frame start under its caption.
constexpr int kFirstRowTop = 20;
constexpr int kRowHeight = 20;
// A digit check box holds its indicator, the spacing and one digit.
constexpr int kCheckWidth = 28;
constexpr int kCheckPitch = 29;

const QSize kDigitButton(px(Regions::DigitButtonWidth), px(Regions::DigitButtonHeight));
const QSize kRatioButton(px(Regions::RatioButtonWidth), px(Regions::RatioButtonHeight));

// Labels on a frame's top edge hide the frame line behind them.
QLabel *makeOpaqueLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    QLabel *label = make_label(parent, text, geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    return label;
}

// Com_rc(first) "至" Com_rc(first + 1) of a tolerance row.
void placeTolerancePair(QWidget *group, Controls &c, const ConditionRow &row, QPoint topLeft)
{
    constexpr int boxWidth = 40, height = 19, toWidth = 14;
    const int x = topLeft.x(), y = topLeft.y();
    const QStringList &names = member_names(row);
    place(c.Com_rc, row.first, make_tolerance_box(group, names.first(), QRect(x, y, boxWidth, height)));
    makeOpaqueLabel(group, QStringLiteral("至"), QRect(x + boxWidth + 2, y, toWidth, height));
    place(c.Com_rc, row.last,
          make_tolerance_box(group, names.last(), QRect(x + boxWidth + toWidth + 4, y, boxWidth, height)));
}

// A row of digit check boxes side by side.
void placeCheckRow(QWidget *group, QList<QCheckBox *> &array, const ConditionRow &row, QPoint topLeft)
{
    const QStringList &names = member_names(row);
    const QStringList &captions = member_captions(row);
    for (int k = 0; k < row.count(); ++k) {
        const QRect geometry(topLeft.x() + kCheckPitch * k, topLeft.y(), kCheckWidth, kRowHeight);
        place(array, row.first + k, make_check_box(group, names[k], captions[k], geometry));
    }
}

// A row of touching toggle buttons.
void placeDigitButtons(QWidget *group, QList<ColorButton *> &array, const ConditionRow &row, QPoint topLeft)
{
    const QStringList &names = member_names(row);
    const QStringList &captions = member_captions(row);
    for (int k = 0; k < row.count(); ++k) {
        place(array, row.first + k,
              make_button(group, names[k], captions[k],
                          QRect(topLeft + QPoint(kDigitButton.width() * k, 0), kDigitButton)));
    }
}

const ConditionRow &rowOfKind(const QList<const ConditionRow *> &rows, ControlKind kind)
{
    return **std::find_if(rows.begin(), rows.end(), [kind](const ConditionRow *row) { return row->kind == kind; });
}

void buildPositionalKill(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> rows = family_rows(PositionalKillRow);
    QGroupBox *group = make_frame(window, QStringLiteral("PositionalKill"),
                                  QStringLiteral("定位杀(打钩表示排除)-定位容错"), rows.first()->region.rect());
    // The tolerance follows the caption that names it.
    placeTolerancePair(group, c, rowOfKind(rows, ControlKind::Tolerance), QPoint(176, 0));
    make_help_button(group, c, rows.first()->helpButton, QPoint(350, 0));
    for (const ConditionRow *row : rows) {
        if (row->kind != ControlKind::Check)
            continue;
        const int y = kFirstRowTop + 22 * row->part;
        make_label(group, QString::fromUtf16(row->label), QRect(6, y, 28, kRowHeight));
        placeCheckRow(group, *check_array(c, *row), *row, QPoint(36, y));
        make_clear_button(group, c, row->clearButton, QPoint(328, y));
    }
}

// The sum/span rows in table order; the row that is a text box holds the sum list.
void buildSumSpan(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> rows = family_rows(SumSpanRow);
    QGroupBox *group = make_frame(window, QStringLiteral("SumSpan"), QStringLiteral("和,跨,胆[打钩表示排除]"),
                                  rows.first()->region.rect());
    make_help_button(group, c, rows.first()->helpButton, QPoint(350, 0));
    constexpr int fieldLeft = 50;
    int y = kFirstRowTop;
    for (const ConditionRow *row : rows) {
        make_label(group, QString::fromUtf16(row->label), QRect(6, y, fieldLeft - 8, kRowHeight));
        int height = kRowHeight;
        if (row->kind == ControlKind::Check) {
            placeCheckRow(group, *check_array(c, *row), *row, QPoint(fieldLeft, y));
        } else {
            // Tall enough for one whole line; a longer list scrolls.
            height = 25;
            QPlainTextEdit *box = make_line_box(group, member_names(*row).first(),
                                                QRect(fieldLeft, y, 9 * kCheckPitch + kCheckWidth, height),
                                                member_captions(*row).first());
            box->document()->setDocumentMargin(2);
            clear_on_double_click(box);
            place(c.T_cs_ip, row->first, box);
        }
        make_clear_button(group, c, row->clearButton, QPoint(342, y));
        y += height + 1;
    }
}
// Each dan row is a row of digits with its "清" and a row of hit counts
// with its "全".
void buildDanRows(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> rows = family_rows(DanRow);
    QGroupBox *group = make_frame(window, QStringLiteral("DanRows"), QStringLiteral("胆组"), rows.first()->region.rect());
    constexpr int digitsLeft = 6, countsLeft = 238;
    const ConditionRow &tolerance = rowOfKind(rows, ControlKind::Tolerance);
    make_help_button(group, c, rows.first()->helpButton, QPoint(44, 0));
    makeOpaqueLabel(group, QStringLiteral("胆码开出个数"), QRect(countsLeft + 12, 0, 76, 18));
    make_help_button(group, c, tolerance.helpButton, QPoint(352, 0));

    const int pitch = kDigitButton.width();
    for (const ConditionRow *row : rows) {
        if (row->kind != ControlKind::Toggle)
            continue;
        const int y = kFirstRowTop + kRowHeight * row->part;
        if (row->selects == Selects::DanDigit) {
            placeDigitButtons(group, c.C_danzu, *row, QPoint(digitsLeft, y + 1));
            make_clear_button(group, c, row->clearButton, QPoint(digitsLeft + row->count() * pitch + 3, y));
        } else {
            placeDigitButtons(group, c.C_danzu_gs, *row, QPoint(countsLeft, y + 1));
            make_clear_button(group, c, row->allButton, QPoint(countsLeft + row->count() * pitch + 3, y));
        }
    }

    constexpr int bottom = kFirstRowTop + 4 * kRowHeight;
    const ConditionRow &countRepeats = rowOfKind(rows, ControlKind::Check);
    c.Check_dm_jchong = make_check_box(group, member_names(countRepeats).first(), member_captions(countRepeats).first(),
                                       QRect(digitsLeft, bottom + 13, 76, kRowHeight));
    makeOpaqueLabel(group, QString::fromUtf16(tolerance.label), QRect(92, bottom, 98, 16));
    placeTolerancePair(group, c, tolerance, QPoint(92, bottom + 16));
    make_label(group, QStringLiteral("胆码用法请点击【胆码说明】按钮"), QRect(200, bottom + 13, 190, kRowHeight));
}

void buildRatios(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> rows = family_rows(RatioRow);
    auto *group = new QWidget(window);
    group->setObjectName(QStringLiteral("Ratios"));
    group->setGeometry(rows.first()->region.rect());
    make_label(group, QStringLiteral("[选择为出]"), QRect(290, 4, 62, kRowHeight));
    make_help_button(group, c, rows.first()->helpButton, QPoint(356, 5));
    for (const ConditionRow *row : rows) {
        const int y = 4 + 22 * row->part;
        make_label(group, QString::fromUtf16(row->label), QRect(4, y, 40, kRowHeight));
        const QStringList &names = member_names(*row);
        const QStringList &captions = member_captions(*row);
        for (int k = 0; k < row->count(); ++k) {
            place(c.C_bi, row->first + k,
                  make_button(group, names[k], captions[k],
                              QRect(QPoint(46 + (kRatioButton.width() + 2) * k, y + 1), kRatioButton)));
        }
        make_clear_button(group, c, row->allButton, QPoint(228, y));
        make_clear_button(group, c, row->clearButton, QPoint(256, y));
    }
}

void buildShapes(QWidget *window, Controls &c)
{
    const ConditionRow &row = *family_rows(ShapeRow).first();
    auto *group = new QWidget(window);
    group->setObjectName(QStringLiteral("Shapes"));
    group->setGeometry(row.region.rect());
    constexpr int y = 4;
    make_label(group, QString::fromUtf16(row.label), QRect(4, y, 62, kRowHeight));
    const QStringList &names = member_names(row);
    const QStringList &captions = member_captions(row);
    for (int k = 0; k < row.count(); ++k) {
        place(c.C_bi, row.first + k,
              make_button(group, names[k], captions[k], QRect(68 + 43 * k, y + 1, 41, kDigitButton.height())));
    }
    make_clear_button(group, c, row.clearButton, QPoint(328, y));
    make_help_button(group, c, row.helpButton, QPoint(357, y + 1));
}
}

void build_left_column(QWidget *window, Controls &controls)
{
    buildPositionalKill(window, controls);
    buildSumSpan(window, controls);
    buildDanRows(window, controls);
    buildRatios(window, controls);
    buildShapes(window, controls);
}
