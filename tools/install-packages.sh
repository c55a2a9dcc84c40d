#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need;
# only what is missing, with sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-translations-l10n
  libsqlite3-dev sqlite3 libzip-dev libxlsxwriter-dev
  fonts-noto-cjk xdg-utils
  xvfb xauth python3-openpyxl python3-docx unzip zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
