#!/usr/bin/env bash
# Installs whatever the build and the tests need and is not there yet.
# Quiet and offline when everything is already installed.
set -euo pipefail
# shellcheck source=tools/wine-session.sh
source "$(dirname "$0")/wine-session.sh"

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# The 32-bit compilers build the exe that ships; Wine runs the build this
# machine can run (see wine-session.sh).
# The Linux program needs GTK 3 and its font; its tests talk to it over the
# accessibility bus.
wanted=(cmake g++ make googletest g++-mingw-w64-i686-posix wine fonts-wine xvfb xdotool
        imagemagick x11-utils xauth pkg-config libgtk-3-dev fonts-liberation2 python3-pyatspi
        at-spi2-core dbus-daemon "$@")
if [ "$BREVOLT_WINDOWS_BITS" = 32 ]; then
  wanted+=(wine32:i386)
else
  wanted+=(wine64 g++-mingw-w64-x86-64-posix)
fi
for pkg in "${wanted[@]}"; do
  have_pkg "$pkg" || need+=("$pkg")
done

[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${need[*]}"
if [[ " ${need[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
