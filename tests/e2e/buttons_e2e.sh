#!/usr/bin/env bash
# End to end: giving mouse buttons new functions through the function menus,
# the key capture and the macro assignment dialogs, with the mouse and the
# keyboard on a virtual display, then Apply and the button map in the trace.
#   buttons_e2e.sh QV530 QV530CTL OUTDIR
set -euo pipefail
qv530=$1 qv530ctl=$2 out=$3
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
mkdir -p "$HOME"
data=$HOME/.config/QV530-10800rad
passed=0
pass() { echo "ok: $*"; passed=$((passed + 1)); }

# A display of our own and a tray on it.
start_xvfb
start_tray
sleep 1

trace=$work/trace.txt
main=
start_program() { # locale: the data folder is made in its language on first use
    mkdir -p "$data"
    LANG=$1 "$qv530ctl" get button >/dev/null
    cp "$work/record.ini" "$data/record.ini"
    LANG=$1 "$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
    main=$!
    pids+=($main)
    wait_for 20 window_shown || fail "the window did not appear after the splash"
    win=$(visible_window)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    wx=$X wy=$Y
}
stop_program() {
    kill "$main"
    wait "$main" 2>/dev/null || true
}
dialog_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true; }
dialog_open() { [ -n "$(dialog_window "$1")" ]; }
dialog_closed() { [ -z "$(dialog_window "$1")" ]; }
click_at() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }
crop() { # file x y w h (window coordinates)
    import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage "$1"
}
window_of_size() { # the position of a visible window of the program of this width and height
    local w
    for w in $(xdotool search --onlyvisible --class '^qv530$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$HEIGHT" -eq "$2" ] && { [ "$1" = any ] || [ "$WIDTH" -eq "$1" ]; }; then echo "$X $Y"; return; fi
    done
}
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = "0" ]; }

# The function selectors (window coordinates), the menu rows and entries.
selector_x=91 selector_y0=82 selector_w=138 selector_h=18 row=20 frame=3
selector_centre() { echo $((wx + selector_x + selector_w / 2)) $((wy + selector_y0 + $1 * row + selector_h / 2)); }
menu_left() { echo $((wx + selector_x + selector_w + 5)); }
menu_top() { echo $((wy + selector_y0 + $1 * row)); }
# Entry e (0-based) of the menu of button index b.
menu_entry() { echo $(($(menu_left) + 30)) $(($(menu_top "$1") + frame + $2 * row + row / 2)); }
open_menu() { # button index
    local windows
    windows=$(program_windows)
    # shellcheck disable=SC2046
    click_at $(selector_centre "$1")
    wait_for 5 more_windows_than "$windows" || fail "the function menu of button index $1 did not open"
}
# The button map of the last apply: the 64-byte chunk after the button-map command.
button_map() { grep -A2 '^a11d set-feature 00 03 ' "$trace" | grep '^a11d write' | tail -n1 | cut -d' ' -f4-; }
map_entry() { # entry n of the button map as "b0 b1 b2 b3"
    button_map | tr ' ' '\n' | sed -n "$(($1 * 4 + 1)),$(($1 * 4 + 4))p" | tr '\n' ' ' | sed 's/ $//'
}
traced_at_least() { [ "$(grep -c '^a11d ' "$trace")" -ge "$1" ]; }
apply() {
    local before done
    before=$(cat "$trace" 2>/dev/null | grep -c '^a11d ' || true)
    done=$(sequences_done)
    click_at $((wx + 800 + 28)) $((wy + 598 + 15))
    wait_for 30 traced_at_least $((before + 133)) || fail "no full apply in the trace"
    wait_for 30 more_sequences_than "$done" || fail "the apply did not end"
}

# A macro store with three macros.
printf '%s\r\n' "[MacroName]" "MacroCount=3" "0=Fire" "1=Build" "2=Jump" \
    "[Fire]" "DelayTimeSelStatus=0" "MacroLoopTimes=1" "ItemCount=2" "Item0=A   Dn" "Item1=A   Up" \
    "[Build]" "DelayTimeSelStatus=0" "MacroLoopTimes=1" "ItemCount=3" "Item0=B   Dn" "Item1=50 ms" "Item2=B   Up" \
    "[Jump]" "DelayTimeSelStatus=0" "MacroLoopTimes=1" "ItemCount=2" "Item0=Space   Dn" "Item1=Space   Up" \
    >"$work/record.ini"

