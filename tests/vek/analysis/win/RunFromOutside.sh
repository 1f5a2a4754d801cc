#!/usr/bin/env bash
# Runs the analysis of a saved portal frame from outside Vek.exe, as a user
# does: keys and the mouse through the X server, the windows' texts read as a
# screen reader reads them.
#  1. The solver's folder (KORVA) is empty: "计算与分析" writes the data file
#     and then says that the solver is missing.
#  2. The solver's steps are put there (stand-ins; the first leaves the
#     portal's result set beside the data file): the run ends "计算完成！",
#     the result selectors fill, the deformed shape and then the beam moment
#     diagram are shown from the menu's result dialogs.
#  3. Vek is closed (a save prompt answered) and the project opened again:
#     the results are found and the deformed shape is shown again.
#   RunFromOutside.sh <Vek.exe> <fixture folder> <artifacts folder>
#                     <solver stand-in> <window texts> <result set writer>
set -uo pipefail
exe=$1 fixtures=$2 artifacts=$3 standin=$4 texts_exe=$5 resultset_exe=$6
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../../../tools/wine-env.sh"
[ -n "${DISPLAY:-}" ] || { echo "no display" >&2; exit 1; }
mkdir -p "$artifacts"

# A whole analysis starts a program per step; on two loaded cores each start
# may take seconds. Only something that hangs waits this long.
readonly kWindow=180 kRun=300 kPicture=120

work=$(mktemp -d)
pid="" win=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
shot_root() { import -window root "$1" 2>/dev/null; }
fail() {
  echo "FAILED: $*" >&2
  shot_root "$artifacts/run_from_outside_failure.png"
  [ -s "$work/texts.txt" ] && { echo "--- the windows' texts:" >&2; cat "$work/texts.txt" >&2; }
  exit 1
}
winpath() { winepath -w "$1" 2>/dev/null; }

# The project's name (at most 8 characters) is this run's own: its windows'
# titles tell them from those of another Vek on the same Wine server.
project_dir="$work/project" solver="$work/korva" name="p$$"
mkdir -p "$project_dir" "$solver"
project="$project_dir/$name.prj"
cp "$fixtures/portal.prj" "$project" || fail "no fixture"

# ---- reading the screen -------------------------------------------------------------

