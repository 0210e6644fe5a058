#!/usr/bin/env bash
# Fuzzes every reader of typed text for a bounded time each:
#   fuzz.sh [seconds-per-target]      (default 60)
# Builds the libFuzzer driver with clang, ASan and UBSan in build-fuzz. The
# inputs a run finds interesting are kept in build-fuzz/corpus/<target>/ (a
# later run goes on from them); the seeds in tests/fuzz/corpus/ are only read.
# A crash, hang or memory blow-up stops the script and leaves the input in
# build-fuzz/findings/: copy it into tests/fuzz/corpus/<target>/ once fixed,
# so the normal test suite (tst_corpus) replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/install-deps.sh
# libFuzzer comes with clang's runtime libraries.
if ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed"; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVINTORA_FUZZ=ON -DBUILD_TESTING=OFF
cmake --build build-fuzz --target vintora_fuzz -j2

fuzzer=build-fuzz/tests/fuzz/vintora_fuzz
mkdir -p build-fuzz/findings
for target in $("$fuzzer" --list-targets); do
    echo "== $target: $seconds s"
    mkdir -p "build-fuzz/corpus/$target"
    "$fuzzer" --target="$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="build-fuzz/findings/$target-" -print_final_stats=1 \
        "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target"
done
