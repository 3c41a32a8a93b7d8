#!/usr/bin/env bash
# End to end: game profiles. Two profiles bound to programs, a Wine-style
# game ("Z:\games\Shooter.exe", really sleep) and a renamed program
# ("racer"); starting and ending them must send their profiles to the
# emulated mouse and bring the first profile back, read from the mouse's
# trace by the report rate each profile has (500, 1000, 250 Hz). Three
# desktops: X11 with a tray, X11 without one (notices to a stand-in
# notification service), Wayland (weston headless).
#   games_e2e.sh QV530 QV530CTL FAKE_NOTIFICATION_SERVICE
set -euo pipefail
qv530=$1 qv530ctl=$2 service=$3
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
unset WAYLAND_DISPLAY DISPLAY DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME"
log=$work/qv530.log
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }

# The profiles and their bindings, made with qv530ctl before the window starts.
ctl() { local said; said=$("$qv530ctl" "$@" 2>&1) || fail "qv530ctl $*: $said"; }
ctl profile new Game
ctl set rate 1000
ctl profile new Race
ctl set rate 250
ctl profile switch 0
ctl profile bind Game shooter.exe
ctl profile bind Race RACER
cp "$(command -v sleep)" "$work/racer"

start_session_bus
"$service" >"$work/notices.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q '^ready$' "$work/notices.log" || fail "the stand-in notification service did not start"

# The report rates the emulated mouse was sent since the window started:
# the rate report's code (02 500 Hz, 01 1000 Hz, 04 250 Hz) in send order.
rates() { grep -o '^a11d set-feature 00 01 [0-9a-f][0-9a-f]' "$trace" 2>/dev/null | awk '{ printf "%s ", $5 }'; }
rates_are() { [ "$(rates)" = "$1" ]; }
current_profile() { grep -a '^CurProfileName=' "$HOME/.config/QV530-10800rad/str.ini" | tr -d '\r' | cut -d= -f2-; }
# Waits until the mouse was sent the rates given, and until that Apply ended.
expect_rates() { # rates what
    local done_before=$(sequences_done) started=$(date +%s%N)
    wait_for 15 rates_are "$1" || fail "$2: the mouse was sent rates '$(rates)', not '$1'"
    echo "  $2: sent after $((($(date +%s%N) - started) / 1000000)) ms"
    wait_for 30 more_sequences_than "$done_before" || fail "$2: the Apply did not end"
}

# One round on the desktop the caller set up.
play_round() { # name
    trace=$work/$1-trace.txt
    "$qv530" --demo --trace "$trace" >"$log" 2>&1 &
    main=$!
    pids+=($main)
    wait_for 20 grep -q '^Game bindings: 2$' "$log" || fail "$1: the window did not read the two bindings"
    [ "$(rates)" = "" ] || fail "$1: rates sent before any game ran: $(rates)"

    bash -c "exec -a 'Z:\\games\\Shooter.exe' sleep 120" &
    shooter=$!
    pids+=($shooter)
    expect_rates "01 " "$1: Shooter.exe started"
    "$work/racer" 120 &
    racer=$!
    pids+=($racer)
    expect_rates "01 04 " "$1: racer started"
    kill "$racer"
    expect_rates "01 04 01 " "$1: racer ended"
    kill "$shooter"
    expect_rates "01 04 01 02 " "$1: Shooter.exe ended"
    [ "$(current_profile)" = "Profile 1" ] || fail "$1: '$(current_profile)' is current at the end"
    grep -q '^Game switch: Shooter.exe: profile Game$' "$log" || fail "$1: no notice of the game's profile"
    grep -q '^Game switch: Shooter.exe ended: profile Profile 1$' "$log" || fail "$1: no notice of the way back"
    kill "$main"
    wait "$main" 2>/dev/null || true
}

# ---- X11 with a tray: the notices go to the tray's balloon.
tray_present() { xwininfo -root -tree 2>/dev/null | grep -q '"panel": ("panel" "trayer")'; }
start_xvfb
start_tray
wait_for 10 tray_present || fail "the tray host did not start"
play_round x11-tray
grep -q '^Notice route: balloon' "$log" || fail "x11-tray: the notices did not go to the tray"
ok "X11 with a tray: the games' profiles are sent and the first comes back"

# Unsaved edits in the window: the game's profile is not sent, and that is said.
trace=$work/edits-trace.txt
"$qv530" --demo --trace "$trace" >"$log" 2>&1 &
main=$!
pids+=($main)
wait_for 20 grep -q '^Game bindings: 2$' "$log" || fail "edits: the window did not read the two bindings"
wait_for 20 window_shown || fail "edits: the window did not appear"
eval "$(xdotool getwindowgeometry --shell "$(visible_window)")"
xdotool mousemove --sync $((X + 125)) $((Y + 112)) click 1 # X/Y sensitivity
sleep 0.5
xdotool mousemove --sync $((X + 32 + 196)) $((Y + 122 + 40 + 4)) click 1 # near the right end of X
bash -c "exec -a 'Z:\\games\\Shooter.exe' sleep 120" &
shooter=$!
pids+=($shooter)
wait_for 15 grep -q '^Game switch: Shooter.exe: profile Game not applied, the window has unsaved changes$' "$log" ||
    fail "edits: no notice that the game's profile was not applied"
kill "$shooter" "$main"
wait "$main" 2>/dev/null || true
rates_are "" || fail "edits: the mouse was sent rates '$(rates)' over unsaved edits"
[ "$(current_profile)" = "Profile 1" ] || fail "edits: '$(current_profile)' became current over unsaved edits"
ok "unsaved edits: the game's profile is refused and said"

# ---- X11 without a tray: the notices go to the desktop's notification service.
pkill -x trayer || fail "the tray host was not running"
wait_for 10 bash -c '! pgrep -x trayer' || fail "the tray host did not end"
play_round x11-no-tray
grep -q '^notify .*body=Shooter.exe: profile Game' "$work/notices.log" ||
    fail "x11-no-tray: the desktop was not told of the game's profile"
ok "X11 without a tray: the same, told through the desktop's notifications"

# ---- Wayland: weston's headless back-end.
unset DISPLAY
export WAYLAND_DISPLAY=qv530-games QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=1280 --height=800 \
    --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
play_round wayland
grep -q 'qt.qpa.plugin: Could not' "$log" && fail "Qt's Wayland platform plugin is missing"
ok "Wayland: the same"

echo "$passed passed, 0 failed"
