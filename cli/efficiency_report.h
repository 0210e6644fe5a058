#pragma once

#include <QString>
#include <span>

// What `vintora-shrink --efficiency` prints: one tab-separated line per
// member of the sheet that kills something alone, in table order: its
// object name, the numbers it kills alone, the draws among them, and the
// draws chance kills with as many numbers (draws x kills / 10,000, two
// decimals).
QString efficiency_report(std::span<const int> draws);
