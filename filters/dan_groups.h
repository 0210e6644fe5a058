#pragma once

#include "core/candidate_set.h"
#include "core/selections.h"

// Up to four rows of dan digits, each with its accepted hit counts; the number
// of wrong rows must lie in the group's own tolerance range. Writes the dan row.
void filter_dan_groups(const DanSelection &selection, CandidateSet &marks);