# The texts of Vek's visible windows (its main window, boxes, dialogs, tool
# windows) in $work/texts.txt; see WindowTexts.cpp for the lines.
read_texts() {
  "$VEK_WINE" "$texts_exe" "$name.PRJ - Vek" 2>"$work/texts.err" | tr -d '\r' >"$work/texts.txt"
}
shows() { grep -qF -- "$1" "$work/texts.txt"; }
# Calls "$1" every half second until it succeeds, for at most $2 seconds.
wait_until() {
  local check=$1 end=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$end" ]; do
    "$check" && return 0
    kill -0 "$pid" 2>/dev/null || fail "Vek.exe ended"
    sleep 0.5
  done
  return 1
}
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
# Vek's message box: titled "Vek" as the main window is before it opens a
# project, but far smaller.
message_box() {
  local w WIDTH
  for w in $(xdotool search --onlyvisible --name '^Vek$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep '^WIDTH=')"
    [ "${WIDTH:-0}" -lt 800 ] && { echo "$w"; return; }
  done
}

shot() { import -window "$win" "$1" 2>/dev/null; }
# Pixels that differ between two pictures (a colour within 5 % is the same).
differ() { compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 | awk '{print int($1)}'; }
# Waits until the main window shows the same picture twice and it is not $2.
settled() {
  local out=$1 not=${2:-} end=$((SECONDS + kPicture))
  while [ "$SECONDS" -lt "$end" ]; do
    shot "$work/a.png"
    sleep 0.3
    shot "$work/b.png"
    if [ "$(differ "$work/a.png" "$work/b.png")" = 0 ] &&
       { [ -z "$not" ] || [ "$(differ "$work/a.png" "$not")" != 0 ]; }; then
      cp "$work/b.png" "$out"
      return 0
    fi
  done
  return 1
}
# Waits for a settled picture other than $2 that passes the check "${@:3}"
# (called with the picture's file last); it is kept as $1.
picture_where() {
  local out=$1 not=$2 end=$((SECONDS + kPicture))
  shift 2
  while [ "$SECONDS" -lt "$end" ]; do
    settled "$work/candidate.png" "$not" || break
    if "$@" "$work/candidate.png" >"$work/check.txt" 2>&1; then
      cat "$work/check.txt"
      cp "$work/candidate.png" "$out"
      return 0
    fi
    sleep 0.5
  done
  cat "$work/check.txt" >&2
  return 1
}
pictures() { /usr/bin/python3 "$here/portal_pictures.py" "$@"; }
whole() { pictures model "$1"; }
# The sway of the deformed shape: the project's largest displacement in pixels.
swayed() { pictures sway "$1" "$2" 40; }
# The moment diagram: the project's diagram size, per cent of the span.
moments() { pictures moment "$1" "$2" 5; }

# ---- acting as the user --------------------------------------------------------------

start_vek() {
  # KORVA names the solver's folder: Vek.exe looks there for kor.exe.
  KORVA="$(winpath "$solver")" "$VEK_WINE" "$exe" "$(winpath "$project")" >>"$work/vek.log" 2>&1 &
  pid=$!
  main_window() {
    [ -z "$(message_box)" ] || fail "a message on opening the project"
    win=$(window_named "^$name\\.PRJ - Vek\$")
    [ -n "$win" ]
  }
  wait_until main_window "$kWindow" || fail "the main window did not appear"
  picture_where "$work/opened.png" "" whole || fail "the portal is not shown"
}
# Gives window $1 the keyboard; false when it does not take it in time.
focus_on() {
  local w=$1 end=$((SECONDS + kWindow))
  while [ "$SECONDS" -lt "$end" ]; do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$w" ] && return 0
    xdotool windowfocus "$w" 2>/dev/null
    sleep 0.2
  done
  return 1
}
# Keys typed into the main window: a click on its caption makes it the
# active window (a tool window of it, floating on the left, may be at
# start), then the mouse rests in the view, away from the menus. Clicks a
# second apart at least: two would maximize it.
last_click=0
keys() {
  local end=$((SECONDS + kWindow))
  eval "$(xdotool getwindowgeometry --shell "$win")"
  until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ]; do
    [ "$SECONDS" -lt "$end" ] || fail "the main window does not take the keyboard"
    while [ "$(date +%s%N)" -lt $((last_click + 1000000000)) ]; do sleep 0.1; done
    xdotool mousemove --window "$win" $((WIDTH * 2 / 3)) 8 click 1
    last_click=$(date +%s%N)
    sleep 0.2
  done
  xdotool mousemove --window "$win" $((WIDTH * 3 / 4)) $((HEIGHT * 3 / 4))
  xdotool key --delay 150 "$@"
}
# Keys typed into the window named $1 once it shows.
keys_to() {
  local title=$1 w="" end=$((SECONDS + kWindow))
  shift
  while [ -z "$w" ] && [ "$SECONDS" -lt "$end" ]; do
    w=$(window_named "$title")
    [ -n "$w" ] || sleep 0.3
  done
  [ -n "$w" ] || fail "no window \"$title\""
  focus_on "$w" || fail "\"$title\" does not take the keyboard"
  xdotool key --delay 150 "$@"
}
# The menu "分析与结果(&A)": Alt+A drops it on its first entry, the submenu
# "计算与分析"; the entries are counted from there (separators skipped).
analysis_menu() { keys alt+a "$@"; }
start_analysis() { analysis_menu Right Return; }
# The dialogs a run may ask first, answered with their defaults.
answer_run_dialogs() {
  local d
  for title in '^KORVA分析选项对话框$' '^执行程序选择对话框$'; do
    d=$(window_named "$title")
    [ -n "$d" ] && focus_on "$d" && xdotool key Return
  done
}

# ---- 1. no solver ---------------------------------------------------------------------

