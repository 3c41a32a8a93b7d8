#!/usr/bin/env bash
# qv530ctl pointer on KDE Plasma: under Wayland a stand-in KWin on a private
# session bus receives the acceleration of our mouse and the change notices;
# under X11 the three keys land in kdeglobals and kcminputrc with every other
# line kept; without a session bus the files are still written and that is said.
#   pointer_kde_e2e.sh QV530CTL FAKE_KWIN_SERVICE
set -euo pipefail
qv530ctl=$1 service=$2
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
unset WAYLAND_DISPLAY DISPLAY DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME/.config"
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
kwin_log=$work/kwin.log
fail() { echo "FAILED: $*"; echo "--- stand-in KWin"; cat "$kwin_log" 2>/dev/null || true; exit 1; }

globals_before=$'# kept\n[General]\nfont=Noto Sans,10,-1,5,50,0,0,0,0,0\n\n[KDE]\nLookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=3\n\n[WM]\nactiveBackground=49,54,59\n'
input_before=$'[Keyboard]\nNumLock=0\n\n[Libinput][1133][49271][Logitech USB Optical Mouse]\nPointerAcceleration=0.600\n'
printf '%s' "$globals_before" >"$HOME/.config/kdeglobals"
printf '%s' "$input_before" >"$HOME/.config/kcminputrc"

"$qv530ctl" set pointer-speed 8 >/dev/null || fail "set pointer-speed"
"$qv530ctl" set double-click 4 >/dev/null || fail "set double-click"
"$qv530ctl" set wheel 7 >/dev/null || fail "set wheel"

start_session_bus
"$service" >"$kwin_log" 2>&1 &
pids+=($!)
wait_for 10 grep -q '^ready$' "$kwin_log" || fail "the stand-in KWin did not start"

# ---- Wayland
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
status=$("$qv530ctl" pointer) || fail "pointer ended with an error"
group='[Libinput][1241][41245][HOLTEK USB Gaming Mouse]'
grep -qF "pointer-speed on KDE Plasma (Wayland): applied to kcminputrc $group PointerAcceleration" <<<"$status" ||
    fail "the status does not name our mouse's group: $status"
grep -q '^angle-snap on KDE Plasma (Wayland): not applied: ' <<<"$status" || fail "angle snapping: $status"
ok "qv530ctl pointer names the mouse's group on Wayland"

"$qv530ctl" pointer apply >"$work/apply.out" 2>&1 || { cat "$work/apply.out"; fail "pointer apply failed"; }
wait_for 10 grep -q '^set event7 pointerAcceleration 0.400$' "$kwin_log" || fail "KWin did not receive 0.400"
grep -q '^set event3 ' "$kwin_log" && fail "another maker's mouse was changed"
grep -qF "$group" "$HOME/.config/kcminputrc" || fail "no group for our mouse in kcminputrc"
head -n 5 "$HOME/.config/kcminputrc" | cmp -s - <(printf '%s' "$input_before") ||
    fail "the other lines of kcminputrc changed: $(cat "$HOME/.config/kcminputrc")"
ok "the stand-in KWin received the acceleration of our mouse only"

wait_for 10 grep -q '^notifyChange 3 0$' "$kwin_log" || fail "no KGlobalSettings notifyChange"
wait_for 10 grep -q '^ConfigChanged /kdeglobals KDE DoubleClickInterval$' "$kwin_log" || fail "no ConfigChanged"
ok "running programs are told"

# ---- X11
export XDG_SESSION_TYPE=x11
"$qv530ctl" pointer apply >"$work/apply.out" 2>&1 || { cat "$work/apply.out"; fail "pointer apply (X11) failed"; }
expected_globals=$'# kept\n[General]\nfont=Noto Sans,10,-1,5,50,0,0,0,0,0\n\n[KDE]\nLookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=7\nDoubleClickInterval=690\n\n[WM]\nactiveBackground=49,54,59\n'
[ "$(cat "$HOME/.config/kdeglobals"; echo .)" = "$expected_globals." ] ||
    fail "kdeglobals is not as expected: $(cat "$HOME/.config/kdeglobals")"
grep -qx 'XLbInptPointerAcceleration=0.400' "$HOME/.config/kcminputrc" || fail "no X11 acceleration"
grep -qx '\[Mouse\]' "$HOME/.config/kcminputrc" || fail "no [Mouse] group"
ok "X11: kdeglobals and kcminputrc carry the values, every other line kept"

# ---- no session bus: written, and said
unset DBUS_SESSION_BUS_ADDRESS
"$qv530ctl" set double-click 5 >/dev/null
"$qv530ctl" pointer apply >"$work/apply.out" 2>&1 || { cat "$work/apply.out"; fail "pointer apply without a bus"; }
grep -q 'DoubleClickInterval = 620 (no session bus' "$work/apply.out" || fail "not said: $(cat "$work/apply.out")"
grep -qx 'DoubleClickInterval=620' "$HOME/.config/kdeglobals" || fail "not written without a bus"
ok "without a session bus the files are written and that is said"

# ---- a desktop it does not know
export XDG_CURRENT_DESKTOP=Hyprland
before=$(cat "$HOME/.config/kdeglobals")
if "$qv530ctl" pointer apply >"$work/apply.out" 2>&1; then fail "pointer apply on Hyprland ended with 0"; fi
grep -q '^wheel on Hyprland: not applied: ' "$work/apply.out" || fail "not said: $(cat "$work/apply.out")"
[ "$before" = "$(cat "$HOME/.config/kdeglobals")" ] || fail "a file was written on Hyprland"
ok "another desktop: nothing written, each setting said, exit status 1"

echo "passed: $passed"
