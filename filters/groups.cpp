#include "filters/groups.h"

#include "core/text.h"

#include <algorithm>

int group_of(int n)
{
    std::array<int, 4> digits{n / 1000, n / 100 % 10, n / 10 % 10, n % 10};
    std::sort(digits.begin(), digits.end());
    return digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
}

void mark_groups(GroupTable &table, QStringView resultText, int shownCount)
{
    table = GroupTable{};
    for (int d1 = 0; d1 <= 9; ++d1) {
        for (int d2 = d1; d2 <= 9; ++d2) {
            for (int d3 = d2; d3 <= 9; ++d3) {
                for (int d4 = d3; d4 <= 9; ++d4) {
                    const int n = d1 * 1000 + d2 * 100 + d3 * 10 + d4;
                    table[n].value = int16_t(n);
                    table[n].representative = 1;
                }
            }
        }
    }
    if (shownCount == 0)
        return;
    for (QStringView entry : split_spaces(resultText)) {
        bool isNumber = false;
        const int n = entry.size() == 4 ? entry.toInt(&isNumber) : 0;
        if (isNumber && n >= 0)
            table[group_of(n)].present = 1;
    }
}

ResultList show_groups(const GroupTable &table)
{
    CandidateSet shown;
    for (int n = 0; n < kCandidateCount; ++n) {
        if (table[n].representative != 0 && table[n].present == 1)
            shown.insert(n);
    }
    return list_numbers(shown);
}
