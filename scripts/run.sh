#!/usr/bin/env bash
# Installs what is needed, builds, starts the local feed servers and then
# the program; the servers stop with it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
servers=$(bash scripts/feed-servers.sh)
trap 'kill $servers 2>/dev/null || true' EXIT
sleep 0.5
./build/vintora
