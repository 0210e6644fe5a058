#pragma once

#include "core/selections.h"

struct Controls;

// Reads every condition control into the engine's snapshot: colours compared
// as numbers, check values, captions and box texts.
Selections read_selections(const Controls &controls);
