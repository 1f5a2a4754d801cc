#!/usr/bin/env bash
# Builds a portal frame in Vek.exe from outside, as a user's mouse and keys
# reach it through the X server: started without a project, "新建空间结构"
# is picked in the start dialog; two sections and a material are added in
# their library dialogs; two columns and a beam are drawn by typed points, their
# material and sections chosen in the beam command's panel; the
# bases are fixed and a node load put on through their panels and clicks on
# the nodes; a force combination is typed into its dialog's grid and an axis
# grid into the grid editor's tables; the project is saved through the Save
# As dialog and the program quit. Started again on the saved file, it shows
# the grid and writes the solver's data file, which must hold all the rest.
#   MainRoadFromOutside.sh <Vek.exe> <artifacts folder>
set -uo pipefail
exe=$(realpath "$1") artifacts=$(realpath -m "$2")
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../../tools/wine-env.sh"
[ -n "${DISPLAY:-}" ] || { echo "no display" >&2; exit 1; }
mkdir -p "$artifacts"

work=$(mktemp -d)
pid=""
win=""
# The modeller's settings (recent files, panel places) are put back at the end.
profile="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/KORVA/Vekv7.INI"
[ -f "$profile" ] && cp "$profile" "$work/profile.ini"
stop_vek() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
  fi
}
cleanup() {
  stop_vek
  if [ -f "$work/profile.ini" ]; then cp "$work/profile.ini" "$profile"; else rm -f "$profile"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  import -window root "$artifacts/main_road_outside_failure.png" 2>/dev/null
  exit 1
}
step() { echo "-- $*"; }

# The visible window whose title matches, waited for (up to 300 s).
window() {
  local w
  for _ in $(seq 1 3000); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null && return 1
    sleep 0.1
  done
  return 1
}
# Waits until no visible window's title matches.
gone() {
  for _ in $(seq 1 3000); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
# Keys to the window: it is given the focus first.
keys() {
  local w=$1
  shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool key --delay 60 "$@"
}
text() {
  local w=$1
  shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool type --delay 60 "$1"
}
# A click at a point of a dialog given in its template's units (1.5 pixels
# wide and 2 high in the dialog font). Where Wine draws the frame itself the
# window holds it: borders alike left, right and below, the caption on top;
# so the point is found from the window's bottom right corner.
#   click_unit <window> <width units> <height units> <x units> <y units>
click_unit() {
  local w=$1 cw=$2 ch=$3 ux=$4 uy=$5 WIDTH HEIGHT X Y SCREEN WINDOW pos
  eval "$(xdotool getwindowgeometry --shell "$w")"
  pos=$(awk -v W="$WIDTH" -v H="$HEIGHT" -v cw="$cw" -v ch="$ch" -v ux="$ux" -v uy="$uy" 'BEGIN {
    sx = 1.5; sy = 2
    b = (W - cw * sx) / 2
    if (b < 0 || b > 8) { sx = W / cw; sy = sx * 4 / 3; b = 0 }
    printf "%d %d", b + ux * sx, H - b - (ch - uy) * sy }')
  xdotool mousemove --window "$w" ${pos% *} ${pos#* } click 1
}
screen() { import -window root "$1" 2>/dev/null && mogrify +repage "$1"; }
# Whether two pictures differ in more pixels than a blinking caret covers
# (a colour within 5 % is the same).
differ() { [ "$(compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 | awk '{print int($1)}')" -gt 40 ]; }
# Waits until the screen shows the same picture twice, and (given a picture)
# one that is not that picture; the picture is left in $work/now.png.
settled() {
  local not=${1:-}
  for _ in $(seq 1 750); do
    screen "$work/a.png"
    sleep 0.1
    screen "$work/now.png"
    if ! differ "$work/a.png" "$work/now.png" && { [ -z "$not" ] || differ "$work/now.png" "$not"; }; then
      return 0
    fi
  done
  return 1
}
# A menu command by its keys (the menu key, then arrows and Enter); waits
# until the screen changed from what it was before the menu opened.
menu() {
  screen "$work/before.png"
  xdotool key "$1"
  settled "$work/before.png" || fail "the menu $1 did not open"
  shift
  xdotool key --delay 120 "$@"
}
# The prompt line of the bar below the view, in a screen picture.
prompt_line() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win")"
  convert "$1" -crop "700x22+$X+$((Y + HEIGHT - 58))" +repage "$2"
}
# Waits until the prompt line is not the one of the picture and the screen settled.
prompted() {
  prompt_line "$1" "$work/p0.png"
  for _ in $(seq 1 300); do
    settled || return 1
    prompt_line "$work/now.png" "$work/p1.png"
    differ "$work/p0.png" "$work/p1.png" && return 0
  done
  return 1
}
# Esc until the prompt line is the one of the program at rest (in $work/idle.png).
end_command() {
  local i
  for i in $(seq 0 300); do
    [ $((i % 10)) -eq 0 ] && xdotool key Escape
    settled || return 1
    prompt_line "$work/now.png" "$work/p1.png"
    differ "$work/idle.png" "$work/p1.png" || return 0
  done
  return 1
}
# Keys in the main window need its focus: a click in the middle of its view,
# where the portal leaves the view empty.
focus_main() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}
# Types a point into the prompt bar and waits for the prompt to take it.
point() {
  settled || fail "the screen never settled"
  cp "$work/now.png" "$work/before.png"
  xdotool type --delay 80 "$1"
  xdotool key Return
  prompted "$work/before.png" || fail "the point $1 was not taken"
}
# Of the portal drawn in true shape (the section colour), the runs of its
# pixels along a row (y) or a column (x) of the screen picture: "start end"
# per line, gaps of a line or two (the dashed axes) bridged.
runs() {
  local crop
  if [ "$1" = row ]; then crop="1280x1+0+$2"; else crop="1x1024+$2+0"; fi
  convert "$work/now.png" -crop "$crop" +repage -fuzz 8% -fill "srgb(255,0,0)" -opaque "srgb(128,255,255)" txt:- |
    awk -F'[,: ]+' -v axis="$1" 'NR > 1 {
      i = axis == "row" ? $1 : $2
      if ($0 ~ /#FF0000/) { if (!on || i - last > 3) { if (on) print s, last; s = i; on = 1 } last = i }
    } END { if (on) print s, last }'
}

