#!/usr/bin/env bash
# Makes the report logos of datos/Lib/ ("logo.jpg", "logoNorvia.jpg", "logoDumvat.jpg") from
# the shapes drawn in generar_logos.cpp. Needs g++ and libjpeg's development files.
set -euo pipefail
cd "$(dirname "$0")/.."

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$tmp/generar_logos" herramientas/generar_logos.cpp -ljpeg
"$tmp/generar_logos" datos/Lib
