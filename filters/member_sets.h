#pragma once

#include "core/candidate_set.h"

#include <QStringList>
#include <QStringView>

// What a member of the sheet names, as its row of the table of condition
// controls declares (MemberSet), worked out once from the families
// themselves: each member's family runs on a sheet holding that member alone.
struct MemberSets
{
    // The numbers the member stands for: those its family marks, or, where
    // the selection says what stays, those it keeps.
    CandidateSet named;
    // What a sheet holding only that member does not keep (total tolerance
    // 0): the named set of a member that kills, the rest of it otherwise.
    CandidateSet killsAlone;
};

// The sets of the member of that object name ("C_bi(5)"); nullptr for a
// member that names nothing, and for any other name.
const MemberSets *member_sets(QStringView objectName);

// The members that name a set, in table order.
const QStringList &members_naming_sets();
