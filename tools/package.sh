#!/usr/bin/env bash
# Builds what players download and checks it as it is built:
#   dist/brevolt_<version>_<arch>.deb   the Linux program for Debian and Ubuntu
#   dist/brevolt-<version>-win32.zip    brevolt.exe and a README.txt
#   dist/brevolt-<version>.html         the page: the program for any current browser
#   dist/SHA256SUMS                     all three
# The same commit gives the same bytes in any folder and at any time: every
# time stamp is the last commit's (SOURCE_DATE_EPOCH), build paths are mapped
# out of the binaries, and archives list their files in a fixed order with
# fixed owners and modes. Exits non-zero when a build or a check fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/deps.sh" package

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$SOURCE_DATE_EPOCH" ]; then
  echo "No git history here: set SOURCE_DATE_EPOCH to the release's time (seconds since 1970)" >&2
  exit 1
fi
export TZ=UTC LC_ALL=C.UTF-8
umask 022
linux_build=build/package-linux
windows_build=build/package-win32
web_build=build/package-web
dist=$root/dist
stage=$root/build/package-stage
rm -rf "$dist" "$stage"
mkdir -p "$dist" "$stage"

configure_and_build() { # dir, target, cmake arguments...
  local dir=$1 target=$2
  shift 2
  # configure_with=emcmake for the page.
  ${configure_with:-} cmake -S . -B "$dir" -DBREVOLT_SANITIZE=OFF "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" --target "$target" -j "$(nproc)" >"$dir.build.log" 2>&1 ||
    { grep -E 'error|Error' "$dir.build.log" | head -20; return 1; }
}

# The Linux program with Debian's hardening flags, as Debian's own packages
# are built; the build type adds nothing to them.
echo "== building the Linux program ($linux_build)"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
configure_and_build "$linux_build" brevolt -DCMAKE_BUILD_TYPE=None \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
# shellcheck source=/dev/null
source "$linux_build/generated/package.env" # version, release_date, application_id

echo "== building brevolt.exe ($windows_build)"
configure_and_build "$windows_build" brevolt -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"

# The web build's own default build type is the page's release build.
echo "== building the page ($web_build)"
export NODE_PATH=/usr/share/nodejs # Debian's Emscripten looks for its Node modules there
configure_with=emcmake configure_and_build "$web_build" brevolt_page -U CMAKE_BUILD_TYPE \
  -DBREVOLT_BACKEND=web

# --- The Debian package -------------------------------------------------------
echo "== the Debian package"
DESTDIR=$stage cmake --install "$linux_build" --prefix /usr --strip >/dev/null
doc=$stage/usr/share/doc/brevolt
mkdir -p "$doc" "$stage/DEBIAN"
cp packaging/linux/copyright "$doc/copyright"
{
  echo "brevolt ($version) unstable; urgency=medium"
  echo
  echo "  * Brevolt $version for Debian and Ubuntu: the program, a desktop entry,"
  echo "    icons, AppStream metainfo and a manual page."
  echo
  echo " -- Oskerand <oskerand@oskerand.example>  $(date -u -R -d "$release_date")"
} | gzip -n -9 >"$doc/changelog.gz"
gzip -n -9 "$stage/usr/share/man/man6/brevolt.6"

# Depends is read off the binary, as dpkg-shlibdeps does for Debian's own.
shlibs=$(mktemp -d)
mkdir "$shlibs/debian"
printf 'Source: brevolt\n\nPackage: brevolt\nArchitecture: any\n' >"$shlibs/debian/control"
depends=$(cd "$shlibs" && dpkg-shlibdeps -O "$stage/usr/bin/brevolt" | sed -n 's/^shlibs:Depends=//p')
rm -rf "$shlibs"
arch=$(dpkg --print-architecture)
cat >"$stage/DEBIAN/control" <<EOF
Package: brevolt
Version: $version
Architecture: $arch
Maintainer: Oskerand <oskerand@oskerand.example>
Installed-Size: $(du -s -k --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: utils
Priority: optional
Homepage: https://www.brevolt.example/
Description: buy script maker for Counter-Strike: Source
 Brevolt writes buy scripts for Counter-Strike: Source. Pick up to two
 primary and two secondary weapons, ammunition, grenades, night vision, a
 defusal kit, armour and a key, and Brevolt composes the console line that
 buys all of it with one key press.
 .
 Save Config writes autoexec.cfg and buyscript.cfg into the current
 directory; copied into the game's cfg directory, they bind the keys every
 time the game starts.
EOF
(cd "$stage" && find usr -type f | sort | xargs md5sum >DEBIAN/md5sums)
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/bin/brevolt"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
deb=$dist/brevolt_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null

# --- The Windows download -----------------------------------------------------
echo "== the Windows download"
zip=$dist/brevolt-$version-win32.zip
sed "s/@BREVOLT_VERSION@/$version/; s/\$/\r/" packaging/windows/README.txt >"$stage/README.txt"
python3 - "$zip" "$SOURCE_DATE_EPOCH" "$windows_build/brevolt.exe" "$stage/README.txt" <<'EOF'
import sys, time, zipfile
archive, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
# ZIP times have two-second steps and no zone: the epoch's UTC time, rounded down.
stamp = time.gmtime(epoch - epoch % 2)[:6]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
    for path in files:
        entry = zipfile.ZipInfo(path.rsplit("/", 1)[-1], stamp)
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as data:
            out.writestr(entry, data.read())
EOF

# --- The page -----------------------------------------------------------------
page=$dist/brevolt-$version.html
cp "$web_build/brevolt.html" "$page"
chmod 0644 "$page"

(cd "$dist" && sha256sum "$(basename "$zip")" "$(basename "$deb")" "$(basename "$page")" >SHA256SUMS)

# --- Checks -------------------------------------------------------------------
echo "== checking the packages"
failed=0
check() { # what, command...
  local what=$1
  shift
  if ! "$@" >"$stage.check.log" 2>&1; then
    echo "FAILED: $what"
    cat "$stage.check.log"
    failed=1
  fi
}
check "desktop entry" desktop-file-validate "$stage/usr/share/applications/$application_id.desktop"
check "metainfo" appstreamcli validate --no-net "$stage/usr/share/metainfo/$application_id.metainfo.xml"
lintian --tag-display-limit 0 "$deb" >"$stage.lintian.log" 2>&1 || true
grep -E '^[A-Z]: ' "$stage.lintian.log" | sed 's/^/lintian: /' || true
check "lintian reports no errors" bash -c '! grep -q "^E:" "$1"' - "$stage.lintian.log"
check "Depends names GTK 3" grep -q 'libgtk-3-0' <<<"$depends"
headers=$(i686-w64-mingw32-objdump -p "$windows_build/brevolt.exe")
check "brevolt.exe is PE32" grep -q 'file format pei-i386' <<<"$headers"
check "brevolt.exe is at most 350 KB" test "$(stat -c %s "$windows_build/brevolt.exe")" -le $((350 * 1024))
[ "$failed" -eq 0 ] || { echo "PACKAGE CHECKS FAILED"; exit 1; }

echo "Wrote, for version $version:"
(cd "$dist" && ls -l "$(basename "$deb")" "$(basename "$zip")" "$(basename "$page")" && cat SHA256SUMS)
