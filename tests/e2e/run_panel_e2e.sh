#!/usr/bin/env bash
# End to end on the settings panel: expand a section by its title bar, click
# a DPI stage's slider and the polling-rate dial, Apply, and find the
# commands in the trace; a picture of every page expanded.
#   run_panel_e2e.sh QV530 QV530CTL OUTDIR [LOCALE]
set -euo pipefail
qv530=$1 qv530ctl=$2 out=$3 locale=${4:-C.UTF-8}
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home LANG=$locale LC_ALL=$locale
mkdir -p "$HOME"

start_xvfb
start_tray
sleep 1

trace=$work/trace.txt
"$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
pids+=($!)

wait_for 20 window_shown || fail "the window did not appear after the splash"
win=$(visible_window)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"

# The panel's content starts at (735, 32) in the window; title bars are 20
# high, 25 apart, 5 from the left; an expanded page sits 25 below its title.
panel_x=$((X + 735)) panel_y=$((Y + 32))
click() { xdotool mousemove "$1" "$2" sleep 0.1 click 1; sleep 0.3; }
title() { click $((panel_x + 5 + 110)) $((panel_y + $1 + 10)); }   # title bar at content y
shot() { import -window root -crop 262x565+$((panel_x))+$((panel_y)) +repage "$out/$1.png"; }
applies() { grep -c '^a11d ' "$trace" 2>/dev/null || true; }
applied() { [ "$(applies)" -eq "$1" ]; }
apply() { # number of finished applies to wait for
    click $((X + 800 + 28)) $((Y + 598 + 15))
    wait_for 30 applied $((133 * $1)) || fail "apply $1 did not finish ($(applies) mouse lines)"
    # The window takes input again once the profile is saved.
    wait_for 30 more_sequences_than $(($1 - 1)) || fail "apply $1 did not end"
}

# The DPI section by its title bar; stage 3's slider clicked at its top: 10800 dpi (code 180).
title 5
shot panel-dpi
click $((panel_x + 5 + 65 + 11 + 3)) $((panel_y + 30 + 24))
apply 1
grep -q '^a11d set-feature 00 07 00 ff 0b 17 b3 47 ' "$trace" || fail "the stage command does not carry stage 3 at code 180: $(grep '^a11d set-feature 00 07' "$trace")"
echo "DPI stage 3 by its slider reached the mouse"

# A DPI typed into a stage's box reaches the mouse without Enter: Apply
# takes it, and so does closing the section; Escape drops what was typed.
value_box() { click $((panel_x + 5 + 5 + 30 * ($1 - 1) + 15)) $((panel_y + 30 + 11)); }
stages() { grep '^a11d set-feature 00 07 ' "$trace" | tail -n1; }
value_box 3
xdotool type --delay 50 3200
shot panel-dpi-typed
apply 2
stages | grep -q '^a11d set-feature 00 07 00 ff 0b 17 3f 47 ' || fail "3200 typed into stage 3 and Apply: $(stages)"
echo "a DPI typed into stage 3's box reached the mouse with Apply alone"
value_box 1
xdotool type --delay 50 900
xdotool key Escape
value_box 4
xdotool type --delay 50 4000
title 5   # collapse DPI: the box closes with its section
apply 3
stages | grep -q '^a11d set-feature 00 07 00 ff 0b 17 3f 4f ' || fail "Escape in stage 1, 4000 in stage 4 and the section closed: $(stages)"
echo "closing the section kept stage 4's typed DPI; Escape dropped stage 1's"

# The polling-rate section (the fourth, below the pad's) and its 1000 Hz quadrant.
title 80
shot panel-rate
click $((panel_x + 5 + 121 + 30)) $((panel_y + 105 + 66 - 30))
apply 4
[ "$(grep -c '^a11d set-feature 00 01 01 ' "$trace")" -ge 1 ] || fail "no report-rate command with 1000 Hz: $(grep '^a11d set-feature 00 01 ' "$trace")"
echo "1000 Hz reached the mouse"
title 80

# A picture of each remaining page, expanded alone.
for section in 1 2 4 5 6 7; do
    top=$((5 + 25 * section))
    title $top
    shot "panel-section$((section + 1))"
    title $top
done
# Everything expanded: the panel scrolls.
for section in 7 6 5 4 3 2 1 0; do title $((5 + 25 * section)); done
shot panel-all
# The panel takes the keyboard focus on a click on its background; Page Down scrolls.
click $((panel_x + 228)) $((panel_y + 550))
xdotool key Next
scrolled() {
    shot panel-all-scrolled
    changed=$(compare -metric AE "$out/panel-all.png" "$out/panel-all-scrolled.png" null: 2>&1 || true)
    [ "${changed%% *}" -gt 1000 ]
}
changed=
wait_for 5 scrolled || fail "Page Down did not scroll the panel ($changed pixels changed)"
echo "the open panel scrolls with Page Down"
echo "6 passed, 0 failed"
