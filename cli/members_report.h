#pragma once

#include <QString>

// What `vintora-shrink --members` prints: one tab-separated line per member
// of the sheet that names a set, in table order: its object name, how many
// numbers it names, how many a sheet holding it alone kills.
QString members_report();
