#!/usr/bin/env bash
# End to end on the desktops most people have: no tray (notices go to the
# desktop's notification service on a private session bus), a tray host for
# comparison, and a headless Wayland compositor.
#   run_desktop_e2e.sh QV530 QV530CTL FAKE_NOTIFICATION_SERVICE OUTDIR
set -euo pipefail
qv530=$1 qv530ctl=$2 service=$3 out=$4
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home
unset WAYLAND_DISPLAY DISPLAY DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME"
log=$work/qv530.log
fail() {
    echo "FAILED: $*"
    echo "--- program log"; tail -n 40 "$log" || true
    echo "--- notification service"; cat "$work/notices.log" 2>/dev/null || true
    exit 1
}
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }

start_session_bus

"$service" >"$work/notices.log" 2>&1 &
service_pid=$!
pids+=($service_pid)
wait_for 10 grep -q '^ready$' "$work/notices.log" || fail "the stand-in notification service did not start"
notices() { grep -c '^notify ' "$work/notices.log" || true; }
more_notices_than() { [ "$(notices)" -gt "$1" ]; }

invoke() { # notice id: the user clicks the notice
    dbus-send --session --type=method_call --dest=org.freedesktop.Notifications /org/qv530/Test \
        org.qv530.Test.Invoke "uint32:$1"
}

start_x() {
    exec 4<> "$work/display"
    Xvfb -displayfd 4 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    xvfb=$!
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
}
window_hidden() { [ -z "$(visible_window)" ]; }
click_at() { # x y, in the window
    eval "$(xdotool getwindowgeometry --shell "$(visible_window)")"
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}
# The tray host's panel window is there.
tray_present() { xwininfo -root -tree 2>/dev/null | grep -q '"panel": ("panel" "trayer")'; }
tray_gone() { ! tray_present; }
close_window() { click_at $((984 + 7)) $((10 + 7)); wait_for 10 window_hidden || fail "close did not hide the window"; }

# ---- 1. X11 without a tray: notices go to the desktop's service.
start_x
"$qv530" --demo >"$log" 2>&1 &
pids+=($!)
main=$!
wait_for 20 window_shown || fail "the window did not appear without a tray"
sleep 1
"$qv530ctl" demo-stage 2 || fail "demo-stage failed"
wait_for 10 grep -q '^notify ' "$work/notices.log" || fail "no desktop notification for the DPI change"
first=$(grep '^notify ' "$work/notices.log" | head -n1)
[ "$first" = "notify id=1 replaces=0 app=QV530-10800rad icon=qv530-10800rad timeout=5000 actions=default,Open summary=Info body=Switch DPI into the third stage (2400)" ] ||
    fail "the first notice is not as expected: $first"
grep -q '^Notice route: desktop' "$log" || fail "the program did not choose the desktop route"
ok "a DPI change arrives with its title, text and display time"

"$qv530ctl" demo-stage 3 || fail "demo-stage failed"
wait_for 10 more_notices_than 1 || fail "no second desktop notification"
second=$(grep '^notify ' "$work/notices.log" | sed -n 2p)
case $second in
"notify id=1 replaces=1 "*"body=Switch DPI into the fourth stage (3600)") ;;
*) fail "the second notice does not replace the first: $second" ;;
esac
ok "a second DPI change replaces the first"

# Closing hides; the program keeps announcing; clicking the notice opens the window.
close_window
"$qv530ctl" demo-stage 1 || fail "demo-stage failed"
wait_for 10 more_notices_than 2 || fail "no notice while the window is hidden"
invoke 1 || fail "dbus-send failed"
wait_for 10 window_shown || fail "clicking the notice did not show the window"
ok "closed, it still announces; the notice's Open shows the window"

# Starting the program again shows the window of the running copy.
close_window
timeout 10 "$qv530" --demo >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly"
wait_for 10 window_shown || fail "a second start did not show the window"
kill -0 "$main" || fail "the first copy died"
import -window root "$out/desktop-e2e-no-tray.png"
ok "a second start shows the window"

# Dragging the background moves the window (no window manager here: the
# program moves it itself).
eval "$(xdotool getwindowgeometry --shell "$(visible_window)")"
x0=$X y0=$Y
xdotool mousemove --sync $((X + 600)) $((Y + 20)) mousedown 1
xdotool mousemove --sync $((X + 640)) $((Y + 50))
xdotool mousemove --sync $((X + 660)) $((Y + 60)) mouseup 1
moved_by_drag() { eval "$(xdotool getwindowgeometry --shell "$(visible_window)")"; [ $((X - x0)) -eq 60 ] && [ $((Y - y0)) -eq 40 ]; }
wait_for 5 moved_by_drag || { eval "$(xdotool getwindowgeometry --shell "$(visible_window)")"; fail "dragging the background moved the window from $x0,$y0 to $X,$Y"; }
ok "dragging the background moves the window"

# A tray host that comes while the program runs takes the notices; when it
# goes they return to the desktop's service.
trayer --edge top --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
tray=$!
pids+=($tray)
wait_for 10 tray_present || fail "the tray host did not start"
before=$(notices)
"$qv530ctl" demo-stage 5 || fail "demo-stage failed"
wait_for 10 grep -q '^Notice route: balloon' "$log" || fail "a tray that came later did not take the notice"
kill "$tray"
wait "$tray" 2>/dev/null || true
wait_for 10 tray_gone || fail "the tray host did not go"
"$qv530ctl" demo-stage 6 || fail "demo-stage failed"
wait_for 10 more_notices_than "$before" || fail "the notices did not return to the desktop's service when the tray went"
[ "$(notices)" -eq $((before + 1)) ] || fail "the service received the tray's notice too"
ok "a tray that comes and goes takes the notices while it is there"

