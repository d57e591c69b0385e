# Sourced before e2e_tests.exe runs: the stand-ins some end-to-end tests use.
#   e2e_environment_start  puts a recording xdg-open first on PATH (exports
#                          BREVOLT_OPENED) and, as root, offers an empty 64 KB
#                          disk the tests fill and free (BREVOLT_SMALL_FOLDER)
#   e2e_environment_stop   removes them again

e2e_environment_start() {
  BREVOLT_E2E_DIR=$(mktemp -d)
  mkdir "$BREVOLT_E2E_DIR/bin" "$BREVOLT_E2E_DIR/small"
  # Wine hands web addresses to xdg-open; record them instead of opening them.
  cat >"$BREVOLT_E2E_DIR/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$*" >>"$BREVOLT_E2E_DIR/opened.txt"
EOS
  chmod +x "$BREVOLT_E2E_DIR/bin/xdg-open"
  export PATH="$BREVOLT_E2E_DIR/bin:$PATH"
  export BREVOLT_OPENED="$BREVOLT_E2E_DIR/opened.txt"

  if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$BREVOLT_E2E_DIR/small" 2>/dev/null; then
    export BREVOLT_SMALL_FOLDER="$BREVOLT_E2E_DIR/small"
  fi
  return 0
}

e2e_environment_stop() {
  [ -n "${BREVOLT_E2E_DIR:-}" ] || return 0
  mountpoint -q "$BREVOLT_E2E_DIR/small" 2>/dev/null && umount "$BREVOLT_E2E_DIR/small"
  rm -rf "$BREVOLT_E2E_DIR"
  unset BREVOLT_E2E_DIR BREVOLT_OPENED BREVOLT_SMALL_FOLDER
}
