#!/usr/bin/env bash
# Installs whatever the build and the tests need and is not there yet.
# Quiet and offline when everything is already installed.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake g++ make googletest g++-mingw-w64-i686-posix wine xvfb xdotool \
           imagemagick x11-utils xauth "$@"; do
  have_pkg "$pkg" || need+=("$pkg")
done
have_pkg wine32:i386 || need+=(wine32:i386)

[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${need[*]}"
if [[ " ${need[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
