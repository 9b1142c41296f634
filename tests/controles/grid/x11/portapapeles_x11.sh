#!/usr/bin/env bash
# Runs a test program under a virtual X server with Qt's xcb platform, whose clipboard other
# programs share (the offscreen platform's stays inside the process).
set -euo pipefail
command -v xclip > /dev/null || { echo "falta xclip (herramientas/dependencias.sh)"; exit 1; }
unset QT_QPA_PLATFORM
exec timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$@"
