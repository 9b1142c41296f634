#!/usr/bin/env bash
# Starts a built program under a virtual X server, with the test-only variable that saves a
# capture of its window once it is shown and closes it; the program must end with 0 and
# leave the capture. Arguments: the program, the captures folder, the capture's name, then
# the program's own arguments (paths relative to the current folder). With
# ARRANQUE_MAXIMIZADA=1 the window must fill the screen (there is no window manager).
set -euo pipefail
programa=$1
capturas=$2
nombre=$3
shift 3
mkdir -p "$capturas"
rm -f "$capturas/$nombre.png"
unset QT_QPA_PLATFORM
QUENBAR_CAPTURAS="$capturas" QUENBAR_CERRAR_AL_MOSTRAR="$nombre" \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$programa" "$@"
# A PNG, and not an empty one.
head -c 8 "$capturas/$nombre.png" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a"
[ "$(stat -c %s "$capturas/$nombre.png")" -gt 5000 ]
if [ "${ARRANQUE_MAXIMIZADA:-0}" = 1 ]; then
    # The PNG's width and height (bytes 17 to 24, big-endian): the window's frame around a
    # client area as large as the screen.
    read -r -a b < <(od -An -tu1 -j16 -N8 "$capturas/$nombre.png")
    ancho=$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))
    alto=$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))
    [ "$ancho" -ge 1280 ] && [ "$alto" -ge 1024 ]
fi
