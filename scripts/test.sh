#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test without a display:
# once as built for players, once checked (AddressSanitizer,
# UndefinedBehaviorSanitizer and bounds-checked containers; see
# checked-build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
bash scripts/install-deps.sh

bash scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 600)

# shellcheck source=scripts/checked-build.sh
source scripts/checked-build.sh
bash scripts/build.sh build-sanitize "${checked_cmake_args[@]}"
(cd build-sanitize && env "${checked_test_env[@]}" ctest --output-on-failure --timeout "$checked_timeout")
