#pragma once

// Twips, twipRect and arrayName are plain values the engine shares.
#include "core/sheet_layout.h"
