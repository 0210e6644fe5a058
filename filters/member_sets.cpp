#include "filters/member_sets.h"

#include "core/condition_table.h"
#include "core/sheet_record.h"
#include "filters/families.h"

#include <QHash>

namespace {
struct Catalogue
{
    QStringList names;
    QHash<QString, MemberSets> sets;

    Catalogue()
    {
        const SheetRecord cleared = cleared_record();
        for (const ConditionRow &row : condition_rows()) {
            if (row.memberSet == MemberSet::None)
                continue;
            const Family &family = family_of(row.family);
            for (const QString &name : member_names(row)) {
                SheetRecord alone = cleared;
                (row.kind == ControlKind::Check ? alone.checked : alone.selected).insert(name);
                CandidateSet marked;
                family.mark(selections_from_record(alone), marked);
                const bool kept = row.memberSet == MemberSet::KeptByFamily;
                names.append(name);
                sets.insert(name, {kept ? marked.complement() : marked, marked});
            }
        }
    }
};

// Built on first use, by whichever thread asks first.
const Catalogue &catalogue()
{
    static const Catalogue built;
    return built;
}
}

const MemberSets *member_sets(QStringView objectName)
{
    const auto &sets = catalogue().sets;
    const auto found = sets.constFind(objectName.toString());
    return found == sets.cend() ? nullptr : &*found;
}

const QStringList &members_naming_sets()
{
    return catalogue().names;
}
