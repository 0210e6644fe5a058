#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test without a display:
# once as built for players, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
bash scripts/install-deps.sh

bash scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 600)

bash scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# A sanitized test function may take as long as CTest allows its program.
(cd build-sanitize && VINTORA_DIFFERENTIAL_RUNS=200 QTEST_FUNCTION_TIMEOUT=900000 \
    ctest --output-on-failure --timeout 900)
