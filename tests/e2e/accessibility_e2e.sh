#!/usr/bin/env bash
# End to end for keyboard and screen-reader users: the program on the
# emulated mouse, Qt's AT-SPI bridge on a private session bus, and a check
# that reads the window the way a screen reader does and drives it with
# key presses only (accessibility_check.py).
#   accessibility_e2e.sh QV530 OUTDIR
set -euo pipefail
qv530=$1 out=$2
mkdir -p "$out"
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"
export HOME=$work/home LANG=C.UTF-8 LC_ALL=C.UTF-8
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME"

start_session_bus

start_xvfb
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y-bus.log" 2>&1 &
pids+=($!)
a11y_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress; }
wait_for 10 a11y_up || fail "the accessibility bus did not start"
/usr/libexec/at-spi2-registryd --use-gnome-session >"$work/registryd.log" 2>&1 &
pids+=($!)

trace=$work/trace.txt
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$qv530" --demo --trace "$trace" >"$work/qv530.log" 2>&1 &
pids+=($!)
wait_for 20 window_shown || fail "the window did not appear after the splash"
win=$(visible_window)
sleep 1
# The keyboard goes to the window (no window manager gives it).
xdotool windowfocus --sync "$win"

# The system interpreter: python3-pyatspi lives in its dist-packages.
/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessibility_check.py" "$trace" "$win" || fail "the accessibility check failed"
import -window root "$out/accessibility-end.png"
echo "accessibility end to end passed"
