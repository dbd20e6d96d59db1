#!/usr/bin/env bash
# Installs whatever a fresh Debian 12 machine lacks to build, run and test Key Derby.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-private-dev qt6-base-dev-tools libgl-dev
  qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libsqlite3-dev sqlite3
  qt6-l10n-tools qt6-tools-dev python3
  libsdl2-mixer-dev timgm6mb-soundfont
  fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
  mecab mecab-ipadic-utf8 wamerican
  clang libclang-rt-14-dev clang-format ccache
  libxcb1-dev libx11-dev libxdamage-dev libxtst-dev libxfixes-dev faketime
  desktop-file-utils appstream file
  libqt6sql6-sqlite sqlite3
  postgresql libqt6sql6-psql
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
