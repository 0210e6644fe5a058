#include "panel/left_column.h"

#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/group_buttons.h"
#include "panel/hints.h"
#include "panel/regions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

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

// Com_rc(first) "至" Com_rc(first + 1).
void placeTolerancePair(QWidget *group, Controls &c, int first, QPoint topLeft)
{
    constexpr int boxWidth = 40, height = 19, toWidth = 14;
    const int x = topLeft.x(), y = topLeft.y();
    place(c.Com_rc, first, make_tolerance_box(group, arrayName("Com_rc", first), QRect(x, y, boxWidth, height)));
    makeOpaqueLabel(group, QStringLiteral("至"), QRect(x + boxWidth + 2, y, toWidth, height));
    place(c.Com_rc, first + 1,
          make_tolerance_box(group, arrayName("Com_rc", first + 1),
                             QRect(x + boxWidth + toWidth + 4, y, boxWidth, height)));
}

// A row of digit check boxes; the caption of member i is firstCaption + i.
void placeCheckRow(QWidget *group, QList<QCheckBox *> &array, const char *family, int firstIndex,
                   int count, int firstCaption, QPoint topLeft)
{
    for (int i = 0; i < count; ++i) {
        const QRect geometry(topLeft.x() + kCheckPitch * i, topLeft.y(), kCheckWidth, kRowHeight);
        place(array, firstIndex + i,
              make_check_box(group, arrayName(family, firstIndex + i), QString::number(firstCaption + i), geometry));
    }
}

// A row of touching digit buttons captioned 0, 1, ...: members first..first + count - 1.
void placeDigitButtons(QWidget *group, QList<ColorButton *> &array, const char *family, int first, int count,
                       QPoint topLeft)
{
    for (int k = 0; k < count; ++k) {
        place(array, first + k,
              make_button(group, arrayName(family, first + k), QString::number(k),
                          QRect(topLeft + QPoint(kDigitButton.width() * k, 0), kDigitButton)));
    }
}

const char16_t *const kPositionLabels[] = {u"千位", u"百位", u"十位", u"个位"};

void buildPositionalKill(QWidget *window, Controls &c)
{
    QGroupBox *group = make_frame(window, QStringLiteral("PositionalKill"),
                                  QStringLiteral("定位杀(打钩表示排除)-定位容错"), Regions::PositionalKill.rect());
    // The tolerance follows the caption that names it.
    placeTolerancePair(group, c, 0, QPoint(176, 0));
    make_help_button(group, c, 8, QPoint(350, 0));
    for (int p = 0; p < 4; ++p) {
        const int y = kFirstRowTop + 22 * p;
        make_label(group, QString::fromUtf16(kPositionLabels[p]), QRect(6, y, 28, kRowHeight));
        placeCheckRow(group, c.Check_hewei_sha1, "Check_hewei_sha1", 10 * p, 10, 0, QPoint(36, y));
        make_clear_button(group, c, p, QPoint(328, y));
    }
}

// One row of the sum/span group; a row without check boxes holds the sum list.
struct SumSpanRow
{
    const char16_t *label;
    const char *family;
    QList<QCheckBox *> Controls::*boxes;
    int count;
    int firstCaption;
    int clearIndex;
};

constexpr SumSpanRow kSumSpanRows[] = {
    {u"杀和尾", "Check_hewei_sha", &Controls::Check_hewei_sha, 10, 0, 4},
    {u"杀和值", nullptr, nullptr, 0, 0, 5},
    {u"杀跨度", "Check_kuadu_sha", &Controls::Check_kuadu_sha, 10, 0, 6},
    {u"通杀码", "Check_tsm_sha", &Controls::Check_tsm_sha, 10, 0, 7},
    {u"杀AC值", "Check_ac_sha", &Controls::Check_ac_sha, 6, 1, 8},
};

void buildSumSpan(QWidget *window, Controls &c)
{
    QGroupBox *group = make_frame(window, QStringLiteral("SumSpan"), QStringLiteral("和,跨,胆[打钩表示排除]"),
                                  Regions::SumSpan.rect());
    make_help_button(group, c, 9, QPoint(350, 0));
    constexpr int fieldLeft = 50;
    int y = kFirstRowTop;
    for (const SumSpanRow &row : kSumSpanRows) {
        make_label(group, QString::fromUtf16(row.label), QRect(6, y, fieldLeft - 8, kRowHeight));
        int height = kRowHeight;
        if (row.boxes) {
            placeCheckRow(group, c.*row.boxes, row.family, 0, row.count, row.firstCaption, QPoint(fieldLeft, y));
        } else {
            // Tall enough for one whole line; a longer list scrolls.
            height = 25;
            QPlainTextEdit *box = make_text_box(group, arrayName("T_cs_ip", 0),
                                                QRect(fieldLeft, y, 9 * kCheckPitch + kCheckWidth, height),
                                                Hints::SumValues);
            box->document()->setDocumentMargin(2);
            clear_on_double_click(box);
            place(c.T_cs_ip, 0, box);
        }
        make_clear_button(group, c, row.clearIndex, QPoint(342, y));
        y += height + 1;
    }
}

