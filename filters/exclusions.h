#pragma once

#include "core/candidate_set.h"
#include "core/selections.h"

#include <QStringView>

// Consecutive-digit run classes (不连, 2连, 3连, 4连) and repetition shapes
// (AAAA, AAAB, AABC, AABB, ABCD): a selected class or shape is killed. Writes
// the special-exclusion row.
void special_exclusions(const SpecialExclusionSelection &selection, CandidateSet &marks);

// Smallest and largest digit: where digits are chosen, a candidate's smallest
// (largest) digit must be one of them. Writes the smallest/largest row.
void min_max_digit_filter(const MinMaxSelection &selection, CandidateSet &marks);

// Repetition shapes, in button order: AAAA, AAAB, AABC, AABB, ABCD.
constexpr int kRepetitionShapeCount = 5;
QStringView repetition_caption(int shape);

// The repetition shape of candidate c, an index into the captions above.
int repetition_shape(int candidate);
