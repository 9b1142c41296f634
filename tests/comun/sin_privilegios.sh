#!/usr/bin/env bash
# Runs a test program's tests whose name holds "SinPrivilegios" as a user who is not root:
# permissions stop root from nothing, so these tests skip themselves under root. Under root the
# program is copied into a folder everyone can read (the build may lie in one "nobody" cannot
# enter), with the sanitizers' suppressions file if one is named, and run there as "nobody",
# with the environment it was given and that folder as its home; under another user it runs as
# it is.
set -euo pipefail
programa="$1"
shift
filtro='--gtest_filter=*SinPrivilegios*'
if [ "$(id -u)" != 0 ]; then
    exec "$programa" "$filtro" "$@"
fi
carpeta="$(mktemp -d /tmp/quenbar_sin_privilegios_XXXXXX)"
trap 'rm -rf "$carpeta"' EXIT
cp "$programa" "$carpeta/"
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]]; then
    cp "${BASH_REMATCH[1]}" "$carpeta/lsan.supp"
    LSAN_OPTIONS="${LSAN_OPTIONS/${BASH_REMATCH[0]}/suppressions=$carpeta/lsan.supp}"
    export LSAN_OPTIONS
fi
chmod -R a+rX "$carpeta"
chown nobody "$carpeta"
cd "$carpeta"
HOME="$carpeta" setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -u XDG_RUNTIME_DIR "$carpeta/$(basename "$programa")" "$filtro" "$@"