start_vek
start_analysis
missing="找不到KORVA求解程序kor.exe（已查找程序目录和环境变量KORVA所指目录）。"
no_solver_said() { answer_run_dialogs; read_texts; shows "$missing"; }
wait_until no_solver_said "$kRun" || fail "no message of the missing solver"
shot_root "$artifacts/run_no_solver.png"
data=$(find "$project_dir" -maxdepth 1 -type f -iname "$name" | head -1)
[ -n "$data" ] || fail "no data file beside the project"
[ ! -e "$solver/log.txt" ] || fail "a solver's step ran"
for line in FRAME "1 1 2 M=1 " "2 2 3 M=1 " "3 4 3 M=1 " "1 R=1 1 1 1 1 1 " "4 R=1 1 1 1 1 1 "; do
  tr -d '\r' <"$data" | grep -q "^$line" || fail "the data file has no line \"$line\""
done
echo "no solver: data file $(basename "$data") written, then: $missing"
box=$(message_box)
focus_on "$box" || fail "the message box does not take the keyboard"
xdotool key Return
box_gone() { [ -z "$(message_box)" ]; }
wait_until box_gone "$kWindow" || fail "the message box stayed"

# ---- 2. the solver's stand-ins --------------------------------------------------------

for step in kor KOR2 FRAME FRAMF BRONK SPRING SPRINGF UDEXOR UDEXOR2 SALDER NIBRAKO UMORAP UQIRN REIN SHELLE \
            SHELLF TULMA; do
  cp "$standin" "$solver/$step.exe" || fail "cannot place the solver's step $step"
done
"$VEK_WINE" "$resultset_exe" "$(winpath "$solver")\\R1" >/dev/null 2>&1 || fail "no result set"
printf 'KOR copyset R1 %s\n' "$name" >"$solver/plan.txt"

start_analysis
run_ended() {
  answer_run_dialogs
  if [ -n "$(message_box)" ]; then
    read_texts
    fail "a message during the run"
  fi
  read_texts
  shows "计算完成！" && return 0
  shows "计算过程非正常结束！" && fail "the run ended abnormally"
  return 1
}
wait_until run_ended "$kRun" || fail "the run did not end"
grep -q '^KOR|' "$solver/log.txt" || fail "the solver's first step never ran"
# The load-case selector lists the result's load case (the tool bar catches
# up with the results a moment after the prompt).
selectors_filled() { read_texts; grep -q $'^\t*item|种1' "$work/texts.txt"; }
wait_until selectors_filled "$kWindow" || fail "the load-case selector is empty"
echo "with the solver: 计算完成！, $(grep -c '|' "$solver/log.txt") steps run"
picture_where "$work/undeformed.png" "" whole || fail "the portal is not shown after the run"

# The deformed shape: the dialog's first choice, the load case's displacements.
analysis_menu Down Down Down Down Return
keys_to '^显示哪种位移图$' Return
picture_where "$artifacts/outside_deformed.png" "$work/undeformed.png" swayed "$work/undeformed.png" ||
  fail "no deformed shape"

# The moment diagram in the plane 1-2 (the third force component), after
# closing the deformed shape (the menu's last entry; Up wraps to it).
analysis_menu Up Return
picture_where "$work/closed.png" "$artifacts/outside_deformed.png" whole || fail "the deformed shape stayed"
analysis_menu Down Down Down Down Down Return
keys_to '^一维单元内力图$' Tab Down Down Return
picture_where "$artifacts/outside_moment.png" "$work/closed.png" moments "$work/closed.png" ||
  fail "no moment diagram"

# ---- 3. closed and opened again -------------------------------------------------------

keys alt+F4
closed() {
  local box
  box=$(message_box)
  [ -n "$box" ] && focus_on "$box" && xdotool key Return
  ! kill -0 "$pid" 2>/dev/null
}
end=$((SECONDS + kWindow))
until closed; do
  [ "$SECONDS" -lt "$end" ] || fail "Vek.exe did not end"
  sleep 0.5
done
pid=""
start_vek
wait_until selectors_filled "$kWindow" || fail "the results were not found on opening"
analysis_menu Down Down Down Down Return
keys_to '^显示哪种位移图$' Return
picture_where "$artifacts/outside_reopened.png" "$work/opened.png" swayed "$work/opened.png" ||
  fail "no deformed shape after opening"
echo "passed"
