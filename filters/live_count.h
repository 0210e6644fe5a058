#pragma once

#include "core/candidate_set.h"
#include "core/matrix.h"
#include "core/selections.h"
#include "filters/families.h"

#include <array>
#include <memory>
#include <optional>

// The number of survivors a shrink run would list, kept up to date while the
// player changes the sheet. Each family's marks are kept between counts as a
// bit set, one bit per candidate, and a family runs again only when its part
// of the selections changed; a typed box is read again only when its text
// changed. The families themselves do the marking, so the count cannot drift
// from a full run.
class LiveCount
{
public:
    LiveCount();
    ~LiveCount();
    LiveCount(const LiveCount &) = delete;
    LiveCount &operator=(const LiveCount &) = delete;

    // How many candidates a shrink run with these selections keeps.
    int count(const Selections &selections);

    // How many candidates each family marks on its own, as of the last
    // count; indexed like the family table.
    using FamilyCounts = std::array<int, kFamilyCount>;
    FamilyCounts familyCounts() const;

private:
    CandidateSet enteredListMarks(const EnteredListSelection &entered);
    void updateFamilies(const Selections &selections);
    void updateBaseSet(const QString &baseSetText);
    int survivors(ToleranceRange total) const;

    template<typename Run>
    CandidateSet marksOf(MatrixRow row, Run run);

    // Candidate digits for the families to read; only the row being run is
    // ever written, and it is cleared first.
    std::unique_ptr<CandidateMatrix> m_scratch;
    std::optional<Selections> m_seen;                               // what the kept marks were made from
    std::array<CandidateSet, kEnteredListBoxCount> m_boxMarks{};    // T_ding(0)..(6), each on its own
    std::array<CandidateSet, kFamilyCount> m_familyMarks{};         // like the family table
    CandidateSet m_base;
    bool m_baseActive = false;
};
