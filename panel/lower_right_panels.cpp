#include "panel/lower_right_panels.h"

#include "core/condition_table.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/regions.h"
#include "panel/group_buttons.h"

#include <QGroupBox>
#include <QLabel>

namespace {
// The run classes take a ratio button's width; the shapes after them are
// four letters wide.
constexpr int RunClassCount = 4;
constexpr int ShapeButtonWidth = 660;
}

void build_special_exclusions(QWidget *window, Controls &c)
{
    const ConditionRow &row = *family_rows(SpecialExclusionRow).first();
    const Region &region = row.region;
    QGroupBox *frame = make_frame(window, QStringLiteral("SpecialExclusions"), QString::fromUtf16(row.label),
                                  region.rect());

    constexpr int Margin = 90, Top = 300, Gap = 60;
    const QStringList &names = member_names(row);
    const QStringList &captions = member_captions(row);
    int left = Margin;
    for (int k = 0; k < row.count(); ++k) {
        const int width = k < RunClassCount ? Regions::RatioButtonWidth : ShapeButtonWidth;
        place(c.C_bi, row.first + k,
              make_button(frame, names[k], captions[k], twipRect(left, Top, width, Regions::DigitButtonHeight)));
        left += width + Gap;
    }
    make_help_button(frame, c, row.helpButton, QPoint(px(region.width - Margin - HelpButtonWidth), 0));
}

void build_min_max_digits(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> rows = family_rows(MinMaxRow);
    const Region &region = rows.first()->region;
    auto *panel = new QWidget(window);
    panel->setObjectName(QStringLiteral("MinMaxDigits"));
    panel->setGeometry(region.rect());

    // Two rows of touching digit buttons behind their labels; the clear
    // button beside the second row, the help on the top edge at the right.
    constexpr int LabelWidth = 780, RowTop = 15, RowPitch = 330;
    int top = RowTop;
    int digitsRight = 0;
    for (const ConditionRow *row : rows) {
        make_label(panel, QString::fromUtf16(row->label), twipRect(0, top, LabelWidth, Regions::DigitButtonHeight));
        const QStringList &names = member_names(*row);
        const QStringList &captions = member_captions(*row);
        for (int k = 0; k < row->count(); ++k) {
            place(c.C_max, row->first + k,
                  make_button(panel, names[k], captions[k],
                              twipRect(LabelWidth + k * Regions::DigitButtonWidth, top, Regions::DigitButtonWidth,
                                       Regions::DigitButtonHeight)));
        }
        digitsRight = LabelWidth + row->count() * Regions::DigitButtonWidth;
        top += RowPitch;
    }
    make_clear_button(panel, c, rows.last()->clearButton, QPoint(px(digitsRight + 30), px(RowTop + RowPitch)));
    make_help_button(panel, c, rows.first()->helpButton, QPoint(px(region.width - HelpButtonWidth), 0));
}
