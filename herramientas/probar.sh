#!/usr/bin/env bash
# Installs what is missing, builds everything in build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
herramientas/dependencias.sh
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
