#pragma once

#include "core/candidate_set.h"
#include "core/selections.h"

// Big:small, odd:even and prime:composite ratios: a selector with a selection
// lets only its selected ratios pass. Writes the ratio row.
void filter_ratios(const RatioSelection &selection, CandidateSet &marks);

// Rising, falling, convex, concave, N and inverted-N shapes: a selected shape
// is killed. Writes the shape row.
void filter_shapes(const ShapeSelection &selection, CandidateSet &marks);

// Position pattern grids: a selected pattern of the four positions is killed.
// Each grid writes its own row.
void filter_big_small_pattern(const PatternSelection &selection, CandidateSet &marks);
void filter_odd_even_pattern(const PatternSelection &selection, CandidateSet &marks);
void filter_prime_composite_pattern(const PatternSelection &selection, CandidateSet &marks);
void filter_route_pattern(const PatternSelection &selection, CandidateSet &marks);

// The pattern of a candidate in a grid, as its button is captioned: one
// character per position, the class of its digit ("大小大大", "0121").
const QString &pattern_of(int candidate, PatternGrid grid);
