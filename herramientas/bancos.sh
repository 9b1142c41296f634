#!/usr/bin/env bash
# Runs every benchmark of a build folder. --breve: each once, briefly (CI), on small data.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
breve=${2:-}
opciones=()
if [ "$breve" = "--breve" ]; then
    opciones=(--benchmark_min_time=0.001)
    export QUENBAR_BANCO_BREVE=1
fi
for banco in "$build"/bench/*/*; do
    [ -f "$banco" ] || continue
    [ -x "$banco" ] || continue
    echo "== $banco"
    "$banco" "${opciones[@]}"
done
