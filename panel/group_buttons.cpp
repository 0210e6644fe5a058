#include "panel/group_buttons.h"

#include "core/condition_table.h"
#include "panel/controls.h"
#include "panel/regions.h"
#include "ui/colorbutton.h"
#include "ui/factory.h"

#include <algorithm>

namespace {
// A row that the button selects whole reads "全"; every other group button
// clears.
QString clearCaption(int index)
{
    const auto rows = condition_rows();
    const bool selectsAll = std::any_of(rows.begin(), rows.end(),
                                        [index](const ConditionRow &row) { return row.allButton == index; });
    return selectsAll ? QStringLiteral("全") : QStringLiteral("清");
}

// The dan help shows a picture and says so on its wider button.
constexpr int kDanHelp = 2;
}

ColorButton *make_clear_button(QWidget *group, Controls &controls, int index, QPoint topLeft)
{
    const QRect geometry(topLeft, QSize(px(Regions::ClearButtonWidth), px(Regions::ClearButtonHeight)));
    ColorButton *button = make_button(group, arrayName("C_cls", index), clearCaption(index), geometry);
    place(controls.C_cls, index, button);
    return button;
}

ColorButton *make_help_button(QWidget *group, Controls &controls, int index, QPoint topLeft)
{
    const bool dan = index == kDanHelp;
    const QRect geometry(topLeft, QSize(dan ? 60 : px(HelpButtonWidth), px(HelpButtonHeight)));
    ColorButton *button = make_button(group, arrayName("C_teshu_sm", index),
                                      dan ? QStringLiteral("胆码说明") : QStringLiteral("说明"), geometry,
                                      Colour::HelpBlue);
    place(controls.C_teshu_sm, index, button);
    return button;
}
