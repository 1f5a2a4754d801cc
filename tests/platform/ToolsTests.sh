#!/usr/bin/env bash
# Checks of the tools that set up Wine for the tests:
#   ToolsTests.sh prefix   the prefix tool leaves alone what it did not make
#   ToolsTests.sh server   a run of with-display does not end the wine server
#                          while a program outside the run still uses it
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

prefix_checks() {
  local scratch
  scratch=$(mktemp -d)
  # Someone's own prefix, or any folder with things in it, named by mistake.
  mkdir "$scratch/theirs"
  echo kept >"$scratch/theirs/user.reg"
  ln -s "$scratch/theirs" "$scratch/link"
  echo kept >"$scratch/file"
  for target in theirs link file; do
    if VEK_WINEPREFIX="$scratch/$target" "$root/tools/wine-prefix" >/dev/null 2>&1; then
      fail "wine-prefix took $target as its own"
    fi
  done
  [ "$(cat "$scratch/theirs/user.reg" 2>/dev/null)" = kept ] || fail "wine-prefix changed a folder it did not make"
  [ -L "$scratch/link" ] || fail "wine-prefix removed a link to a folder it did not make"
  [ "$(cat "$scratch/file" 2>/dev/null)" = kept ] || fail "wine-prefix changed a file it did not make"
  rm -rf "$scratch"
}

server_checks() {
  source "$root/tools/wine-env.sh"
  "$root/tools/wine-prefix" || { fail "no prefix"; return; }
  local feed other
  feed=$(mktemp -u)
  mkfifo "$feed"
  # A program on the prefix that belongs to no run of with-display: it waits
  # for a line on its input.
  (
    unset VEK_DISPLAY_RUN
    exec "$VEK_WINE" cmd.exe /c "set /p x=" <"$feed" >/dev/null 2>&1
  ) &
  other=$!
  exec 7>"$feed"
  local started=0
  for _ in $(seq 1 200); do
    case "$(readlink "/proc/$other/exe" 2>/dev/null)" in
      */wine*) started=1; break ;;
    esac
    sleep 0.05
  done
  [ "$started" = 1 ] || fail "the other program did not start"
  env -u VEK_XVFB "$root/tools/with-display" true || fail "with-display failed"
  kill -0 "$other" 2>/dev/null || fail "the program outside the run was ended with the wine server"
  trap '' PIPE  # its input may have no reader any more
  echo >&7 2>/dev/null
  exec 7>&-
  wait "$other"
  rm -f "$feed"
}

case "${1:-}" in
  prefix) prefix_checks ;;
  server) server_checks ;;
  *) echo "usage: ToolsTests.sh prefix|server" >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] && echo "passed"
exit $((failures > 0))