start_program C.UTF-8
# Open the Button Assignment section.
click_at $((wx + 125)) $((wy + 62))

# 1. Button 3: Multimedia Commands + > Volume Up.
crop "$work/sel3-before.png" $selector_x $((selector_y0 + 2 * row)) $selector_w $selector_h
lines_before=$(wc -l <"$trace" 2>/dev/null || echo 0)
config_before=$(md5sum "$data/config0.bin" | cut -d' ' -f1)
open_menu 2
# shellcheck disable=SC2046
xdotool mousemove --sync $(menu_entry 2 9)
# The submenu opens beside the Multimedia entry: eight entries, the seventh is Volume Up.
submenu_open() { [ -n "$(window_of_size any $((8 * row + 2 * frame)))" ]; }
wait_for 5 submenu_open || true
submenu=$(window_of_size any $((8 * row + 2 * frame)))
[ -n "$submenu" ] || { for w in $(xdotool search --onlyvisible --name qv530); do xdotool getwindowname $w; xdotool getwindowgeometry $w; done; fail "the Multimedia submenu did not open"; }
read -r sx sy <<<"$submenu"
[ "$sx" -gt "$(menu_left)" ] || fail "the submenu is not right of the menu"
import -window root "$out/buttons-menu-en.png"
click_at $((sx + 40)) $((sy + frame + 6 * row + row / 2))
crop "$work/sel3-after.png" $selector_x $((selector_y0 + 2 * row)) $selector_w $selector_h
same_picture "$work/sel3-before.png" "$work/sel3-after.png" && fail "the caption of button 3 did not change"
[ "$(wc -l <"$trace" 2>/dev/null || echo 0)" -eq "$lines_before" ] || fail "something was sent before Apply"
[ "$(md5sum "$data/config0.bin" | cut -d' ' -f1)" = "$config_before" ] || fail "the profile was saved before Apply"
pass "the menu changes the caption at once and sends and saves nothing"
apply
[ "$(map_entry 2)" = "00 e9 00 04" ] || fail "button 3 is sent as '$(map_entry 2)', not Volume Up"
"$qv530ctl" get button | grep -qx 'button 3 media Volume Up' || fail "the saved profile does not hold Volume Up"
grep -q '^Item3=Volume Up' "$data/str0.ini" || fail "the caption Volume Up was not saved"
pass "Apply sends Volume Up for button 3 (00 e9 00 04) and saves its caption"

# 2. Button 4: Assign Keyboard Key, the keypad Enter through the keyboard.
open_menu 3
# shellcheck disable=SC2046
click_at $(menu_entry 3 12)
wait_for 5 dialog_open 'Please assign a key' || fail "the key capture dialog did not open"
dialog=$(dialog_window 'Please assign a key')
eval "$(xdotool getwindowgeometry --shell "$dialog")"
dx=$X dy=$Y
sleep 0.5
# Another program with the focus gets no key while the dialog holds the keyboard.
xev -event keyboard -name xev-probe >"$work/xev.log" 2>&1 &
probe_pid=$!
pids+=($probe_pid)
probe_shown() { [ -n "$(xdotool search --onlyvisible --name '^xev-probe$' 2>/dev/null | head -n1 || true)" ]; }
wait_for 5 probe_shown || fail "the probe window did not appear"
probe=$(xdotool search --onlyvisible --name '^xev-probe$' | head -n1)
xdotool windowfocus "$probe" 2>/dev/null || true
xdotool key b
# The dialog has the key first; X gives a key to one client only, so the
# probe can no longer get it.
wait_for 5 grep -q 'vk code=42,' "$work/qv530.log" || fail "the capture dialog did not receive the key"
grep -q KeyPress "$work/xev.log" && fail "another program received a key while the capture dialog was open"
xdotool key KP_Enter
xdotool key Escape # captured too, and closes nothing
wait_for 5 grep -q 'vk code=1b,' "$work/qv530.log" || fail "the capture dialog did not receive Escape"
[ -n "$(dialog_window 'Please assign a key')" ] || fail "Escape closed the key capture dialog"
xdotool key KP_Enter
wait_for 5 grep -q 'vk code=d,scan code=60,key flag=1$' "$work/qv530.log" || fail "no debug line for the keypad Enter"
import -window root "$out/buttons-capture-en.png"
click_at $((dx + 68 + 42)) $((dy + 118 + 13))
wait_for 5 dialog_closed 'Please assign a key' || fail "OK did not close the key capture dialog"
# Closed, it lets the keyboard go: the probe gets keys again.
xdotool windowfocus "$probe" 2>/dev/null || true
xdotool key c
wait_for 5 grep -q KeyPress "$work/xev.log" || fail "the keyboard stayed held after the capture dialog closed"
kill "$probe_pid"
pass "while the capture dialog is open no other program receives a key"
apply
[ "$(map_entry 4)" = "00 58 00 01" ] || fail "button 4 is sent as '$(map_entry 4)', not Num Enter"
grep -q '^Item4=Assign Keyboard Key-Num Enter' "$data/str0.ini" || fail "the caption of button 4 was not saved"
pass "the keypad Enter captured with the keyboard reaches button 4 (00 58 00 01)"

