#!/usr/bin/env bash
# End to end: the profile dialog in the real window, driven by clicks.
#   profiles_e2e.sh QV530 QV530CTL OUTDIR
# Opens the dialog with the Config button, adds a profile and closes on it,
# changes a setting, applies, switches back and checks that the first
# profile's file did not change; takes screenshots of the dialog with three
# profiles and of its menu in English, German and Chinese; binds programs to a
# profile through Game… in four languages.
set -euo pipefail
qv530=$1 qv530ctl=$2 out=$3
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_xvfb
start_tray
sleep 1

# Clicks at a point of the window (button 1 or 3).
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click "${3:-1}"; sleep 0.4; }
# The dialog lies at (10, 40) of the window; its parts, from its skin geometry.
config_button() { click $((575 + 70)) $((553 + 15)); }
dialog_new() { click $((10 + 40 + 40)) $((40 + 288 + 13)); }
dialog_close() { click $((10 + 277 + 7)) $((40 + 9 + 7)); }
dialog_entry() { click $((10 + 20 + 60)) $((40 + 44 + 10 + 20 * $1)) "${2:-1}"; }
data() { echo "$HOME/.config/QV530-10800rad/$1"; }
list_value() { grep -a "^$1=" "$(data str.ini)" | tr -d '\r' | cut -d= -f2-; }

# Starts the program in a fresh home with the given locale.
start() { # name locale
    export HOME=$work/$1 LANG=$2
    mkdir -p "$HOME"
    trace=$work/$1-trace.txt
    "$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
    main=$!
    pids+=($main)
    wait_for 20 window_shown || fail "the window did not appear"
    win=$(visible_window)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
}
stop() { kill "$main"; wait "$main" 2>/dev/null || true; sleep 0.5; }

start en en_US.UTF-8
full_apply() { [ "$(grep -c '^a11d ' "$trace")" -eq 133 ] && [ "$(grep -c '^pad ' "$trace")" -eq 10 ]; }

# Config, New, close: the new profile is created and current.
config_button
dialog_new
dialog_close
wait_for 5 test -f "$(data config1.bin)" || fail "config1.bin was not created"
[ -f "$(data str1.ini)" ] || fail "str1.ini was not created"
[ "$(list_value CurProfileName)" = "Profile 2" ] || fail "str.ini names '$(list_value CurProfileName)' as current"
[ "$(list_value ItemCount)" = "2" ] || fail "str.ini counts $(list_value ItemCount) profiles"
echo "new profile created and current"

# A setting of the new profile: the X sensitivity, then Apply.
first_before=$(md5sum < "$(data config0.bin)")
click 125 112                      # Axis Sensitivity header
click $((32 + 196)) $((122 + 40 + 4))  # near the right end of the X slider
click $((800 + 28)) $((598 + 15))  # Apply
wait_for 30 full_apply || fail "Apply did not run to its end"
wait_for 30 more_sequences_than 0 || fail "the apply did not end"
x=$(od -An -tu1 -j $((1 + 169)) -N1 "$(data config1.bin)" | tr -d ' ')
[ "$x" -ge 9 ] || fail "the new profile's X sensitivity is $x, not 9 or more"
applied_x=$x
echo "setting applied to the new profile"

# Back to the first profile: select it and close.
config_button
dialog_entry 0
dialog_close
current_is_first() { [ "$(list_value CurProfileName)" = "Profile 1" ]; }
wait_for 5 current_is_first || fail "the first profile is not current again"
[ "$(md5sum < "$(data config0.bin)")" = "$first_before" ] || fail "the first profile's file changed"
x=$(od -An -tu1 -j $((1 + 169)) -N1 "$(data config1.bin)" | tr -d ' ')
[ "$x" = "$applied_x" ] || fail "the second profile lost its setting"
echo "switched back; the first profile's file is unchanged"

# Three profiles and the menu, in English.
config_button
dialog_new
import -window root "$out/profiles-en.png"
dialog_entry 1 3
import -window root "$out/profiles-menu-en.png"
echo "English screenshots taken"

# Save (the menu's item before the last, Game…) on the second profile through the file dialog.
xdotool key Up Up Return
save_dialog() { xdotool search --onlyvisible --name '^Save$' 2>/dev/null | head -n1; }
save_dialog_shown() { [ -n "$(save_dialog)" ]; }
wait_for 30 save_dialog_shown || fail "Save opened no file dialog"
sleep 0.5
import -window root "$out/profiles-save-en.png"
xdotool key ctrl+a
xdotool type --delay 20 "$work/exported"
xdotool key Return
wait_for 10 test -f "$work/exported.bin" || fail "the profile was not exported"
[ "$(md5sum < "$work/exported.bin")" = "$(md5sum < "$(data config1.bin)")" ] || fail "the export is not the second profile"
[ -f "$work/exported.ini" ] || fail "the export has no side file"
echo "second profile exported through the file dialog"
dialog_close
[ "$(list_value ItemCount)" = "3" ] || fail "the third profile was not listed"
stop

