#!/usr/bin/env bash
# Starts a local feed server on each of the two default feed addresses
# (127.0.0.1:8765 and :8766), serving server/sample, and prints their pids.
# Needs a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
for port in 8765 8766; do
    ./build/server/vintora-feed-server --host 127.0.0.1 --port "$port" --folder server/sample \
        --reports "${TMPDIR:-/tmp}/vintora-feed-reports.txt" >/dev/null &
    echo $!
done
