#pragma once

#include <QString>
#include <QStringView>

// The caption that answers a drawn number typed into the prize-check box:
// "【中奖查询】" until the entry (spaces trimmed) has four characters, then
// "【中中中中】" when it is one of the listed numbers, else "【挂挂挂挂】".
// Full-width digits count as the digits they are.
QString prize_caption(QStringView entry, QStringView resultText);
