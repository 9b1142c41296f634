#!/usr/bin/env bash
# Installs what is missing, builds vornak into the installation tree of build/ and starts it:
# on the sample database datos/ejemplo.bdc (single-file mode), on the database given as
# argument, or without a file with --sin-fichero. Run it as the user who owns the display,
# not under sudo: the package installation asks for sudo itself when it needs it.
set -euo pipefail
cd "$(dirname "$0")/.."
herramientas/dependencias.sh
cmake -S . -B build -G Ninja
cmake --build build --target vornak_programa
if [ "${1:-}" = "--sin-fichero" ]; then
    exec build/instalacion/vornak
fi
exec build/instalacion/vornak "${1:-datos/ejemplo.bdc}"
