#pragma once

#include "core/condition_table.h"
#include "core/selections.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The condition sheet as named controls, free of widgets: what the player
// has clicked, ticked and typed. Names are object names: "C_bi(17)",
// "Check_hewei_sha1(12)", "Check_dm_jchong", "T_ding(3)", "Com_rc(4)".
struct SheetRecord
{
    QSet<QString> selected;             // condition toggle buttons that are not grey
    QSet<QString> checked;              // ticked condition check boxes
    QMap<QString, QString> texts;       // every condition text box, as typed
    QMap<QString, QString> tolerances;  // every tolerance box, as typed

    bool operator==(const SheetRecord &) const = default;
};

// The kind of the condition control of that name; nothing for any other name.
std::optional<ControlKind> condition_control_kind(QStringView name);

// Every condition control of a kind, in sheet order.
QStringList condition_control_names(ControlKind kind);

// The sheet as "清空条件" leaves it: nothing selected or ticked, every box
// holding its hint, every tolerance "0".
SheetRecord cleared_record();

// What a shrink run reads from a sheet in that state.
Selections selections_from_record(const SheetRecord &record);
