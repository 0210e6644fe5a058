#include "core/family_names.h"

#include <iterator>

namespace {
constexpr const char16_t *kFamilyNames[] = {
    u"号码输入", u"定位杀", u"和值跨度", u"胆组", u"比例", u"特殊形态",
    u"大小形态", u"奇偶形态", u"质合形态", u"012路形态", u"特别排除", u"最小最大号码",
};
static_assert(std::size(kFamilyNames) == MinMaxRow - EnteredListRow + 1);
}

QString family_name(MatrixRow family)
{
    if (family < EnteredListRow || family > MinMaxRow)
        return QString();
    return QString::fromUtf16(kFamilyNames[family - EnteredListRow]);
}
