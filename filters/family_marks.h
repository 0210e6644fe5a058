#pragma once

#include "core/matrix.h"
#include "core/selections.h"

#include <array>
#include <functional>
#include <optional>

// Called between stages of a run so the window can show progress and repaint.
using ProgressStep = std::function<void(double fraction)>;

// What the condition families and the base set mark for a sheet, kept from
// one sheet to the next: a family runs again only when its part of the
// selections changed, and a typed box is read again only when its text
// changed. A player who pasted lists of megabytes and runs again after a
// toggle, or runs the same sheet again, waits for the changed part alone.
// The shrink run and the live count both mark through it.
class FamilyMarks
{
public:
    // Writes the family rows and the base row of the matrix for the
    // selections, in the order of a run, and returns BaseSetActive. After the
    // big/small grid, step(0.5) lets the window repaint once.
    int16_t mark(const Selections &selections, CandidateMatrix &matrix, const ProgressStep &step = {});

private:
    void markEnteredLists(const EnteredListSelection &entered, CandidateSet &marks);

    CandidateMatrix m_marks;                                        // family rows and base row only
    int16_t m_baseSetActive = 0;
    std::optional<Selections> m_seen;                               // what the kept marks were made from
    std::array<CandidateSet, kEnteredListBoxCount> m_boxMarks{};    // T_ding(0)..(6), each on its own
};
