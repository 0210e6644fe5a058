#include "filters/family_marks.h"

#include "core/shrink.h"
#include "filters/entered_lists.h"
#include "filters/families.h"

namespace {
// Pasted boxes run to megabytes; the window hands over the same text again
// while a box is untouched, which is then equal without reading it.
bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}
}

void FamilyMarks::markEnteredLists(const EnteredListSelection &entered, CandidateSet &marks)
{
    // The boxes share one row: a candidate any box rejects is marked once.
    marks = {};
    for (size_t box = 0; box < kEnteredListBoxCount; ++box) {
        const QString &text = entered.boxes[box];
        if (!m_seen || !sameText(m_seen->entered.boxes[box], text)) {
            m_boxMarks[box] = {};
            kEnteredListFilters[box](text, m_boxMarks[box]);
        }
        marks |= m_boxMarks[box];
    }
}

int16_t FamilyMarks::mark(const Selections &selections, CandidateMatrix &matrix, const ProgressStep &step)
{
    for (const Family &family : families()) {
        CandidateSet &marks = m_marks.row(family.row);
        if (!m_seen || family.changed(*m_seen, selections)) {
            // Of the typed boxes, only those whose text changed are read again.
            if (family.row == EnteredListRow) {
                markEnteredLists(selections.entered, marks);
            } else {
                marks = {};
                family.mark(selections, marks);
            }
        }
        matrix.row(family.row) = marks;
        if (family.row == BigSmallRow && step)
            step(0.5);
    }
    CandidateSet &base = m_marks.row(BaseRow);
    if (!m_seen || !sameText(m_seen->baseSetText, selections.baseSetText)) {
        base = {};
        m_baseSetActive = read_base_set(selections.baseSetText, base);
    }
    matrix.row(BaseRow) = base;
    m_seen = selections;
    return m_baseSetActive;
}
