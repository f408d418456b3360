#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the app need.
# Calls apt-get only when something is missing, so a prepared machine pays nothing.
# Extra package names given as arguments are installed too (scripts/fuzz.sh asks for clang).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  libsqlite3-dev libicu-dev libpng-dev libnova-dev libqrencode-dev qrencode
  qt6-base-dev qt6-connectivity-dev qt6-multimedia-dev qt6-positioning-dev libqt6positioning6-plugins
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-noto-cjk
  xvfb xauth dbus python3-dbus python3-dbusmock fonts-liberation
  at-spi2-core python3-pyatspi xdotool
  fonts-dejavu-core python3-pil
  qt6-httpserver-dev qt6-websockets-dev chromium chromium-driver python3-selenium python3-websocket openssl
  desktop-file-utils appstream appstream-compose groff-base lintian file
  playerctl libsystemd-dev systemd
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