# Pixels of a picture in the colour of axis grids.
grid_pixels() {
  convert "$1" -format %c histogram:info:- | awk '/#FFC880/ { n = $1 + 0 } END { print n + 0 }'
}

start_vek() {
  ( cd "$work" && exec "$VEK_WINE" "$exe" "$@" ) &
  pid=$!
}

# ---- started without a project: the start dialog over the main window ----
step "start"
start_vek
ask="^新建模型或打开已有模型$"
dlg=$(window "$ask") || fail "the start dialog did not appear"
win=$(window " - Vek$") || fail "no main window behind the start dialog"
# "新建空间结构", the first button; clicked again while the dialog stays
# (a click before it takes input is lost).
for i in $(seq 0 1200); do
  xdotool search --onlyvisible --name "$ask" >/dev/null 2>&1 || break
  [ $((i % 50)) -eq 0 ] && click_unit "$dlg" 280 104 140 25
  sleep 0.1
done
gone "$ask" || fail "the start dialog stayed"
settled || fail "the screen never settled"
cp "$work/now.png" "$artifacts/main_road_outside_start.png"
# The left panel stays in front of the main window once the dialog is gone:
# of the shown windows of a fair size, one comes before the main window in
# the stacking order (top first).
visible=$(xdotool search --onlyvisible --class vek.exe 2>/dev/null)
front=$(xwininfo -root -children | awk '$1 ~ /^0x/ && $0 ~ /"vek.exe"/ {
  split($0, g, /\)  /); split(g[2], size, /[x+]/); if (size[1] >= 100 && size[2] >= 100) print $1 }' |
  while read -r id; do
    echo "$visible" | grep -qx "$((id))" || continue
    echo "$((id))"
  done | head -1)
