#!/usr/bin/env bash
# Drives Vek.exe from outside, as a user's mouse and keys reach it through the
# X server: a project with two axis grids is opened; a drag with the middle
# button shifts the picture by the drag; F7 shows all again, which for this
# project is the picture it was saved with; in the two-point elevation
# command (F2) the cursor snaps to a grid crossing with its marker, and Esc
# ends the command and takes the marker away.
#   DriveFromOutside.sh <Vek.exe> <fixture folder> <artifacts folder>
set -uo pipefail
exe=$1 fixtures=$2 artifacts=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../../../tools/wine-env.sh"
[ -n "${DISPLAY:-}" ] || { echo "no display" >&2; exit 1; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  mkdir -p "$artifacts"
  [ -n "${win:-}" ] && import -window "$win" "$artifacts/drive_from_outside.png" 2>/dev/null
  exit 1
}

cp "$fixtures/demogrid.prj" "$work/demogrid.prj" || fail "no fixture"
"$VEK_WINE" "$exe" "$(winepath -w "$work/demogrid.prj" 2>/dev/null)" &
pid=$!

win=""
for _ in $(seq 1 600); do
  win=$(xdotool search --onlyvisible --name "^demogrid.PRJ - Vek$" 2>/dev/null | head -1)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "Vek.exe ended"
  sleep 0.05
done
[ -n "$win" ] || fail "the main window did not appear"

shot() { import -window "$win" "$1" 2>/dev/null; }
# Pixels that differ between two pictures (a colour within 5 % is the same).
differ() { compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 | awk '{print int($1)}'; }
# Waits until the window shows the same picture twice and it is not $2.
settled() {
  local out=$1 not=${2:-} n
  for n in $(seq 1 400); do
    shot "$work/a.png"
    shot "$work/b.png"
    if [ "$(differ "$work/a.png" "$work/b.png")" = 0 ] &&
       { [ -z "$not" ] || [ "$(differ "$work/a.png" "$not")" != 0 ]; }; then
      cp "$work/b.png" "$out"
      return 0
    fi
    sleep 0.05
  done
  return 1
}
# Of a picture, the part of the view holding the grids.
region() { convert "$1" -crop "$2" +repage "$3"; }

settled "$work/loaded.png" || fail "the picture never settled"
geometry=$(xdotool getwindowgeometry --shell "$win")
eval "$geometry"
# The middle of the window lies in the view, away from the panels.
cx=$((WIDTH / 2)) cy=$((HEIGHT / 2))

# The middle button held while the mouse moves 60 right and 40 down.
xdotool mousemove --window "$win" "$cx" "$cy" mousedown 2
for step in 1 2 3 4 5 6; do
  xdotool mousemove --window "$win" $((cx + 10 * step)) $((cy + 40 * step / 6))
done
xdotool mouseup 2
settled "$work/panned.png" "$work/loaded.png" || fail "the drag changed nothing"

# The grids' part of the picture, and the same part 60 right and 40 down.
x=$((WIDTH / 5)) y=$((HEIGHT * 2 / 5)) w=$((WIDTH * 3 / 5)) h=$((HEIGHT / 4))
region "$work/loaded.png" "${w}x${h}+${x}+${y}" "$work/r0.png"
region "$work/panned.png" "${w}x${h}+$((x + 60))+$((y + 40))" "$work/r1.png"
region "$work/panned.png" "${w}x${h}+${x}+${y}" "$work/r2.png"
moved=$(differ "$work/r0.png" "$work/r1.png")
stayed=$(differ "$work/r0.png" "$work/r2.png")
echo "grid pixels off after the drag: $moved of $((w * h)); in place: $stayed"
[ "$stayed" -gt 500 ] || fail "the region holds no picture to follow ($stayed pixels differ unshifted)"
[ "$moved" -le $((w * h / 200)) ] || fail "the picture did not follow the drag ($moved pixels off)"

# F7 with the mouse over the view: everything shown, as saved.
xdotool mousemove --window "$win" "$cx" "$cy"
xdotool windowfocus "$win" 2>/dev/null
xdotool key F7
settled "$work/all.png" "$work/panned.png" || fail "F7 changed nothing"
region "$work/all.png" "${w}x${h}+${x}+${y}" "$work/r3.png"
back=$(differ "$work/r0.png" "$work/r3.png")
echo "grid pixels off after F7: $back"
[ "$back" -le $((w * h / 200)) ] || fail "F7 did not give the saved picture ($back pixels off)"
# F2 asks for the two points of an elevation. Somewhere on a lattice of
# 40 pixels about the middle the cursor comes within the snap radius of a
# grid crossing: the marker shows; Esc ends the operation and takes it away.
xdotool key F2
marked=""
for dy in -80 -40 0 40 80; do
  for dx in -80 -40 0 40 80; do
    xdotool mousemove --window "$win" $((cx + dx)) $((cy + dy))
    settled "$work/moved.png" || fail "the picture never settled after a move"
    region "$work/moved.png" "${w}x${h}+${x}+${y}" "$work/r4.png"
    if [ "$(differ "$work/r3.png" "$work/r4.png")" -gt 20 ]; then
      marked="$dx,$dy"
      break 2
    fi
  done
done
[ -n "$marked" ] || fail "no snap marker near the grid crossings"
echo "snap marker shown with the cursor at $marked from the middle"
cp "$work/moved.png" "$artifacts/drive_snap_marker.png" 2>/dev/null
xdotool key Escape
settled "$work/ended.png" "$work/moved.png" || fail "Esc changed nothing"
region "$work/ended.png" "${w}x${h}+${x}+${y}" "$work/r5.png"
left=$(differ "$work/r3.png" "$work/r5.png")
[ "$left" -le 20 ] || fail "the marker stayed after Esc ($left pixels)"
echo "passed"
