#include "panel/lower_right_panels.h"

#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/regions.h"
#include "panel/group_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <iterator>

namespace {
constexpr int FirstExclusion = 150;

// In C_bi order: the four run classes, then the five repetition shapes.
constexpr const char16_t *kExclusionCaptions[] = {
    u"不连", u"2连", u"3连", u"4连", u"AAAA", u"AAAB", u"AABC", u"AABB", u"ABCD",
};
constexpr int RunClassCount = 4;
// The shape captions are four letters wide.
constexpr int ShapeButtonWidth = 660;
}

void build_special_exclusions(QWidget *window, Controls &c)
{
    const Region &region = Regions::SpecialExclusions;
    QGroupBox *frame = make_frame(window, QStringLiteral("SpecialExclusions"),
                                  QStringLiteral("特别排除(以下连号与旧版稍有不同，详情看说明)"), region.rect());

    constexpr int Margin = 90, Top = 300, Gap = 60;
    int left = Margin;
    for (int k = 0; k < int(std::size(kExclusionCaptions)); ++k) {
        const int index = FirstExclusion + k;
        const int width = k < RunClassCount ? Regions::RatioButtonWidth : ShapeButtonWidth;
        place(c.C_bi, index,
              make_button(frame, arrayName("C_bi", index), QString::fromUtf16(kExclusionCaptions[k]),
                          twipRect(left, Top, width, Regions::DigitButtonHeight)));
        left += width + Gap;
    }
    make_help_button(frame, c, 4, QPoint(px(region.width - Margin - HelpButtonWidth), 0));
}

void build_min_max_digits(QWidget *window, Controls &c)
{
    const Region &region = Regions::MinMaxDigits;
    auto *panel = new QWidget(window);
    panel->setObjectName(QStringLiteral("MinMaxDigits"));
    panel->setGeometry(region.rect());

    // Two rows of touching digit buttons behind their labels; the clear
    // button beside the second row, the help on the top edge at the right.
    constexpr int LabelWidth = 780, RowTop = 15, RowPitch = 330;
    const char16_t *rowLabels[] = {u"最小号码", u"最大号码"};
    const int firstDigit[] = {0, 1};
    for (int row = 0; row < 2; ++row) {
        const int top = RowTop + row * RowPitch;
        make_label(panel, QString::fromUtf16(rowLabels[row]),
                   twipRect(0, top, LabelWidth, Regions::DigitButtonHeight));
        for (int k = 0; k < 9; ++k) {
            const int index = 9 * row + k;
            place(c.C_max, index,
                  make_button(panel, arrayName("C_max", index), QString::number(firstDigit[row] + k),
                              twipRect(LabelWidth + k * Regions::DigitButtonWidth, top,
                                       Regions::DigitButtonWidth, Regions::DigitButtonHeight)));
        }
    }
    const int digitsRight = LabelWidth + 9 * Regions::DigitButtonWidth;
    make_clear_button(panel, c, 32, QPoint(px(digitsRight + 30), px(RowTop + RowPitch)));
    make_help_button(panel, c, 0, QPoint(px(region.width - HelpButtonWidth), 0));
}