[ -n "$front" ] && [ "$front" != "$win" ] || fail "the left panel is behind the main window"
prompt_line "$work/now.png" "$work/idle.png"
focus_main

# ---- a section and a material from their library dialogs ----
# Opens a library dialog by the 参数 menu (its place: Down presses) and adds
# a named record by the dialog's first button and the name question.
add_named() {
  local downs=$1 library=$2 question=$3 text=$4
  menu alt+d $(printf 'Down %.0s' $(seq "$downs")) Return
  lib=$(window "^$library\$") || fail "no $library"
  xdotool key Tab space
  name=$(window "^$question\$") || fail "no name question"
  xdotool type --delay 80 "$text"
  xdotool key Return
  gone "^$question\$" || fail "the name question stayed"
  settled || fail "the screen never settled"
}

# A rectangular section of the ordinary library (参数 > 管理普通截面库,
# 添加截面): its width and height are the first two edits.
add_section() {
  add_named 17 截面库维护对话框 截面标识名称输入对话框 "$1"
  xdotool key --delay 120 Tab Tab Tab
  xdotool type --delay 80 "$2"
  xdotool key Tab
  xdotool type --delay 80 "$3"
  xdotool key Return
  gone "^截面库维护对话框$" || fail "the section library stayed"
}

step "sections"
add_section C350 0.3 0.5      # the columns'
add_section L300 0.3 0.6      # the beam's

step "material"
add_named 16 材料数据维护对话框 材料标识名称输入对话框 C30  # 参数 > 管理材料库, 添加材料
# Grade "30" chosen in the grades' list by its first digit.
xdotool key --delay 120 Tab Tab Tab Tab
xdotool type --delay 80 "3"
settled || fail "the screen never settled"
click_unit "$lib" 350 196 248 181                 # 确定
gone "^材料数据维护对话框$" || fail "the material library stayed"

# ---- two columns and a beam by typed points; each beam from its end of
# smaller x; typed points on nodes take those nodes ----
step "beams"
settled || fail "the screen never settled"
menu alt+g Down Down Down Down Return               # 几何 > @梁柱生成
prompted "$work/before.png" || fail "the beam command did not start"
# The command's panel chooses the material and section of the members it
# makes: a list is dropped by a click and chosen in by keys (the first item
# is "none"). Points typed while the panel holds the keys reach the prompt.
props=$(window "^材料与截面属性$") || fail "no material and section panel"
choose() {  # <the list's height in template units> <its item>
  click_unit "$props" 186 82 100 "$1"
  settled || fail "the screen never settled"
  xdotool key --delay 120 Home $(printf 'Down %.0s' $(seq "$2")) Return
  settled || fail "the screen never settled"
}
choose 11 1                                         # 材料: C30
choose 47 1                                         # 截面: C350
point "0 0"; point "0 3"
choose 47 2                                         # 截面: L300
cp "$work/now.png" "$artifacts/main_road_outside_panel.png"
point "4 3"; point "0 3"
choose 47 1
point "4 0"; point "4 3"
end_command || fail "the beam command did not end"
cp "$work/now.png" "$work/before.png"
xdotool key F7
settled "$work/before.png" || fail "F7 changed nothing"

