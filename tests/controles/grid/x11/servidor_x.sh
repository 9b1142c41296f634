#!/usr/bin/env bash
# Runs a test program under a virtual X server with Qt's xcb platform, whose clipboard and
# drags other programs share (the offscreen platform's stay inside the process).
set -euo pipefail
for herramienta in xclip xdotool; do
    command -v $herramienta > /dev/null ||
        { echo "falta $herramienta (herramientas/dependencias.sh)"; exit 1; }
done
unset QT_QPA_PLATFORM
exec timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$@"
