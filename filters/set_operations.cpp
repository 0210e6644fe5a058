#include "filters/set_operations.h"

#include "core/matrix.h"
#include "core/shrink.h"
#include "core/text.h"

#include <QStringTokenizer>
#include <array>
#include <functional>

namespace {
using Membership = std::array<bool, kCandidateCount>;

// `normalised` holds runs of digits separated by single spaces; its runs of
// four digits are the members.
Membership membersOf(QStringView normalised)
{
    Membership in{};
    for (QStringView entry : qTokenize(normalised, u' ')) {
        if (entry.size() != 4)
            continue;
        int n = 0;
        for (QChar digit : entry)
            n = 10 * n + (digit.unicode() - u'0');
        in[n] = true;
    }
    return in;
}

std::function<bool(bool, bool)> ruleFor(QStringView code)
{
    if (code == u"jiao")
        return [](bool a, bool b) { return a && b; };
    if (code == u"bing")
        return [](bool a, bool b) { return a || b; };
    if (code == u"a_b")
        return [](bool a, bool b) { return a && !b; };
    if (code == u"b_a")
        return [](bool a, bool b) { return b && !a; };
    return [](bool, bool) { return false; };
}
}

SetOperationResult base_set_operation(QStringView code, QStringView boxA, QStringView boxB)
{
    SetOperationResult out;
    const QStringView digits = u"0123456789";
    out.a = only_str(boxA, digits);
    out.b = only_str(boxB, digits);
    const Membership inA = membersOf(out.a);
    const Membership inB = membersOf(out.b);
    const auto rule = ruleFor(code);
    const ResultList listed = list_numbers([&](int n) { return rule(inA[n], inB[n]); });
    out.result = listed.text;
    out.count = listed.count;
    return out;
}
