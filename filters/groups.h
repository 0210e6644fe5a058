#pragma once

#include "core/matrix.h"
#include "core/shrink.h"

#include <QStringView>
#include <array>
#include <cstdint>

// A group is a straight number's digits without order, written as its
// representative: the digits ascending (4321, 2143 and 1234 are group 1234).
struct GroupRecord
{
    int16_t value = 0;          // a representative's own number
    int16_t representative = 0; // 1 for the 715 numbers whose digits never decrease
    int16_t present = 0;        // 1 when the result holds a number of this group
};

using GroupTable = std::array<GroupRecord, kCandidateCount>;

// The representative of the group of n.
int group_of(int n);

// Marks the groups of a straight result; shownCount is the count the window
// shows for it (nothing is present when it is 0).
void mark_groups(GroupTable &table, QStringView resultText, int shownCount);

// The present groups, ascending.
ResultList show_groups(const GroupTable &table);
