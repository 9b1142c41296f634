#!/usr/bin/env bash
# Starts the built vornak under a virtual X server on the sample database, given by a path
# relative to the current folder, with the test-only variable that saves a capture of the
# frame once it is shown and closes it; the program must end with 0 and leave the capture.
set -euo pipefail
programa=$1
muestra=$2
capturas=$3
mkdir -p "$capturas"
rm -f "$capturas/vornak_arranque.png"
unset QT_QPA_PLATFORM
QUENBAR_CAPTURAS="$capturas" QUENBAR_CERRAR_AL_MOSTRAR=vornak_arranque \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$programa" "$muestra"
# A PNG, and not an empty one.
head -c 8 "$capturas/vornak_arranque.png" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a"
[ "$(stat -c %s "$capturas/vornak_arranque.png")" -gt 5000 ]
