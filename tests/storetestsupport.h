#pragma once

#include "store/draw_store.h"

// The store's draws as "ISSUE NNNN SOURCE" lines, oldest first.
inline QString listing(const DrawStore &store)
{
    QString text;
    for (const StoredDraw &draw : store.draws())
        text += QStringLiteral("%1 %2 %3\n").arg(draw.issue).arg(draw.number, 4, 10, QChar(u'0')).arg(source_name(draw.source));
    return text;
}
