#pragma once

#include "core/matrix.h"

#include <QString>

// The short name of a condition family (matrix rows 1-12), as the tool strip
// shows it; empty for any other row.
QString family_name(MatrixRow family);