# 3. Button 5: Macro "Build" until the button is released.
open_menu 4
# shellcheck disable=SC2046
click_at $(menu_entry 4 13)
wait_for 5 dialog_open 'Please select a macro!' || fail "the macro dialog did not open"
dialog=$(dialog_window 'Please select a macro!')
eval "$(xdotool getwindowgeometry --shell "$dialog")"
dx=$X dy=$Y
sleep 0.5
click_at $((dx + 190)) $((dy + 69))          # the selector opens the list
click_at $((dx + 60)) $((dy + 81 + 2 + 18 + 9)) # its second row: Build
click_at $((dx + 26)) $((dy + 166))          # "until button is released"
import -window root "$out/buttons-macro-en.png"
click_at $((dx + 100 + 42)) $((dy + 212 + 13))
wait_for 5 dialog_closed 'Please select a macro!' || fail "OK did not close the macro dialog"
apply
[ "$(map_entry 3)" = "01 02 00 0a" ] || fail "button 5 is sent as '$(map_entry 3)', not macro 1 until released"
grep -q '^Item5=Macro:Build' "$data/str0.ini" || fail "the caption of button 5 was not saved"
pass "macro Build until released reaches button 5 (01 02 00 0a)"

# 4. The only left click keeps its menu shut.
open_menu 0
wait_for 5 dialog_open 'ATTENTION!!' || fail "no message for the last left click"
import -window root "$out/buttons-leftclick-en.png"
xdotool key Return
pass "the last left click shows the message instead of a menu"
stop_program

# The same views in simplified Chinese, for the eye, in a data folder of their own.
export HOME=$work/home-chs
data=$HOME/.config/QV530-10800rad
mkdir -p "$HOME"
start_program zh_CN.UTF-8
click_at $((wx + 125)) $((wy + 62))
open_menu 2
# shellcheck disable=SC2046
xdotool mousemove --sync $(menu_entry 2 9)
wait_for 5 submenu_open || fail "the Chinese Multimedia submenu did not open"
import -window root "$out/buttons-menu-chs.png"
xdotool key Escape Escape
sleep 0.3
open_menu 3
# shellcheck disable=SC2046
click_at $(menu_entry 3 12)
capture_open() { [ -n "$(window_of_size 320 170)" ]; }
wait_for 5 capture_open || fail "the Chinese key capture dialog did not open"
xdotool key F5
wait_for 5 grep -q 'vk code=74,' "$work/qv530.log" || fail "the Chinese capture dialog did not receive F5"
sleep 0.3
import -window root "$out/buttons-capture-chs.png"
capture=$(window_of_size 320 170)
[ -n "$capture" ] || fail "the Chinese key capture dialog did not open"
read -r X Y <<<"$capture"
click_at $((X + 168 + 42)) $((Y + 118 + 13))
open_menu 4
# shellcheck disable=SC2046
click_at $(menu_entry 4 13)
macro_open() { [ -n "$(window_of_size 380 260)" ]; }
wait_for 5 macro_open || true
macro=$(window_of_size 380 260)
[ -n "$macro" ] || fail "the Chinese macro dialog did not open"
read -r X Y <<<"$macro"
click_at $((X + 190)) $((Y + 69))
import -window root "$out/buttons-macro-chs.png"
click_at $((X + 196 + 42)) $((Y + 212 + 13))
pass "Chinese screenshots taken"
stop_program
echo "$passed passed, 0 failed"
