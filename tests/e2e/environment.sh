# Sourced before e2e_tests.exe runs: the stand-ins some end-to-end tests use.
#   e2e_environment_start  puts a recording xdg-open first on PATH (exports
#                          BREVOLT_OPENED) and, where a small disk can be
#                          mounted, a full one (exports BREVOLT_FULL_FOLDER)
#   e2e_environment_stop   removes them again

e2e_environment_start() {
  BREVOLT_E2E_DIR=$(mktemp -d)
  mkdir "$BREVOLT_E2E_DIR/bin"
  # Wine hands web addresses to xdg-open; record them instead of opening them.
  cat >"$BREVOLT_E2E_DIR/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$*" >>"$BREVOLT_E2E_DIR/opened.txt"
EOS
  chmod +x "$BREVOLT_E2E_DIR/bin/xdg-open"
  export PATH="$BREVOLT_E2E_DIR/bin:$PATH"
  export BREVOLT_OPENED="$BREVOLT_E2E_DIR/opened.txt"

  # Files can still be created on a full disk, but not filled.
  mkdir "$BREVOLT_E2E_DIR/full"
  if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$BREVOLT_E2E_DIR/full" 2>/dev/null; then
    dd if=/dev/zero of="$BREVOLT_E2E_DIR/full/filler" bs=4k >/dev/null 2>&1 || true
    export BREVOLT_FULL_FOLDER="$BREVOLT_E2E_DIR/full"
  fi
}

e2e_environment_stop() {
  [ -n "${BREVOLT_E2E_DIR:-}" ] || return 0
  if [ -n "${BREVOLT_FULL_FOLDER:-}" ]; then
    umount "$BREVOLT_FULL_FOLDER" 2>/dev/null || true
    unset BREVOLT_FULL_FOLDER
  fi
  rm -rf "$BREVOLT_E2E_DIR"
  unset BREVOLT_E2E_DIR BREVOLT_OPENED
}
