#!/usr/bin/env bash
# Installs the fuzzer that herramientas/fuzz_afl.sh runs (Debian package afl++), when it is
# missing. Building and testing do not need it.
set -euo pipefail
dpkg-query -W -f='${Status}' afl++ 2>/dev/null | grep -q "install ok installed" && exit 0
sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get install -y afl++ || { $sudo_ apt-get update && $sudo_ apt-get install -y afl++; }
