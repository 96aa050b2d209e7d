#!/usr/bin/env bash
# Drives the built editor in a private X server with real key presses and mouse clicks, and judges
# it only by what a user can see and by the bytes of the image files afterwards.
#
# Usage: e2e_user_cycle.sh <editor binary> <folder for the screenshots>
set -Eeuo pipefail

if (($# != 2)); then
    echo "usage: $0 <editor binary> <output folder>" >&2
    exit 2
fi
app=$1
out_dir=$2/screenshots

step="checking the prerequisites"
tmp=""
xvfb_pid=""
app_pid=""

fail() {
    trap - ERR
    echo "FAIL: $*" >&2
    if [[ -n $app_pid ]] && ! app_running; then
        echo "      (the editor is no longer running)" >&2
    fi
    if [[ -n ${DISPLAY:-} && -n $xvfb_pid ]]; then
        mkdir -p "$out_dir"
        if import -window root "$out_dir/failure.png" 2>/dev/null; then
            echo "      screen at the failure: $out_dir/failure.png" >&2
        fi
    fi
    if [[ -n $tmp && -s $tmp/app.log ]]; then
        echo "      editor output:" >&2
        sed 's/^/        /' "$tmp/app.log" | tail -n 20 >&2
    fi
    exit 1
}
trap 'fail "unexpected error at line $LINENO while $step"' ERR

# stop_process <pid> [group]: TERM, then KILL if it is still there after 3 s.
stop_process() {
    local pid=$1 target=$1 state
    [[ ${2:-} == group ]] && target=-$1
    kill -- "$target" 2>/dev/null || return 0
    for _ in $(seq 30); do
        state=$(process_state "$pid")
        [[ $state == gone || $state == Z ]] && break
        sleep 0.1
    done
    kill -KILL -- "$target" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
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

# A child that has ended stays a zombie until it is waited for, and kill -0 still finds it.
process_state() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo gone; return 0; }
    stat=${stat##*) }
    echo "${stat%% *}"
}

app_running() {
    local state
    state=$(process_state "$app_pid")
    [[ $state != gone && $state != Z ]]
}

now_ms() { date +%s%3N; }

# poll <seconds> <command...>: runs the command until it succeeds or the time is up.
poll() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    until "$@"; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.1
    done
}

# wait_until <seconds> <what did not happen> <command...>
wait_until() {
    local limit=$1 what=$2
    shift 2
    poll "$limit" "$@" || fail "$what within $limit s"
}

for tool in Xvfb xdotool xdpyinfo import cmp dd truncate; do
    command -v "$tool" >/dev/null || fail "the tool '$tool' is not installed"
done
[[ -x $app ]] || fail "the editor binary '$app' does not exist"
app=$(cd "$(dirname "$app")" && pwd)/$(basename "$app")
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/e2e_user_cycle.XXXXXXXX")

# ---------------------------------------------------------------- images
step="building the test images"
table=$((0x28D7440))
record_size=44
image_size=$((table + record_size * 493 + 4096))
R() { echo $((table + record_size * ($1 - 1))); }

# put <file> <offset> <hex bytes...>
put() {
    local file=$1 offset=$2 escaped="" byte
    shift 2
    for byte in "$@"; do escaped+="\\x$byte"; done
    # shellcheck disable=SC2059
    printf "$escaped" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

good=$tmp/good.nds
bad=$tmp/bad.nds
truncate -s "$image_size" "$good"
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
expected=$tmp/good.expected
cp --sparse=always "$good" "$expected"
bad_ref=$tmp/bad.ref
cp --sparse=always "$bad" "$bad_ref"

record_bytes() { od -A d -t x1 -j "$(R "$2")" -N 6 "$1" | head -n 1; }

# file_is <file> <reference>: identical, byte for byte.
file_is() { cmp -s "$1" "$2"; }

expect_file() {
    local file=$1 ref=$2 what=$3
    if ! cmp -s "$file" "$ref"; then
        echo "      species 2 record now:   $(record_bytes "$file" 2)" >&2
        echo "      species 2 record wanted: $(record_bytes "$ref" 2)" >&2
        echo "      first differing bytes (offset, now, wanted, octal):" >&2
        cmp -l "$file" "$ref" 2>/dev/null | head -n 5 | sed 's/^/        /' >&2 || true
        fail "$what"
    fi
}

# ---------------------------------------------------------------- X server and editor
step="starting the X server"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
export XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache XDG_DATA_HOME=$tmp/data
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [[ $(cat "$tmp/display" 2>/dev/null) =~ ^[0-9]+$ ]] && DISPLAY=":$(cat "$tmp/display")" xdpyinfo >/dev/null 2>&1; }
wait_until 15 "the X server did not start" display_ready
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY

step="starting the editor"
# A session of its own, so that anything the editor might start goes with it at the end.
(cd "$tmp" && exec setsid "$app") >"$tmp/app.log" 2>&1 &
app_pid=$!

# find_window <exact title>: sets FOUND to a visible window with exactly that title.
FOUND=""
find_window() {
    local id
    FOUND=""
    for id in $(xdotool search --onlyvisible --name "Thornmere|Open" 2>/dev/null || true); do
        if [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]]; then
            FOUND=$id
            return 0
        fi
    done
    return 1
}
window_gone() { ! find_window "$1"; }

