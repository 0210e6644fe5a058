#pragma once

#include "core/matrix.h"
#include "core/selections.h"

#include <QString>
#include <cstdint>
#include <span>

// The condition families, matrix rows 1-12, in the order a shrink run marks
// them. Whatever goes over the families (the run, the live count, the
// back-test, why a number was left out, the counts per family, the history
// window) loops over this table: it is the one place that pairs a family
// with its name, its help and its filter.
struct Family
{
    MatrixRow row;
    // The family's name wherever the program shows one: the sheet's caption
    // of its panel, without the panel's remarks.
    const char16_t *name;
    // The help block that explains the family, or nullptr when several do.
    const char16_t *helpTitle;
    // The family's filter over its part of the selections: adds to its row
    // every candidate that fails it.
    void (*mark)(const Selections &selections, CandidateSet &marks);
    // Whether the part of the selections the family reads differs.
    bool (*changed)(const Selections &was, const Selections &now);

    QString displayName() const { return QString::fromUtf16(name); }
    constexpr int index() const { return row - EnteredListRow; }
};

// In row order, which is the order of a run.
std::span<const Family> families();

// The family that writes `row` (1-12).
const Family &family_of(MatrixRow row);

// A set of families: bit r - 1 stands for the family of row r.
using FamilySet = uint16_t;

constexpr FamilySet family_bit(const Family &family)
{
    return FamilySet(1u << family.index());
}

// The names of the families in the set, in row order.
QStringList family_names(FamilySet set);

// The families whose rows of the matrix mark the candidate. How many they are
// is the candidate's count of marks, as the total tolerance judges it.
FamilySet families_marking(const CandidateMatrix &matrix, int candidate);
