#!/usr/bin/env bash
# End to end on the lighting pages: pick effects, levels and colours with the
# pointer and the keys in the real window, apply, and read what the emulated
# mouse and pad received. Until the settings panel hosts them, the pages are
# in their sections of the settings panel.
#   run_lighting_e2e.sh QV530 QV530CTL OUTDIR
set -euo pipefail
qv530=$1 qv530ctl=$2 out=$3
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
mkdir -p "$HOME"

start_xvfb

trace=$work/trace.txt
"$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
pids+=($!)

wait_for 20 window_shown || fail "the window did not appear after the splash"
win=$(visible_window)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"

# Where the pages sit: the panel at (735, 32), the mouse page 5 pixels in,
# the pad page 5 pixels below it (the mouse page is 274 high). Rows are 44
# apart from 6; a row's slider is 19 below its top at x 30, 127 wide; the
# swatches are 22 below the last row's end, 30 apart from x 14.
# The panel's content starts at (735, 32) in the window; title bars are 20
# high, 25 apart from y 5, 5 from the left; an open page sits 25 below its
# title. Lighting is the second section (title at 30, page at 55), the pad's
# the third (title at 55, page at 80 while Lighting is closed).
panel_x=$((X + 735)) panel_y=$((Y + 32))
mouse_x=$((panel_x + 5)) mouse_y=$((panel_y + 55))
pad_x=$mouse_x pad_y=$((panel_y + 80))
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.2; }
title() { click $((panel_x + 5 + 110)) $((panel_y + $1 + 10)); }  # title bar at content y
radio() { click $(($1 + 15)) $(($2 + 6 + 44 * $3 + 7)); }                   # page-x page-y row
slider() { click $(($1 + 30 + $4)) $(($2 + 6 + 44 * $3 + 19 + 5)); }       # page-x page-y row offset
swatch() { click $(($1 + 14 + 30 * $4 + 11)) $(($2 + 6 + 44 * $3 + 22 + 8)); }  # page-x page-y rows j

# Mouse: breathing, its slider at level 5 (offset 110 of 127), then with the
# keys two steps down and one up (level 4), then swatch 2 (green).
title 30   # open Lighting
radio $mouse_x $mouse_y 1
slider $mouse_x $mouse_y 1 110
xdotool key Left Left Right
swatch $mouse_x $mouse_y 5 2
import -window root "$out/e2e-lighting-mouse.png"
# Pad: breathing, level 3 (offset 60), swatch 4 (magenta).
title 30   # close Lighting
title 55   # open the pad's section
radio $pad_x $pad_y 1
slider $pad_x $pad_y 1 60
swatch $pad_x $pad_y 4 4
import -window root "$out/e2e-lighting.png"

click $((X + 800 + 28)) $((Y + 598 + 15))  # Apply
full_apply() { [ "$(grep -c '^a11d ' "$trace")" -eq "$1" ] && [ "$(grep -c '^pad ' "$trace")" -eq "$2" ]; }
wait_for 30 full_apply 133 10 || fail "no full apply in the trace"
# Breathing (01), one colour (00), tempo 50 (32), speed 12 - 4 (08).
grep -q '^a11d set-feature 00 06 01 00 32 08 ' "$trace" || fail "the mouse's effect is not breathing at level 4: $(grep '^a11d set-feature 00 06' "$trace")"
# The light block written back starts with palette entry 2.
grep -A2 '^a11d set-feature 00 0c' "$trace" | grep -q '^a11d write 00 00 ff 00 ' || fail "the light block does not carry green"
# Pad: breathing (01), tempo 50, level 3 as stored, colour 4 + 1 in the upper bits, magenta.
grep -q '^pad set-feature 00 08 01 32 03 50 ff 00 ff$' "$trace" || fail "the pad's effect is not breathing with magenta: $(grep '^pad set-feature 00 08' "$trace")"
echo "breathing, level and colour reached the mouse and the pad"

# Standard at brightness level 1 (the slider's left end) switches the light off.
wait_for 30 more_sequences_than 0 || fail "the first apply did not end"
title 55   # close the pad's section
title 30   # open Lighting
radio $mouse_x $mouse_y 0
slider $mouse_x $mouse_y 0 0
click $((X + 800 + 28)) $((Y + 598 + 15))
wait_for 30 full_apply 266 20 || fail "no second apply in the trace"
[ "$(grep '^a11d set-feature 00 06' "$trace" | tail -n1)" = 'a11d set-feature 00 06 00 00 00 00 00 00 f9' ] ||
    fail "standard at level 1 did not send the light off: $(grep '^a11d set-feature 00 06' "$trace" | tail -n1)"
echo "standard at level 1 sent the light off"

# What was applied is what qv530ctl reads from the saved profile.
[ "$("$qv530ctl" get light-color)" = "light-color 2" ] || fail "the saved colour is $("$qv530ctl" get light-color)"
[ "$("$qv530ctl" get pad-light | tail -n1)" = "pad-light breathing 3" ] || fail "the saved pad effect is $("$qv530ctl" get pad-light | tail -n1)"
echo "3 passed, 0 failed"