wait_until 20 "the main window \"Quorvel Thornmere (U)\" did not appear" find_window "Quorvel Thornmere (U)"
main=$FOUND
# Exit is judged by this process ending, so it must be the one that owns the window.
[[ $(xdotool getwindowpid "$main" 2>/dev/null) == "$app_pid" ]] ||
    fail "the main window does not belong to the started editor process $app_pid"

# pixel <window> <x> <y>: the colour as the server holds it, e.g. "65535,65535,65535".
pixel() { import -window "$1" -crop "1x1+$2+$3" txt:- 2>/dev/null | sed -n '2s/^[^(]*(\([^)]*\)).*/\1/p'; }

# The menu bar is light and the background picture below it dark; the first dark row is the client area.
menu_bar=""
measure_menu_bar() {
    menu_bar=$(import -window "$main" -crop 1x80+2+0 txt:- 2>/dev/null | awk '
        NR == 1 { n = split($0, h, ","); max = h[3]; next }
        {
            split($1, p, ","); y = p[2] + 0
            match($0, /\(([0-9.]+)/); r = substr($0, RSTART + 1, RLENGTH - 1) + 0
            if (y == 0 && r > 0.7 * max) light = 1
            if (light && r < 0.5 * max) { print y; exit }
        }')
    [[ $menu_bar =~ ^[0-9]+$ ]] && ((menu_bar >= 10 && menu_bar <= 60))
}
wait_until 10 "the main window was not drawn (no menu bar above a dark client area)" measure_menu_bar

read -r win_x win_y < <(xdotool getwindowgeometry --shell "$main" | awk -F= '$1=="X"{x=$2} $1=="Y"{y=$2} END{print x, y}')
echo "main window $main at $win_x,$win_y, menu bar $menu_bar px high"

# Positions inside the window: the client area lies below the menu bar, laid out as in the form.
menu_y=$((menu_bar / 2))
file_menu_x=20
about_menu_x=62
list_x=750
list_row0_y=$((menu_bar + 4 + 12))
list_probe_x=850
save_x=$((735 + 89 / 2))
save_y=$((menu_bar + 540 + 80 / 2))
neutral_x=500
neutral_y=$((menu_bar + 450))

click() { xdotool mousemove --sync --window "$main" "$1" "$2" click 1; }

focus_main() {
    timeout 5 xdotool windowfocus --sync "$main" ||
        fail "the main window could not be given the keyboard focus"
}

focus_is() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

shot() {
    import -window "$main" "$out_dir/$1" || fail "the screenshot $out_dir/$1 could not be taken"
    echo "screenshot: $out_dir/$1"
}

shot after-start.png
disabled_look=$(pixel "$main" "$list_probe_x" "$list_row0_y")
[[ -n $disabled_look ]] || fail "the species list could not be sampled on screen"
echo "PASS: the editor started and shows its window"

# open_image <path>: Ctrl+O, the path typed into the file name field, Return.
open_image() {
    focus_main
    click "$neutral_x" "$neutral_y"
    xdotool key ctrl+o
    wait_until 10 "the open dialog \"Open Quorvel NDS ROM...\" did not appear after Ctrl+O" \
        find_window "Open Quorvel NDS ROM..."
    local dialog=$FOUND
    timeout 5 xdotool windowfocus --sync "$dialog" || true
    wait_until 5 "the open dialog did not get the keyboard focus" focus_is "$dialog"
    xdotool type --delay 15 -- "$1"
    xdotool key Return
    wait_until 10 "the open dialog did not close after typing the path of $(basename "$1") and Return" \
        window_gone "Open Quorvel NDS ROM..."
}

list_looks() { [[ $(pixel "$main" "$list_probe_x" "$list_row0_y") == "$1" ]]; }
list_looks_other_than() { local now; now=$(pixel "$main" "$list_probe_x" "$list_row0_y"); [[ -n $now && $now != "$1" ]]; }

# select_species_2: a click on the placeholder row 0 (which has no record), then Down twice.
select_species_2() {
    focus_main
    click "$list_x" "$list_row0_y"
    xdotool key Down Down
}

# ---------------------------------------------------------------- accepted image
step="opening the accepted image"
open_image "$good"
wait_until 5 "the species list did not become enabled after opening the accepted image" \
    list_looks_other_than "$disabled_look"
shot after-load.png
echo "PASS: the accepted image opened and the species list became enabled"

step="editing species 2 without a parameter list"
# Loaded: method 4 (level list shown, level 36), target 3. The level goes to 37, then the method
# to 5, which shows no parameter list, so the changed level must not reach the file.
select_species_2
xdotool key Tab Tab Down shift+Tab Down Tab Down Down
click "$save_x" "$save_y"
put "$expected" "$(R 2)" 05
put "$expected" $(($(R 2) + 4)) 05 00
poll 10 file_is "$good" "$expected" || true
expect_file "$good" "$expected" \
    "after Save the image does not hold exactly method 5, target 5 and the old parameter for species 2"
echo "PASS: Save wrote the method and the target, and left the parameter as it was"

step="editing species 2 with the item list"
# Loaded again from the file: method 5, item list at 36. Method 6 shows the item list; 36 becomes 37.
select_species_2
xdotool key Tab Down Tab Down
click "$save_x" "$save_y"
put "$expected" "$(R 2)" 06
put "$expected" $(($(R 2) + 2)) 25 00
poll 10 file_is "$good" "$expected" || true
expect_file "$good" "$expected" \
    "after Save the image does not hold exactly method 6, item 37 and target 5 for species 2"
shot after-save.png
echo "PASS: Save wrote the method, the parameter of the shown list and the target"

# ---------------------------------------------------------------- rejected image
step="opening the image with the wrong region byte"
open_image "$bad"
wait_until 5 "the species list did not become disabled after opening the image with the wrong region byte" \
    list_looks "$disabled_look"
select_species_2
click "$save_x" "$save_y"
echo "PASS: the image with the wrong region byte left the species list disabled"

# ---------------------------------------------------------------- About
step="showing the About box"
# The About box is modal, so once it shows, the clicks before it have been handled.
focus_main
click "$about_menu_x" "$menu_y"
about_title="quorvel Thornmere (U) "
wait_until 10 "the About box titled \"$about_title\" did not appear after clicking About" \
    find_window "$about_title"
about=$FOUND
[[ $about != "$main" ]] || fail "the About box is not a window of its own"
import -window "$about" "$out_dir/about.png" && echo "screenshot: $out_dir/about.png"
expect_file "$bad" "$bad_ref" "Save wrote into the image with the wrong region byte"
expect_file "$good" "$expected" "the accepted image changed after opening another image"
echo "PASS: Save wrote nothing into the image with the wrong region byte"
timeout 5 xdotool windowfocus --sync "$about" || true
wait_until 5 "the About box did not get the keyboard focus" focus_is "$about"
xdotool key Return
wait_until 10 "the About box did not close after Enter" window_gone "$about_title"
app_running || fail "the editor ended when the About box closed"
echo "PASS: the About box appeared with its title and closed with Enter"

# ---------------------------------------------------------------- Exit
step="choosing File, Exit"
focus_main
click "$file_menu_x" "$menu_y"
menu_popup=""
find_menu_popup() {
    local id
    menu_popup=""
    for id in $(xdotool search --onlyvisible --class quorvel 2>/dev/null || true); do
        [[ $id == "$main" ]] && continue
        menu_popup=$id
        return 0
    done
    return 1
}
wait_until 10 "the File menu did not open after clicking File" find_menu_popup
eval "$(xdotool getwindowgeometry --shell "$menu_popup")"
# Two items, Open above Exit: three quarters down the menu is inside Exit.
xdotool mousemove --sync $((X + 30)) $((Y + HEIGHT * 3 / 4)) click 1
app_ended() { ! app_running; }
wait_until 10 "the editor did not end after File, Exit" app_ended
status=0
wait "$app_pid" || status=$?
app_pid=""
((status == 0)) || fail "the editor ended with status $status after File, Exit"
expect_file "$good" "$expected" "the accepted image changed after its last Save"
expect_file "$bad" "$bad_ref" "the image with the wrong region byte changed"
echo "PASS: File, Exit ended the editor and left both images as they were"
