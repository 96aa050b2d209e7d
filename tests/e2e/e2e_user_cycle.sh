#!/usr/bin/env bash
# Drives the built editor in a private X server with real key presses and mouse clicks, and judges
# it only by what a user can see and by the bytes of the image files afterwards.
# Usage: e2e_user_cycle.sh <editor binary> <folder for the screenshots>
set -Eeuo pipefail

(($# == 2)) || { echo "usage: $0 <editor binary> <output folder>" >&2; exit 2; }
app=$1 out_dir=$2/screenshots
step="checking the prerequisites"
tmp="" xvfb_pid="" app_pid=""

fail() {
    trap - ERR
    echo "FAIL while $step: $*" >&2
    [[ -n $app_pid ]] && ! app_running && echo "      (the editor is no longer running)" >&2
    [[ -n $xvfb_pid && -n ${DISPLAY:-} ]] && import -window root "$out_dir/failure.png" 2>/dev/null &&
        echo "      screen at the failure: $out_dir/failure.png" >&2
    [[ -n $tmp && -s $tmp/app.log ]] && echo "      editor output:" >&2 &&
        tail -n 20 "$tmp/app.log" | sed 's/^/        /' >&2
    exit 1
}
trap 'fail "unexpected error at line $LINENO"' ERR

# A child that has ended stays a zombie until it is waited for, and kill -0 still finds it.
process_alive() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }
app_running() { process_alive "$app_pid"; }

# stop_process <pid> [group]: TERM, then KILL if it is still there after 3 s.
stop_process() {
    local target=$1
    [[ ${2:-} == group ]] && target=-$1
    kill -- "$target" 2>/dev/null || return 0
    poll 3 eval "! process_alive $1" || true
    kill -KILL -- "$target" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

cleanup() {
    local rc=$?
    trap - ERR
    [[ -n $app_pid ]] && stop_process "$app_pid" group
    [[ -n $xvfb_pid ]] && stop_process "$xvfb_pid"
    [[ -n $tmp ]] && rm -rf "$tmp"
    exit "$rc"
}
trap cleanup EXIT

# poll <seconds> <command...>: runs the command until it succeeds or the time is up.
poll() {
    local deadline=$(($(date +%s%3N) + $1 * 1000))
    shift
    until "$@"; do (($(date +%s%3N) < deadline)) || return 1; sleep 0.1; done
}

# wait_until <seconds> <what did not happen> <command...>
wait_until() { local limit=$1 what=$2; shift 2; poll "$limit" "$@" || fail "$what within $limit s"; }

for tool in Xvfb xdotool xdpyinfo import cmp dd truncate ps; do
    command -v "$tool" >/dev/null || fail "the tool '$tool' is not installed"
done
[[ -x $app ]] || fail "the editor binary '$app' does not exist"
app=$(cd "$(dirname "$app")" && pwd)/$(basename "$app")
out_dir=$(mkdir -p "$out_dir" && cd "$out_dir" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/e2e_user_cycle.XXXXXXXX")

step="building the test images"
table=$((0x28D7440)) record_size=44
R() { echo $((table + record_size * ($1 - 1))); }

# put <file> <offset> <hex bytes...>
# shellcheck disable=SC2059
put() { printf "$(printf '\\x%s' "${@:3}")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

good=$tmp/good.nds expected=$tmp/good.expected bad=$tmp/bad.nds bad_ref=$tmp/bad.ref
truncate -s $((table + record_size * 493 + 4096)) "$good"
put "$good" 12 59 52 57 45 # "YRWE"
# Non-zero filler from the 44 bytes before the table through species 5, so a stray write shows.
head -c $((record_size * 6)) /dev/zero | tr '\0' '\245' |
    dd of="$good" bs=1 seek=$(($(R 1) - record_size)) conv=notrunc status=none
# Every record the keyboard passes over holds values its lists can show, so no message box interrupts.
put "$good" "$(R 1)" 01 A5 0A 00 07 00
put "$good" "$(R 2)" 04 A5 24 00 03 00
put "$good" "$(R 3)" 02 A5 11 00 09 00
put "$good" "$(R 4)" 05 A5 00 00 01 00
cp --sparse=always "$good" "$bad"
put "$bad" 15 65 # "e": the wrong region
cp --sparse=always "$good" "$expected"
cp --sparse=always "$bad" "$bad_ref"

# expect_file <file> <reference> <what went wrong>: identical, byte for byte.
expect_file() {
    cmp -s "$1" "$2" && return 0
    echo "      species 2 record now:    $(od -A d -t x1 -j "$(R 2)" -N 6 "$1" | head -n 1)" >&2
    echo "      species 2 record wanted: $(od -A d -t x1 -j "$(R 2)" -N 6 "$2" | head -n 1)" >&2
    cmp -l "$1" "$2" 2>/dev/null | head -n 5 | sed 's/^/      differs at (offset, now, wanted, octal): /' >&2 || true
    fail "$3"
}

step="starting the X server"
unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
# Qt's runtime, config and cache folders stay inside the temporary folder.
export XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache XDG_DATA_HOME=$tmp/data
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() {
    [[ $(cat "$tmp/display" 2>/dev/null) =~ ^[0-9]+$ ]] && xdpyinfo -display ":${BASH_REMATCH[0]}" &>/dev/null
}
wait_until 15 "the X server did not start" display_ready
DISPLAY=":$(<"$tmp/display")" && export DISPLAY

step="starting the editor"
# As scripts/run.sh does: the binary itself, no arguments. A session of its own, so that anything
# the editor might start goes with it at the end.
(cd "$tmp" && exec setsid "$app") >"$tmp/app.log" 2>&1 &
app_pid=$!

# find_window <exact title>: sets FOUND to a visible window with exactly that title.
find_window() {
    local id
    FOUND=""
    for id in $(xdotool search --onlyvisible --name "Thornmere|Open" 2>/dev/null || true); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]] && FOUND=$id && return 0
    done
    return 1
}
window_gone() { ! find_window "$1"; }

wait_until 20 "the main window \"Quorvel Thornmere (U)\" did not appear" find_window "Quorvel Thornmere (U)"
main=$FOUND
# Exit is judged by this process ending, so it must be the one that owns the window.
[[ $(xdotool getwindowpid "$main" 2>/dev/null) == "$app_pid" ]] ||
    fail "the main window does not belong to the started editor process $app_pid"

# The menu bar is light and the background picture below it dark; the first dark row is the client area.
measure_menu_bar() {
    menu_bar=$(import -window "$main" -crop 1x80+2+0 -colorspace gray -depth 8 txt:- 2>/dev/null |
        awk -F '[,:() ]+' 'NR == 2 && $3 < 180 { exit } NR > 2 && $3 < 128 { print $2; exit }')
    [[ $menu_bar =~ ^[0-9]+$ ]] && ((menu_bar >= 10 && menu_bar <= 60))
}
wait_until 10 "the main window was not drawn (no menu bar above a dark client area)" measure_menu_bar

# Positions inside the window: the client area lies below the menu bar, laid out as in the form.
menu_y=$((menu_bar / 2)) file_menu_x=20 about_menu_x=62
list_x=750 list_probe_x=850 list_row0_y=$((menu_bar + 4 + 12))
save_x=$((735 + 89 / 2)) save_y=$((menu_bar + 540 + 80 / 2))
neutral_x=500 neutral_y=$((menu_bar + 450))

focus_is() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
# focus <window> <name>: without a window manager, nothing hands the focus back after a dialog closes.
focus() {
    timeout 5 xdotool windowfocus --sync "$1" || true
    wait_until 5 "$2 did not get the keyboard focus" focus_is "$1"
}
click() { focus "$main" "the main window"; xdotool mousemove --sync --window "$main" "$1" "$2" click 1; }
shot() { import -window "$main" "$out_dir/$1" || fail "the screenshot $out_dir/$1 could not be taken"; }
# pixel <x> <y>: the colour in the main window as the server holds it, e.g. "65535,65535,65535".
pixel() { import -window "$main" -crop "1x1+$1+$2" txt:- 2>/dev/null | sed -n '2s/^[^(]*(\([^)]*\)).*/\1/p'; }
# The method box as drawn now, to see when a load has filled it.
method_box() { import -window "$main" -crop "150x17+157+$((menu_bar + 13))" -depth 8 rgb:- 2>/dev/null | md5sum; }
method_box_changed_from() { [[ $(method_box) != "$1" ]]; }
list_looks() { [[ $(pixel "$list_probe_x" "$list_row0_y") == "$1" ]]; }
list_looks_other_than() { local now; now=$(pixel "$list_probe_x" "$list_row0_y"); [[ -n $now && $now != "$1" ]]; }

shot after-start.png
disabled_look=$(pixel "$list_probe_x" "$list_row0_y")
[[ -n $disabled_look ]] || fail "the species list could not be sampled on screen"
echo "PASS: the editor started and shows its window"

# open_image <path>: Ctrl+O, the path typed into the file name field, Return.
open_image() {
    local title="Open Quorvel NDS ROM..."
    click "$neutral_x" "$neutral_y"
    xdotool key ctrl+o
    wait_until 10 "the open dialog \"$title\" did not appear after Ctrl+O" find_window "$title"
    focus "$FOUND" "the open dialog"
    xdotool type --delay 15 -- "$1"
    xdotool key Return
    wait_until 10 "the open dialog did not close after typing the path of $(basename "$1") and Return" \
        window_gone "$title"
}

# select_species_2: a click on the placeholder row 0 (which has no record), then Down twice.
select_species_2() {
    click "$list_x" "$list_row0_y"
    xdotool key Down Down
}

# save_and_expect <what is wrong otherwise>: Save, then the accepted image must be the expected one.
save_and_expect() {
    click "$save_x" "$save_y"
    poll 10 cmp -s "$good" "$expected" || true
    expect_file "$good" "$expected" "$1"
}

step="opening the accepted image"
open_image "$good"
wait_until 5 "the species list did not become enabled" list_looks_other_than "$disabled_look"
echo "PASS: the accepted image opened and the species list became enabled"

step="editing species 2 without a parameter list"
# Loaded: method 4 (level list shown, level 36), target 3. The level goes to 37, then the method
# to 5, which shows no parameter list, so the changed level must not reach the file.
empty_method_box=$(method_box)
select_species_2
wait_until 5 "the method of species 2 did not show after selecting it" method_box_changed_from "$empty_method_box"
shot after-load.png
xdotool key Tab Tab Down shift+Tab Down Tab Down Down
put "$expected" "$(R 2)" 05 A5 24 00 05 00
save_and_expect "after Save the image does not hold exactly method 5, target 5 and the old parameter for species 2"
echo "PASS: Save wrote the method and the target, and left the parameter as it was"

step="editing species 2 with the item list"
# Loaded again from the file: method 5, item list at 36. Method 6 shows the item list; 36 becomes 37.
select_species_2
xdotool key Tab Down Tab Down
put "$expected" "$(R 2)" 06 A5 25 00 05 00
save_and_expect "after Save the image does not hold exactly method 6, item 37 and target 5 for species 2"
echo "PASS: Save wrote the method, the parameter of the shown list and the target"

step="opening the image with the wrong region byte"
open_image "$bad"
wait_until 5 "the species list did not become disabled" list_looks "$disabled_look"
select_species_2
click "$save_x" "$save_y"
echo "PASS: the image with the wrong region byte left the species list disabled"

step="showing the About box"
about_title="quorvel Thornmere (U) "
click "$about_menu_x" "$menu_y"
wait_until 10 "the About box titled \"$about_title\" did not appear after clicking About" find_window "$about_title"
# The About box is modal, so once it shows, the Save click before it has been handled.
expect_file "$bad" "$bad_ref" "Save wrote into the image with the wrong region byte"
expect_file "$good" "$expected" "the accepted image changed after opening another image"
echo "PASS: Save wrote nothing into the image with the wrong region byte"
focus "$FOUND" "the About box"
xdotool key Return
wait_until 10 "the About box did not close after Enter" window_gone "$about_title"
app_running || fail "the editor ended when the About box closed"
echo "PASS: the About box appeared with its title and closed with Enter"

step="choosing File, Exit"
click "$file_menu_x" "$menu_y"
find_menu_popup() {
    local id
    for id in $(xdotool search --onlyvisible --class quorvel 2>/dev/null || true); do
        [[ $id != "$main" ]] && { FOUND=$id; return 0; }
    done
    return 1
}
wait_until 10 "the File menu did not open after clicking File" find_menu_popup
eval "$(xdotool getwindowgeometry --shell "$FOUND")"
# Two items, Open above Exit: three quarters down the menu is inside Exit.
xdotool mousemove --sync $((X + 30)) $((Y + HEIGHT * 3 / 4)) click 1
wait_until 10 "the editor did not end after File, Exit" eval '! app_running'
wait "$app_pid" || fail "the editor ended with status $? after File, Exit"
app_pid=""
expect_file "$good" "$expected" "the accepted image changed after its last Save"
expect_file "$bad" "$bad_ref" "the image with the wrong region byte changed"
echo "PASS: File, Exit ended the editor and left both images as they were"
