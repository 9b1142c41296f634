#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only when some are missing;
# with arguments, those packages instead.
set -euo pipefail

paquetes=("$@")
if [ ${#paquetes[@]} -eq 0 ]; then
    paquetes=(g++ cmake ninja-build ccache qt6-base-dev libhpdf-dev libjpeg62-turbo-dev
              libxml2-dev libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra
              poppler-utils xvfb xauth xclip qt6-translations-l10n xdg-utils python3 libxml2-utils
              fonts-wqy-zenhei fonts-symbola libzip-dev unixodbc-dev libsqliteodbc
              odbc-mdbtools sqlite3 python3-openpyxl python3-docx xdotool libicu-dev)
fi

faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando: ${faltan[*]}"
sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"
export DEBIAN_FRONTEND=noninteractive
# The package lists may be empty on a fresh machine: update only when the install needs it.
$sudo_ apt-get install -y "${faltan[@]}" ||
    { $sudo_ apt-get update && $sudo_ apt-get install -y "${faltan[@]}"; }
