#pragma once

#include <QString>
#include <span>

// What `vintora-shrink --stats` prints for the numbers drawn, oldest first:
// one tab-separated line per property the statistics follow, in their order:
// its name, 出现次数, 当前遗漏, 最大遗漏, 平均遗漏 (one decimal), 最大连出.
QString stats_report(std::span<const int> numbers);
