#include "filters/prize_check.h"

#include "core/text.h"

QString prize_caption(QStringView entry, QStringView resultText)
{
    // Full-width digits are the digits the player means.
    QString drawn = trim_spaces(entry).toString();
    for (QChar &ch : drawn) {
        if (is_full_width_digit(ch))
            ch = ascii_form(ch);
    }
    if (drawn.size() != 4)
        return QStringLiteral("【中奖查询】");
    // Only a whole listed number is a hit: an entry straddling two numbers
    // ("4 01" across "1234 0123") is found as text but was never bet.
    for (QStringView number : split_spaces(resultText)) {
        if (number == drawn)
            return QStringLiteral("【中中中中】");
    }
    return QStringLiteral("【挂挂挂挂】");
}
