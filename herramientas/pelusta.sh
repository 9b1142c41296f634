#!/usr/bin/env bash
# Installs what is missing, builds pelusta into the installation tree of build/ and starts it.
# Its start folder is the installation folder: the result files are looked for in its
# "Resultados" folder. Run it as the user who owns the display, not under sudo: the package
# installation asks for sudo itself when it needs it.
set -euo pipefail
cd "$(dirname "$0")/.."
herramientas/dependencias.sh
cmake -S . -B build -G Ninja
cmake --build build --target pelusta_programa
exec build/instalacion/pelusta
