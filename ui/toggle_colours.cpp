#include "ui/toggle_colours.h"

#include "ui/colorbutton.h"

#include <QRegularExpression>

void paint_toggle(ColorButton *button, uint8_t mode, int color_1, int color_2)
{
    if (!button)
        return;
    switch (mode) {
    case 1:
        button->setBackColor(color_1);
        break;
    case 2:
        button->setBackColor(color_2);
        break;
    case 3:
        button->setBackColor(button->backColor() == color_1 ? color_2 : color_1);
        break;
    default:
        break;
    }
}

void paint_members(QWidget *form, const QString &name, int16_t first, int16_t last, int colour)
{
    static const QRegularExpression memberName(QStringLiteral("^(.*)\\((\\d+)\\)$"));
    const auto buttons = form->findChildren<ColorButton *>();
    for (ColorButton *button : buttons) {
        const QRegularExpressionMatch match = memberName.match(button->objectName());
        if (!match.hasMatch() || match.captured(1) != name)
            continue;
        const int index = match.captured(2).toInt();
        if (index >= first && index <= last)
            button->setBackColor(colour);
    }
}
