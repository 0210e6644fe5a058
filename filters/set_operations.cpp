#include "filters/set_operations.h"

#include "core/shrink.h"
#include "core/text.h"

namespace {
// `normalised` holds runs of digits separated by single spaces; its runs of
// four digits are the members.
CandidateSet membersOf(QStringView normalised)
{
    CandidateSet members;
    for_each_number(normalised, 4, [&members](int number) { members.insert(number); });
    return members;
}

CandidateSet combine(QStringView code, const CandidateSet &a, const CandidateSet &b)
{
    if (code == u"jiao")
        return a & b;
    if (code == u"bing")
        return a | b;
    if (code == u"a_b")
        return a & b.complement();
    if (code == u"b_a")
        return b & a.complement();
    return {};
}
}

SetOperationResult base_set_operation(QStringView code, QStringView boxA, QStringView boxB)
{
    SetOperationResult out;
    const QStringView digits = u"0123456789";
    out.a = only_str(boxA, digits);
    out.b = only_str(boxB, digits);
    const ResultList listed = list_numbers(combine(code, membersOf(out.a), membersOf(out.b)));
    out.result = listed.text;
    out.count = listed.count;
    return out;
}
