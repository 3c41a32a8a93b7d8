#!/usr/bin/env bash
# End to end, the macro manager: opened from the window's "Macro Manager"
# header, a new macro recorded from the keyboard (the keys reach no other
# window meanwhile), its context menu, OK, Apply, and the macro's slot in the
# traced transfer. Once in English (with Apply) and once in traditional
# Chinese (screenshots).
#   macro_manager_e2e.sh QV530 OUTDIR
set -euo pipefail
qv530=$1 out=$2
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_xvfb

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
shown() { [ -n "$(visible "$1")" ]; }
hidden() { [ -z "$(visible "$1")" ]; }
# The manager is the program's one window of 640 x 440 (its title is in the
# language of the profile).
dialog() {
    local w
    for w in $(xdotool search --onlyvisible --class qv530 2>/dev/null); do
        xdotool getwindowgeometry "$w" | grep -q 'Geometry: 640x440' && { echo "$w"; return 0; }
    done
    return 1
}
dialog_shown() { dialog >/dev/null; }
dialog_hidden() { ! dialog >/dev/null; }
click() { xdotool mousemove "$1" "$2" sleep 0.2 click "${3:-1}"; sleep 0.3; }

# One run of the program in its own home. $1 locale, $2 dialog title, $3 name of the screenshots.
session() {
    local locale=$1 title=$2 shot=$3
    export HOME=$work/home-$shot LANG=$locale
    mkdir -p "$HOME"
    trace=$work/trace-$shot.txt
    store=$HOME/.config/QV530-10800rad/record.ini
    "$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
    main=$!
    pids+=($main)
    wait_for 20 shown '^QV530-10800rad$' || fail "the window did not appear"
    win=$(visible '^QV530-10800rad$')
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    wx=$X wy=$Y

    # The left column's "Macro Manager" header opens the dialog.
    click $((wx + 15 + 110)) $((wy + 77 + 10))
    wait_for 10 dialog_shown || fail "the macro manager did not open ($shot)"
    dlg=$(dialog)
    name=$(xdotool getwindowname "$dlg")
    [ "$name" = "$title" ] || fail "the manager's title is '$name'"
    eval "$(xdotool getwindowgeometry --shell "$dlg")"
    dx=$X dy=$Y

    # A program that logs every key it is given.
    xev -event keyboard -geometry 200x100+1000+650 >"$work/xev-$shot.log" 2>&1 &
    local xev=$!
    pids+=($xev)
    wait_for 10 shown '^Event Tester$' || fail "xev did not open its window"
    local xevwin
    xevwin=$(visible '^Event Tester$')
    [ -n "$xevwin" ] || fail "xev has no window"
    # Checked first: xev does see keys typed into it.
    xdotool windowfocus --sync "$xevwin" key c
    wait_for 5 grep -q 'KeyPress event' "$work/xev-$shot.log" || fail "xev sees no keys even without a recording"
    : >"$work/xev-$shot.log"
    xdotool windowactivate "$dlg" 2>/dev/null || xdotool windowfocus "$dlg"
    sleep 0.3

    click $((dx + 20 + 42)) $((dy + 372 + 13))              # New
    wait_for 5 grep -q '^0=' "$store" || fail "New wrote no name ($shot)"
    click $((dx + 440 + 90)) $((dy + 62 + 14))              # Start Recording
    # The keys go to the recorder wherever the focus is.
    xdotool windowfocus "$xevwin" 2>/dev/null || true
    sleep 0.3
    xdotool key a b
    sleep 0.8
    click $((dx + 440 + 90)) $((dy + 62 + 14))              # Stop Recording
    wait_for 5 grep -q 'Item3=B   Up' "$store" || { cat "$store"; fail "the recording was not saved ($shot)"; }
    grep -q 'KeyPress event' "$work/xev-$shot.log" && fail "another window saw the keys typed while recording"
    echo "$shot: recorded a b into the store; xev saw nothing"

    import -window root "$out/macro-manager-$shot.png"
    # The item list's menu on the first item.
    click $((dx + 220 + 60)) $((dy + 62 + 8))
    click $((dx + 220 + 60)) $((dy + 62 + 8)) 3
    sleep 0.5
    xdotool mousemove $((dx + 220 + 90)) $((dy + 62 + 8 + 30))   # over the mouse-events entry
    sleep 0.8
    import -window root "$out/macro-manager-menu-$shot.png"
    if [ "$shot" = cht ]; then
        # The submenu's first entry puts a left click after the selected item.
        click $((dx + 409)) $((dy + 102))
        wait_for 5 grep -q 'Item1=L-Button   Dn' "$store" || { cat "$store"; fail "the menu inserted no left button"; }
        grep -q 'Item2=L-Button   Up' "$store" || fail "the left button has no release"
        echo "$shot: the item menu inserted a left click"
    else
        xdotool key Escape
        sleep 0.3
        xdotool key Escape
        sleep 0.3
    fi
    dialog_shown || fail "Escape closed the dialog"

    click $((dx + 440 + 42)) $((dy + 404 + 13))             # OK
    wait_for 5 dialog_hidden || fail "OK did not close the dialog ($shot)"
    kill "$xev"; wait "$xev" 2>/dev/null || true
}

session en_US.UTF-8 'Macro Manager' en
# Apply: the macro's slot goes out with the transfer.
click $((wx + 800 + 28)) $((wy + 598 + 15))
full_apply() { [ "$(grep -c '^a11d ' "$trace")" -ge 133 ]; }
wait_for 30 full_apply || fail "no full apply in the trace"
slot=$(grep -A3 '^a11d set-feature 00 05 00 00 03 ' "$trace" | grep -m1 ' write ')
expected='a11d write 00 00 01 05 04 ff 04 00 32 7f 05 00 32 ff 05 00 32 00 00'
[[ "$slot" == "$expected"* ]] || fail "slot 0 carries '$slot'"
echo "en: Apply sent slot 0 with a and b"
kill "$main"; wait "$main" 2>/dev/null || true

session zh_TW.UTF-8 '巨集編輯器' cht
echo "3 passed, 0 failed"