# Beside qv530ctl: the window follows what another program does to the data
# folder, and its Apply saves where its profile is now.
export QV530_DEBUG=1 HOME=$work/beside
mkdir -p "$HOME"
"$qv530ctl" profile new Second >/dev/null
"$qv530ctl" profile new Third >/dev/null
start beside en_US.UTF-8
said() { grep -qa "$1" "$work/qv530.log"; }
saves() { grep -ac "Data num" "$work/qv530.log" || true; }
"$qv530ctl" profile delete 0 >/dev/null
wait_for 10 said "Profile moved from 2 to 1" || fail "the window did not follow its profile to its new place"
"$qv530ctl" set sensitivity-x 3 >/dev/null
wait_for 10 said "Profile reloaded after another program" || fail "the window did not reload the changed profile"
: >"$trace"
saved_before=$(saves)
saved_again() { [ "$(saves)" -gt "$saved_before" ]; }
click $((800 + 28)) $((598 + 15))  # Apply
wait_for 30 full_apply || fail "Apply did not run to its end beside qv530ctl"
wait_for 10 saved_again || fail "Apply saved nothing"
[ ! -e "$(data config2.bin)" ] || fail "Apply wrote the profile's old place config2.bin"
x=$(od -An -tu1 -j $((1 + 169)) -N1 "$(data config1.bin)" | tr -d ' ')
[ "$x" = 3 ] || fail "Apply lost the setting qv530ctl made ($x)"
unset QV530_DEBUG
stop
echo "the window followed qv530ctl's changes and saved where its profile is"

# The same in German.
start de de_DE.UTF-8
config_button
dialog_new
dialog_new
import -window root "$out/profiles-de.png"
dialog_entry 1 3
import -window root "$out/profiles-menu-de.png"
xdotool key Escape
sleep 0.3
dialog_close
# The right click selected the second entry, which the close made current.
[ "$(list_value CurProfileName)" = "Profil 2" ] || fail "German: '$(list_value CurProfileName)' is current"
[ "$(list_value ItemCount)" = "3" ] || fail "German: $(list_value ItemCount) profiles listed"
stop
echo "German screenshots taken"

# And in simplified Chinese (the font rule, the menu as wide as its texts), screenshots only.
start zh zh_CN.UTF-8
config_button
dialog_new
import -window root "$out/profiles-zh.png"
dialog_entry 1 3
import -window root "$out/profiles-menu-zh.png"
xdotool key Escape
sleep 0.3
dialog_close
stop
echo "Chinese screenshots taken"

# Game… on the current profile (the menu's last item, by the keyboard): type
# a program that brings the first profile, so that it moves, then a path,
# which is refused.
game_dialog() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
game_dialog_shown() { [ -n "$(game_dialog "$1")" ]; }
game_dialog_gone() { [ -z "$(game_dialog "$1")" ]; }
bindings_are() { [ "$("$qv530ctl" profile bindings 2>&1)" = "$1" ]; }
for locale in en_US de_DE zh_CN zh_TW; do
    export HOME=$work/games-$locale LANG=$locale.UTF-8
    mkdir -p "$HOME"
    "$qv530ctl" profile new Racing >/dev/null  # and current
    "$qv530ctl" profile bind 0 racer >/dev/null
    start "games-$locale" "$LANG"
    # Its title is in the language (the screenshots show it); X11's WM_NAME,
    # which xdotool reads, keeps only the name's ASCII part for certain.
    title=Racing
    config_button
    windows=$(program_windows)
    xdotool key shift+F10
    wait_for 5 more_windows_than "$windows" || fail "$locale: the menu key opened no menu"
    xdotool key Up Return
    wait_for 10 game_dialog_shown "$title" || fail "$locale: Game… opened no dialog named '$title'"
    xdotool type --delay 20 racer
    xdotool key Return
    wait_for 10 bindings_are "1 Racing racer" || fail "$locale: racer did not move: $("$qv530ctl" profile bindings 2>&1)"
    sleep 0.3
    import -window root "$out/games-moved-$locale.png"
    xdotool type --delay 20 'C:\games\shooter.exe'
    xdotool key Return
    sleep 0.3
    import -window root "$out/games-refused-$locale.png"
    bindings_are "1 Racing racer" || fail "$locale: a path was bound: $("$qv530ctl" profile bindings 2>&1)"
    if [ "$locale" = en_US ]; then
        # The running programs' menu, under its button.
        eval "$(xdotool getwindowgeometry --shell "$(game_dialog "$title")" | sed 's/^/GAME_/')"
        windows=$(program_windows)
        xdotool mousemove --sync $((GAME_X + 20 + 85)) $((GAME_Y + 219 + 13)) click 1
        wait_for 5 more_windows_than "$windows" || fail "the running programs' menu did not open"
        sleep 0.3
        import -window root "$out/games-running-en.png"
        xdotool key Escape
    fi
    xdotool key Escape
    wait_for 10 game_dialog_gone "$title" || fail "$locale: Escape did not close the game dialog"
    dialog_close
    stop
    echo "$locale: Game… moved racer to the current profile and refused a path"
done
echo "8 passed, 0 failed"
