#include "panel/small_buttons.h"

#include "panel/colorbutton.h"
#include "panel/factory.h"
#include "panel/regions.h"

ColorButton *make_help_button(QWidget *parent, int index, int leftTwips, int topTwips)
{
    return make_button(parent, arrayName("C_teshu_sm", index), QStringLiteral("说明"),
                       twipRect(leftTwips, topTwips, HelpButtonWidth, HelpButtonHeight), Colour::HelpBlue);
}

ColorButton *make_clear_button(QWidget *parent, int index, int leftTwips, int topTwips)
{
    return make_button(parent, arrayName("C_cls", index), QStringLiteral("清"),
                       twipRect(leftTwips, topTwips, Regions::ClearButtonWidth, Regions::ClearButtonHeight));
}
