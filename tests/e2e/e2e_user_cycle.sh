#!/usr/bin/env bash
# Drives the built editor in an X server of its own with real keys and clicks, and judges it only by
# what shows on screen and by the bytes of the image files. Usage: e2e_user_cycle.sh <editor> <output folder>
set -Eeuo pipefail
app=$(realpath "$1") out=$(mkdir -p "$2/screenshots" && realpath "$2/screenshots")
tmp=$(mktemp -d) step="starting" xvfb="" pid=""
fail() {
    trap - ERR && echo "FAIL while $step: $*" >&2
    [[ -n ${DISPLAY:-} ]] && import -window root "$out/failure.png" 2>/dev/null && echo "  screen: $out/failure.png" >&2
    tail -n 20 "$tmp/app.log" >&2 2>/dev/null; exit 1
}
trap 'fail "unexpected error at line $LINENO"' ERR
cleanup() {
    local rc=$? && set +e && trap - ERR
    [[ -n $pid ]] && kill -KILL -- "-$pid" && wait "$pid"
    [[ -n $xvfb ]] && kill "$xvfb" && wait "$xvfb"
    rm -rf "$tmp"; exit "$rc"
} 2>/dev/null
trap cleanup EXIT
# poll <seconds> <command...>: runs the command until it succeeds or the time is up.
poll() { local end=$((SECONDS + $1)); shift; until "$@"; do ((SECONDS < end)) || return 1; sleep 0.1; done; }
wait_until() { local s=$1 what=$2; shift 2; poll "$s" "$@" || fail "$what within $s s"; }
same() { cmp "$1" "$2" >&2 || fail "$3"; }
for tool in Xvfb xdotool import cmp; do command -v $tool >/dev/null || fail "'$tool' is not installed"; done
step="building the test images"
R() { echo $((0x28D7440 + 44 * ($1 - 1))); }
# put <file> <offset> <hex bytes...>
put() { printf %b "$(printf '\\x%s' "${@:3}")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
good=$tmp/good.nds expected=$tmp/expected.nds
truncate -s $(($(R 494) + 4096)) "$good"
put "$good" 12 59 52 57 45 # game code "YRWE"; its last byte is the region
# Non-zero filler around the records in use, so that a stray write shows.
head -c $((44 * 5)) /dev/zero | tr '\0' '\245' | dd of="$good" bs=1 seek="$(R 0)" conv=notrunc status=none
put "$good" "$(R 1)" 01 A5 0A 00 07 00
put "$good" "$(R 2)" 04 A5 24 00 03 00
put "$good" "$(R 3)" 02 A5 11 00 58 02 # target 600: the target list ends at 493
cp "$good" "$expected"
step="starting the X server"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_SESSION_TYPE=x11 XDG_RUNTIME_DIR=$tmp/run XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 & xvfb=$!
wait_until 15 "the X server did not start" test -s "$tmp/display"
DISPLAY=":$(<"$tmp/display")" && export DISPLAY
step="starting the editor"
# A session of its own, so that anything the editor starts goes with it at the end.
(cd "$tmp" && exec setsid "$app") >"$tmp/app.log" 2>&1 & pid=$!
title="Quorvel Thornmere (U)" box="quorvel Thornmere (U) " dialog="Open Quorvel NDS ROM..."
# windows <exact title>: the visible windows with exactly that title.
windows() {
    for w in $(xdotool search --onlyvisible --name uorvel); do [[ $(xdotool getwindowname "$w") != "$1" ]] || echo "$w"; done 2>/dev/null
}
shown() { [[ -n $(windows "$1") ]]; }
gone() { ! shown "$1"; }
wait_until 20 "the main window did not appear" shown "$title"
main=$(windows "$title")
# The menu bar is light and the picture below it dark: the first dark row starts the client area.
measure() { top=$(import -window "$main" -crop 1x80+2+0 -colorspace gray -depth 8 txt:- |
    awk -F '[,:() ]+' 'NR == 2 && $3 < 180 { exit } NR > 2 && $3 < 128 { print $2; exit }') && ((top >= 10 && top <= 60)); }
wait_until 10 "the main window was not drawn" measure
list="1x1+850+$((top + 16))" level="150x17+158+$((top + 67))" target="150x17+157+$((top + 278))"
look() { import -window "$main" -crop "$1" -depth 8 rgb:- | md5sum; }
changed() { [[ $(look "$1") != "$2" ]]; }
unchanged() { ! changed "$@"; }
focused() { [[ $(xdotool getwindowfocus) == "$1" ]]; }
# Without a window manager nothing hands the focus back when a dialog closes.
focus() { timeout 5 xdotool windowfocus --sync "$1" || true; wait_until 5 "a window did not get the focus" focused "$1"; }
click() { focus "$main"; xdotool mousemove --sync --window "$main" "$1" "$2" click 1; }
save() { click 779 $((top + 580)); }
# species <n>: a click on row 0, which has no record, then Down n times.
species() { click 750 $((top + 16)); for _ in $(seq "$1"); do xdotool key Down; done; }
# enter <title> [text]: the text typed, if any, and Enter into the window with that title, which must then go.
enter() {
    focus "$(windows "$1")"; [[ -z ${2:-} ]] || xdotool type --delay 15 -- "$2"
    xdotool key Return; wait_until 10 "\"$1\" did not close after Enter" gone "$1"
}
open_image() {
    click 500 $((top + 450)); xdotool key ctrl+o
    wait_until 10 "the open dialog did not appear after Ctrl+O" shown "$dialog"; enter "$dialog" "$1"
}
import -window "$main" "$out/after-start.png"
disabled=$(look "$list")
step="opening the accepted image"
open_image "$good"
wait_until 5 "the species list did not become enabled" changed "$list" "$disabled"
echo "PASS: the editor started, opened the image and enabled the species list"
step="loading species 3, whose target 600 has no entry"
hidden_level=$(look "$level") no_target=$(look "$target")
species 3
wait_until 10 "no message box titled \"$box\" appeared" shown "$box"
enter "$box"
wait_until 5 "the target list did not show nothing selected" unchanged "$target" "$no_target"
save
# Species 2 shows the level list; once it does, the Save click before has been handled.
species 2
wait_until 10 "species 2 was not shown after Save (a second message box?)" changed "$level" "$hidden_level"
gone "$box" || fail "a second message box appeared"
same "$good" "$expected" "Save with no edit changed the image; the unshown target 600 must stay"
import -window "$main" "$out/after-load.png"
echo "PASS: one message box, and Save kept the target that has no entry"
step="editing species 2 with the keyboard"
# Method 4 becomes 6, which shows the item list at 36; the item becomes 37 and the target 3 becomes 4.
xdotool key Tab Down Down Tab Down Tab Down
put "$expected" "$(R 2)" 06 A5 25 00 04 00
save
poll 10 cmp -s "$good" "$expected" || same "$good" "$expected" "Save did not write method 6, item 37 and target 4 alone"
echo "PASS: Save wrote the method, the parameter of the shown list and the target"
step="showing the About box"
click 62 $((top / 2))
wait_until 10 "the About box did not appear" shown "$box"
enter "$box"
echo "PASS: About opened and closed with Enter"
step="choosing File, Exit"
click 20 $((top / 2))
menu() { menu=$(xdotool search --onlyvisible --class quorvel | grep -m 1 -vx "$main"); }
wait_until 10 "the File menu did not open" menu
eval "$(xdotool getwindowgeometry --shell "$menu")"
# Open above Exit: three quarters down the menu is inside Exit.
xdotool mousemove --sync $((X + 30)) $((Y + HEIGHT * 3 / 4)) click 1
# An ended child stays a zombie until it is waited for.
wait_until 10 "the editor did not end" eval '[[ $(ps -o stat= -p "$pid") != [^Z]* ]]'
wait "$pid" || fail "the editor ended with status $?"; pid=""
same "$good" "$expected" "the image changed after its last Save"
echo "PASS: File, Exit ended the editor and left the image as it was"