# The nodes on the screen: the columns' and the beam's middles.
eval "$(xdotool getwindowgeometry --shell "$win")"
cols=($(runs row $((Y + HEIGHT * 2 / 3)) | awk '$2 - $1 > 6 { print int(($1 + $2) / 2) }'))
[ ${#cols[@]} -eq 2 ] || fail "columns not found on the screen: ${cols[*]}"
mid=$(( (cols[0] + cols[1]) / 2 ))
beam=($(runs col "$mid" | awk '$2 - $1 > 6 { print int(($1 + $2) / 2) }'))
[ ${#beam[@]} -eq 1 ] || fail "the beam not found on the screen: ${beam[*]}"
base=$(runs col $((cols[0] - 5)) | tail -1 | awk '{ print $2 }')
echo "nodes at x ${cols[*]}, top y ${beam[0]}, base y $base"

# ---- the bases fixed in all six directions ----
step "restraints"
menu alt+p Up Right Return                          # 属性 > 节点 > @节点自由度约束
panel=$(window "^节点自由度控制$") || fail "no restraint panel"
prompted "$work/before.png" || fail "the restraint command did not start"
click_unit "$panel" 176 108 145 16                # 全选
settled || fail "the screen never settled"
xdotool mousemove "${cols[0]}" $((base - 2)) click 1
settled || fail "the screen never settled"
xdotool mousemove "${cols[1]}" $((base - 2)) click 1
settled || fail "the screen never settled"
cp "$work/now.png" "$work/before.png"
xdotool key Return
settled "$work/before.png" || fail "the restraints were not applied"
end_command || fail "the restraint command did not end"

# ---- a sideways force of 10 at the top of the right column, load case 1 ----
step "node load"
menu alt+l Return                                   # 荷载 > @节点集中力
panel=$(window "^节点集中荷载参数$") || fail "no node-load panel"
prompted "$work/before.png" || fail "the node-load command did not start"
click_unit "$panel" 196 150 30 21                 # X向力
click_unit "$panel" 196 150 30 69                 # 替换原有同类型的荷载
click_unit "$panel" 196 150 80 138                # 荷载值
xdotool key --delay 80 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 "10"
settled || fail "the screen never settled"
xdotool mousemove "${cols[1]}" "${beam[0]}" click 1
settled || fail "the screen never settled"
cp "$work/now.png" "$work/before.png"
xdotool key Return
settled "$work/before.png" || fail "the load was not applied"
end_command || fail "the node-load command did not end"
cp "$work/now.png" "$artifacts/main_road_outside_built.png"

# ---- a force combination: 1.2 times load case 1 ----
step "combination"
menu alt+d $(printf 'Down %.0s' $(seq 8)) Right Return   # 参数 > 荷载组合 > 内力组合
# Without "Force.lib" beside the program a message says so first.
list=""
for _ in $(seq 1 3000); do
  list=$(xdotool search --onlyvisible --name "^内力荷载组合数据维护对话框$" 2>/dev/null | head -1)
  [ -n "$list" ] && break
  box=$(xdotool search --onlyvisible --name "^Vek$" 2>/dev/null | head -1)
  if [ -n "$box" ]; then
    xdotool key Return
    gone "^Vek$" || fail "the message stayed"
  fi
  sleep 0.1
done
[ -n "$list" ] || fail "no combination list"
settled || fail "the screen never settled"
xdotool key alt+i                                   # 添加(&I)
one=$(window "^综合组合系数和分项系数的荷载种类系数输入对话框$") || fail "no combination dialog"
settled || fail "the screen never settled"
# The grid's first row: the load case, then its factor.
xdotool type --delay 80 "1"
xdotool key Tab
xdotool type --delay 80 "1.2"
xdotool key Tab
settled || fail "the screen never settled"
click_unit "$one" 360 210 266 195                   # 确定
gone "^综合组合系数和分项系数的荷载种类系数输入对话框$" || fail "the combination dialog stayed"
settled || fail "the screen never settled"
cp "$work/now.png" "$artifacts/main_road_outside_combination.png"
click_unit "$list" 372 238 317 201                  # 确定
gone "^内力荷载组合数据维护对话框$" || fail "the combination list stayed"

# ---- an axis grid: x lines at 0 and 4, y lines at 0 and 3 ----
step "axis grid"
settled || fail "the screen never settled"
[ "$(grid_pixels "$work/now.png")" = 0 ] || fail "grid lines before there is a grid"
menu alt+g Up Up Up Up Return                       # 几何 > 添加、删除和编辑轴网
grids=$(window "^轴网编辑对话框$") || fail "no axis-grid dialog"
settled || fail "the screen never settled"
xdotool key Tab space                               # 增加轴网
window "^输入轴网名对话框$" >/dev/null || fail "no grid name question"
xdotool type --delay 80 "A"
xdotool key Return
gone "^输入轴网名对话框$" || fail "the grid name question stayed"
settled || fail "the screen never settled"
# Each table's first cell clicked, then line number and spacing row by row.
for table in "58 1 0 2 4" "238 1 0 2 3"; do
  set -- $table
  click_unit "$grids" 372 262 "$1" 132
  shift
  for value in "$@"; do
    xdotool type --delay 80 "$value"
    xdotool key Tab
  done
  settled || fail "the screen never settled"
done
cp "$work/now.png" "$artifacts/main_road_outside_grid.png"
click_unit "$grids" 372 262 278 247                 # 确定
gone "^轴网编辑对话框$" || fail "the axis-grid dialog stayed"

# ---- saved through the Save As dialog, then the program quit ----
step "save"
focus_main
menu alt+f Down Down Down Return                    # 文件 > 另存为
save=$(window "^另存为$") || fail "no Save As dialog"
settled || fail "the screen never settled"
xdotool type --delay 60 "$(winepath -w "$work" 2>/dev/null)\\portal.prj"
xdotool key Return
win=$(window "^portal.PRJ - Vek$") || fail "the project was not saved under its name"
[ -f "$work/portal.PRJ" ] || fail "no project file"
settled || fail "the screen never settled"
menu alt+f Up Return                                # 文件 > 退出
for _ in $(seq 1 1200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not quit"
wait "$pid"
pid=""

# ---- started again on the saved project: the data file tells what came back ----
step "reopen"
start_vek "$(winepath -w "$work/portal.PRJ" 2>/dev/null)"
win=$(window "^portal.PRJ - Vek$") || fail "the saved project did not open"
xdotool search --onlyvisible --name "$ask" >/dev/null 2>&1 && fail "a project on the command line asked what to build"
settled || fail "the screen never settled"
cp "$work/now.png" "$artifacts/main_road_outside_reopened.png"
# The grid's lines and bubbles are drawn again.
[ "$(grid_pixels "$work/now.png")" -gt 200 ] || fail "the axis grid did not come back"
focus_main
settled || fail "the screen never settled"
menu alt+f Down Down Down Down Down Down Down Right Return   # 文件 > 导出 > *KORVA数据和库文件
for _ in $(seq 1 1200); do [ -s "$work/portal" ] && break; sleep 0.1; done
[ -s "$work/portal" ] || fail "no data file written"
settled || fail "the screen never settled"
tr -d '\r' < "$work/portal" > "$work/data.txt"
cat "$work/data.txt"

# The lines of a section of the data file (from its keyword to the next empty line).
section() { awk -v k="$1" '$0 == k { on = 1; next } on && $0 == "" { exit } on' "$work/data.txt"; }
expect() {  # <section> <line>
  section "$1" | grep -qxF -- "$2" || fail "$1 lacks \"$2\""
}
expect JOINT "1 C=0 0 0 "
expect JOINT "2 C=0 3 0 "
expect JOINT "3 C=4 3 0 "
expect JOINT "4 C=4 0 0 "
expect RESTRAINT "1 R=1 1 1 1 1 1 "
expect RESTRAINT "4 R=1 1 1 1 1 1 "
[ "$(section RESTRAINT | grep -c 'R=')" = 2 ] || fail "restraints on other nodes"
expect LOADS "3 L=1 F=10 0 0 0 0 0 "
section FORCE | grep -q "^1 C=1.2 " || fail "the force combination did not come back"
section FRAME | grep -q "^1 N=1 B=0.5 0.3 U=30 E=3E7 " || fail "the columns' section or material did not come back"
section FRAME | grep -q "^2 N=1 B=0.6 0.3 U=30 E=3E7 " || fail "the beam's section or material did not come back"
for line in "1 1 2 M=1" "2 2 3 M=2" "3 4 3 M=1"; do
  section FRAME | grep -q "^$line " || fail "no beam \"$line\""
done
echo "passed"