void buildDanRows(QWidget *window, Controls &c)
{
    QGroupBox *group = make_frame(window, QStringLiteral("DanRows"), QStringLiteral("胆组"), Regions::DanRows.rect());
    constexpr int digitsLeft = 6, countsLeft = 238;
    make_help_button(group, c, 2, QPoint(44, 0));
    makeOpaqueLabel(group, QStringLiteral("胆码开出个数"), QRect(countsLeft + 12, 0, 76, 18));
    make_help_button(group, c, 7, QPoint(352, 0));

    const int pitch = kDigitButton.width();
    for (int r = 0; r < 4; ++r) {
        const int y = kFirstRowTop + kRowHeight * r;
        placeDigitButtons(group, c.C_danzu, "C_danzu", 10 * r, 10, QPoint(digitsLeft, y + 1));
        make_clear_button(group, c, 9 + r, QPoint(digitsLeft + 10 * pitch + 3, y));
        placeDigitButtons(group, c.C_danzu_gs, "C_danzu_gs", 5 * r, 5, QPoint(countsLeft, y + 1));
        make_clear_button(group, c, 13 + r, QPoint(countsLeft + 5 * pitch + 3, y));
    }

    constexpr int bottom = kFirstRowTop + 4 * kRowHeight;
    c.Check_dm_jchong = make_check_box(group, QStringLiteral("Check_dm_jchong"), QStringLiteral("胆码计重"),
                                       QRect(digitsLeft, bottom + 13, 76, kRowHeight));
    makeOpaqueLabel(group, QStringLiteral("胆组容错"), QRect(92, bottom, 98, 16));
    placeTolerancePair(group, c, 2, QPoint(92, bottom + 16));
    make_label(group, QStringLiteral("胆码用法请点击【胆码说明】按钮"), QRect(200, bottom + 13, 190, kRowHeight));
}

const char16_t *const kRatioLabels[] = {u"大小比", u"奇偶比", u"质合比"};
const char16_t *const kRatioCaptions[] = {u"0:4", u"1:3", u"2:2", u"3:1", u"4:0"};

void buildRatios(QWidget *window, Controls &c)
{
    auto *group = new QWidget(window);
    group->setObjectName(QStringLiteral("Ratios"));
    group->setGeometry(Regions::Ratios.rect());
    make_label(group, QStringLiteral("[选择为出]"), QRect(290, 4, 62, kRowHeight));
    make_help_button(group, c, 12, QPoint(356, 5));
    for (int q = 0; q < 3; ++q) {
        const int y = 4 + 22 * q;
        make_label(group, QString::fromUtf16(kRatioLabels[q]), QRect(4, y, 40, kRowHeight));
        for (int k = 0; k < 5; ++k) {
            const int index = 5 * q + k;
            place(c.C_bi, index,
                  make_button(group, arrayName("C_bi", index), QString::fromUtf16(kRatioCaptions[k]),
                              QRect(QPoint(46 + (kRatioButton.width() + 2) * k, y + 1), kRatioButton)));
        }
        make_clear_button(group, c, 17 + q, QPoint(228, y));
        make_clear_button(group, c, 20 + q, QPoint(256, y));
    }
}

const char16_t *const kShapeCaptions[] = {u"上山", u"下山", u"凸形", u"凹形", u"N形", u"反N形"};
constexpr int kFirstShape = 15;

void buildShapes(QWidget *window, Controls &c)
{
    auto *group = new QWidget(window);
    group->setObjectName(QStringLiteral("Shapes"));
    group->setGeometry(Regions::Shapes.rect());
    constexpr int y = 4;
    make_label(group, QStringLiteral("杀特殊形态"), QRect(4, y, 62, kRowHeight));
    for (int i = 0; i < 6; ++i) {
        const int index = kFirstShape + i;
        place(c.C_bi, index,
              make_button(group, arrayName("C_bi", index), QString::fromUtf16(kShapeCaptions[i]),
                          QRect(68 + 43 * i, y + 1, 41, kDigitButton.height())));
    }
    make_clear_button(group, c, 23, QPoint(328, y));
    make_help_button(group, c, 6, QPoint(357, y + 1));
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
