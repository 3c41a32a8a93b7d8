# Sourced by the end-to-end scripts: a scratch folder that goes away at the
# end with every process started, the helpers to wait and to fail, and a
# virtual X display with a tray of our own.
#   work      the scratch folder ($XDG_RUNTIME_DIR is in it)
#   pids      processes ended at exit (add with pids+=($!))
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run QV530_DEBUG=1
unset XDG_CONFIG_HOME
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAILED: $*"; echo "--- program log"; tail -n 40 "$work/qv530.log" || true; exit 1; }
wait_for() { # seconds command...
    local limit=$1; shift
    for _ in $(seq $((limit * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
# A display of our own (Xvfb picks a free number), exported as DISPLAY.
start_xvfb() {
    exec 3<> "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
}
# A tray host at the top right of the display.
start_tray() {
    trayer --edge top --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
    pids+=($!)
}
# What the program's debug log ($work/qv530.log) tells: an Apply or Reset has
# ended and the window takes input again.
sequences_done() { grep -c '^Sequence done:' "$work/qv530.log" 2>/dev/null || true; }
more_sequences_than() { [ "$(sequences_done)" -gt "$1" ]; }
# The program's windows on the display: a menu or dialog that opens adds one.
program_windows() { xdotool search --onlyvisible --class '^qv530$' 2>/dev/null | wc -l; }
more_windows_than() { [ "$(program_windows)" -gt "$1" ]; }
# The main window, once the splash has gone.
visible_window() { xdotool search --onlyvisible --name '^QV530-10800rad$' 2>/dev/null | head -n1; }
window_shown() { [ -n "$(visible_window)" ]; }
# A session bus of our own, exported as DBUS_SESSION_BUS_ADDRESS: no service
# of this machine is started on demand.
start_session_bus() {
    cat >"$work/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    dbus-daemon --config-file="$work/bus.conf" --nofork --print-address=5 5>"$work/bus" &
    pids+=($!)
    wait_for 10 test -s "$work/bus" || fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
}
