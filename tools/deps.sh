#!/usr/bin/env bash
# Installs what one task needs and is not there yet; quiet and offline when
# everything is already installed.
#   deps.sh native    build and run the Linux program (and, with no display,
#                     take its screenshot on a virtual one)
#   deps.sh windows   build brevolt.exe and run it under Wine
#   deps.sh package   build both programs, the page and the packages, and check them
#   deps.sh web       build the page and open it (or, with no display, take its
#                     screenshot in headless chromium)
#   deps.sh test      build everything and run every test (the default)
# Further arguments name more packages.
set -euo pipefail
task=${1:-test}
[ $# -gt 0 ] && shift

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The Linux program: GTK 3 and the narrow font its layout was made for.
native=(cmake g++ make pkg-config libgtk-3-dev fonts-liberation2)
# A screenshot when there is no display.
screenshot=(xvfb imagemagick x11-utils)
# The 32-bit compilers build the exe that ships.
windows_build=(cmake g++-mingw-w64-i686-posix)
# The Debian package's tools and checks.
package=(dpkg-dev lintian desktop-file-utils appstream python3)
# The page: Debian's Emscripten, and the font it carries, cut from Wine's
# Tahoma-metric one with fontTools.
web_build=(cmake make emscripten fonts-wine python3-fonttools python3-brotli)
# Headless chromium, driven over the DevTools protocol from Debian's Python.
browser=(chromium python3-websocket)

wine=()
wanted=()
case $task in
  native)
    wanted=("${native[@]}")
    [ -n "${DISPLAY:-}" ] || wanted+=("${screenshot[@]}") ;;
  windows) wanted=("${windows_build[@]}" "${screenshot[@]}" fonts-wine) wine=(wine) ;;
  package) wanted=("${native[@]}" "${windows_build[@]}" "${package[@]}" "${web_build[@]}") ;;
  web)
    # With a display the player's own browser opens the page.
    wanted=("${web_build[@]}")
    [ -n "${DISPLAY:-}" ] || wanted+=("${browser[@]}") ;;
  test)
    # The tests drive the programs from outside: the Linux one over the
    # accessibility bus, the Windows one under Wine, the page in chromium.
    wanted=("${native[@]}" "${windows_build[@]}" "${package[@]}" "${screenshot[@]}" googletest
            xdotool x11-utils xauth python3-pyatspi at-spi2-core dbus-daemon fonts-wine
            "${web_build[@]}" "${browser[@]}")
    wine=(wine) ;;
  *) echo "usage: $0 [native|windows|package|web|test] [package...]" >&2; exit 2 ;;
esac
wanted+=("$@")
if [ ${#wine[@]} -gt 0 ]; then
  # Wine runs the build this machine can run (see wine-session.sh).
  # shellcheck source=tools/wine-session.sh
  source "$(dirname "$0")/wine-session.sh"
  if [ "$BREVOLT_WINDOWS_BITS" = 32 ]; then
    wanted+=(wine wine32:i386)
  else
    wanted+=(wine wine64 g++-mingw-w64-x86-64-posix)
  fi
fi

need=()
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
