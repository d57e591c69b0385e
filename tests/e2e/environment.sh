# Sourced before the end-to-end tests run: the stand-in some of them use.
#   e2e_environment_start  puts a recording xdg-open first on PATH (exports
#                          BREVOLT_OPENED)
#   e2e_environment_stop   removes it again

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
  return 0
}

e2e_environment_stop() {
  [ -n "${BREVOLT_E2E_DIR:-}" ] || return 0
  rm -rf "$BREVOLT_E2E_DIR"
  unset BREVOLT_E2E_DIR BREVOLT_OPENED
}
