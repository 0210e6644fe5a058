#pragma once

#include <QString>
#include <QStringView>

// What a typed box holds, judged against its hint. The start and the reset
// put line breaks around a hint, and spaces or line breaks alone are nothing
// typed, so neither counts.

// The hint of the condition box of that name; empty for any other box.
QString typed_box_hint(QStringView name);

// The box shows its hint and nothing else.
bool holds_only_hint(QStringView text, QStringView hint);

// The box holds something the player typed: neither nothing nor its hint.
bool holds_typed_list(QStringView text, QStringView hint);
