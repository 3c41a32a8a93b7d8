#!/usr/bin/env bash
# End to end, as a user meets the program: a virtual X display with a tray,
# the program on its emulated mouse, clicks on the real window.
#   run_e2e.sh QV530 QV530CTL OUTDIR
set -euo pipefail
qv530=$1 qv530ctl=$2 out=$3
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
mkdir -p "$HOME"

# A display of our own and a tray on it.
start_xvfb
start_tray
sleep 1

trace=$work/trace.txt
"$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
pids+=($!)
main=$!

window_hidden() { [ -z "$(visible_window)" ]; }
wait_for 20 window_shown || fail "the window did not appear after the splash"
win=$(visible_window)
sleep 1
import -window root "$out/e2e-window.png"
colours=$(convert "$out/e2e-window.png" -format '%k' info:)
[ "$colours" -gt 50 ] || fail "the screenshot is nearly blank ($colours colours)"
echo "window shown, screenshot with $colours colours"

# Apply at its place on the window.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --sync $((X + 800 + 28)) $((Y + 598 + 15)) click 1
full_apply() { [ "$(grep -c '^a11d ' "$trace")" -eq 133 ] && [ "$(grep -c '^pad ' "$trace")" -eq 10 ]; }
wait_for 30 full_apply || fail "the trace does not hold the full apply (a11d $(grep -c '^a11d ' "$trace"), pad $(grep -c '^pad ' "$trace"))"
grep -q '^a11d set-feature 00 07 00 ff 0b 17 2f 47 61$' "$trace" || fail "the stage command is not the default one"
echo "apply traced: 133 mouse lines, 10 pad lines"

# Close hides it; qv530ctl show brings it back.
wait_for 30 more_sequences_than 0 || fail "the apply did not end"
xdotool mousemove --sync $((X + 984 + 7)) $((Y + 10 + 7)) click 1
wait_for 10 window_hidden || fail "close did not hide the window"
"$qv530ctl" show || fail "qv530ctl show failed"
wait_for 10 window_shown || fail "qv530ctl show did not show the window"
echo "close hides, show restores"

# A second copy ends at once, silently.
timeout 10 "$qv530" --demo >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly"
kill -0 "$main" || fail "the first copy died"
echo "second copy ended at once"

# The mouse's own DPI button: a notice with the stage's dpi.
"$qv530ctl" demo-stage 2 || fail "demo-stage failed"
wait_for 10 grep -q 'Notice: Info: Switch DPI into the third stage (2400)' "$work/qv530.log" || fail "no DPI notice"
import -window root "$out/e2e-notice.png"
echo "DPI notice shown"

# The mouse unplugged in the middle of Apply, in each language: the window
# says which device did not take the settings and takes input again.
kill "$main"
wait "$main" 2>/dev/null || true
for lang in C.UTF-8 de_DE.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8; do
    export HOME=$work/home-$lang
    mkdir -p "$HOME"
    LANG=$lang "$qv530" --demo --unplug-after 30 --trace "$work/unplug.trace" >"$work/qv530.log" 2>&1 &
    main=$!
    pids+=($main)
    wait_for 20 window_shown || fail "the window did not appear ($lang)"
    win=$(visible_window)
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove --sync $((X + 800 + 28)) $((Y + 598 + 15)) click 1
    wait_for 30 more_sequences_than 0 || fail "the apply with the mouse unplugged did not end ($lang)"
    grep -q '^Sequence done: apply, [1-9][0-9]* reports failed$' "$work/qv530.log" || fail "no failed reports ($lang)"
    case $lang in
    C.UTF-8) said='The mouse A11D did not take the settings. Was it unplugged?' ;;
    de_DE.UTF-8) said='Die Maus A11D hat die Einstellungen nicht übernommen. Wurde sie abgezogen?' ;;
    zh_CN.UTF-8) said='鼠标 A11D 未接收设置。是否已拔出？' ;;
    zh_TW.UTF-8) said='滑鼠 A11D 未接收設定。是否已拔除？' ;;
    esac
    grep -qxF "Status: $said" "$work/qv530.log" || fail "the status line does not name the mouse ($lang): $(grep '^Status:' "$work/qv530.log")"
    import -window root "$out/e2e-unplugged-${lang%%.*}.png"
    # It takes input again: its close button hides it.
    xdotool mousemove --sync $((X + 984 + 7)) $((Y + 10 + 7)) click 1
    wait_for 10 window_hidden || fail "the window took no input after the failed apply ($lang)"
    kill "$main"
    wait "$main" 2>/dev/null || true
done
echo "a mouse unplugged during Apply is named in the status line, and the window goes on"
echo "6 passed, 0 failed"