# Neither a tray nor a notification service: the status line.
kill "$service_pid"
wait "$service_pid" 2>/dev/null || true
sleep 0.5
"$qv530ctl" demo-stage 0 || fail "demo-stage failed"
wait_for 10 grep -q '^Notice route: status line' "$log" || fail "without a service the notice did not go to the status line"
sleep 0.5
import -window root "$out/desktop-e2e-status-line.png"
"$service" >>"$work/notices.log" 2>&1 &
service_pid=$!
pids+=($service_pid)
service_ready_again() { [ "$(grep -c '^ready$' "$work/notices.log")" -eq 2 ]; }
wait_for 10 service_ready_again || fail "the notification service did not start again"
ok "with neither, the notice shows in the status line"

# Exit from the help menu ends the program.
program_windows() { xdotool search --onlyvisible --pid "$main" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(program_windows)" -gt "$1" ]; }
windows=$(program_windows)
click_at $((944 + 7)) $((10 + 7))
wait_for 5 more_windows_than "$windows" || fail "the help menu did not open"
import -window root "$out/desktop-e2e-help-menu.png"
xdotool key Up Return
program_ended() { ! kill -0 "$main" 2>/dev/null; }
wait_for 10 program_ended || fail "Exit from the help menu did not end the program"
wait "$main" || fail "the program did not end cleanly after Exit"
ok "the help menu's Exit ends the program"

# ---- 2. With a tray host: the balloon, and the service hears nothing.
before=$(notices)
trayer --edge top --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
tray2=$!
pids+=($tray2)
wait_for 10 tray_present || fail "the tray host did not start"
"$qv530" --demo >"$log" 2>&1 &
pids+=($!)
main=$!
wait_for 20 window_shown || fail "the demo window did not appear with a tray"
sleep 1
"$qv530ctl" demo-stage 2 || fail "demo-stage failed"
wait_for 10 grep -q '^Notice route: balloon' "$log" || fail "the balloon route was not taken with a tray"
# With a tray a second start ends silently and the window stays hidden:
# the running copy says so once it has handled the request.
close_window
timeout 10 "$qv530" --demo >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly"
wait_for 10 grep -q '^Request handled: window' "$log" || fail "the second copy did not reach the running one"
grep -q '^Request handled: window hidden$' "$log" || fail "a second start showed the window although a tray is there"
window_hidden || fail "the window is shown although the program kept it hidden"
# The tray goes: the next notice reaches the service. Its notices come in
# order, so the service has then seen every notice sent before it: exactly one.
kill "$tray2"
wait "$tray2" 2>/dev/null || true
wait_for 10 tray_gone || fail "the tray host did not go"
"$qv530ctl" demo-stage 3 || fail "demo-stage failed"
wait_for 10 more_notices_than "$before" || fail "no desktop notification once the tray was gone"
[ "$(notices)" -eq $((before + 1)) ] || fail "the notification service received a notice while a tray was there"
kill -TERM "$main"
wait "$main" || fail "the program did not end cleanly on SIGTERM"
ok "with a tray the balloon is used and a second start stays silent"
kill "$xvfb" 2>/dev/null || true
unset DISPLAY

# ---- 3. Wayland: weston's headless back-end.
export WAYLAND_DISPLAY=qv530-e2e
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=1280 --height=800 \
    --idle-time=0 --debug >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
before=$(notices)
WAYLAND_DEBUG=client QT_QPA_PLATFORM=wayland "$qv530" --demo >"$log" 2>&1 &
pids+=($!)
main=$!
mapped() { grep -q 'xdg_toplevel@[0-9]*\.set_title("QV530-10800rad")' "$log" && grep -q 'xdg_surface@[0-9]*\.configure' "$log"; }
wait_for 20 mapped || fail "the window was not mapped under Wayland"
grep -q 'qt.qpa.plugin: Could not' "$log" && fail "Qt's Wayland platform plugin is missing"
# The picture the compositor shows, taken until the window is painted on it.
wayland_shot() {
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && timeout 10 weston-screenshooter) || return 1
    shot=$(ls "$work"/wayland-screenshot-*.png 2>/dev/null | head -n1)
    [ -n "$shot" ] && colours=$(convert "$shot" -format '%k' info:) && [ "$colours" -gt 50 ]
}
shot= colours=0
wait_for 20 wayland_shot ||
    fail "no Wayland screenshot with the window (picture: '${shot}', $colours colours; weston: $(tail -n 3 "$work/weston.log"))"
cp "$shot" "$out/desktop-e2e-wayland.png"
echo "Wayland screenshot with $colours colours"
"$qv530ctl" demo-stage 4 || fail "demo-stage failed under Wayland"
wait_for 10 more_notices_than "$before" || fail "no desktop notification under Wayland"
grep '^notify ' "$work/notices.log" | tail -n1 | grep -q 'body=Switch DPI into the fifth stage' ||
    fail "the Wayland notice is not the fifth stage"
timeout 10 "$qv530" --demo >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly under Wayland"
wait_for 10 grep -q '^Request: started' "$log" || fail "the second copy did not reach the running one"
kill -0 "$main" || fail "the first copy died under Wayland"
kill -TERM "$main"
wait "$main" || fail "the program did not end cleanly under Wayland"
ok "under Wayland the window maps, notices arrive, a second copy reaches it, it ends cleanly"

echo "$passed passed, 0 failed"
