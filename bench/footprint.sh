#!/usr/bin/env bash
# Footprint of the idle program and of `qv530ctl watch`: memory, threads,
# wake-ups, and how soon the window is there once the splash has ended.
#   footprint.sh QV530 QV530CTL
# Starts `qv530 --demo` on a virtual X display with a tray, opens every page
# of the window once, hides it to the tray, and after 15 s of idle reads its
# memory from /proc/PID/smaps_rollup; then counts the context switches of
# every thread over 30 s of idle. `qv530ctl watch` is counted over the same
# 30 s. The figures are compared with the targets; nothing here fails a build.
set -euo pipefail
qv530=$(realpath "$1") qv530ctl=$(realpath "$2")
settle=${QV530_BENCH_SETTLE:-15} idle=${QV530_BENCH_IDLE:-30}
target_anon_kb=$((16 * 1024)) target_wakeups_per_s=1 target_ready_ms=50

work=$(mktemp -d)
export HOME=$work/home XDG_RUNTIME_DIR=$work/run QV530_DEBUG=1
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "footprint: $*" >&2; tail -n 20 "$work/qv530.log" >&2 || true; exit 1; }
wait_for() { # seconds command...
    local limit=$1; shift
    for _ in $(seq $((limit * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
trayer --edge top --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$qv530" --demo >"$work/qv530.log" 2>&1 &
main=$!
pids+=("$main")
mark() { sed -n "s/^Start-up: $1 at \([0-9.]*\) ms$/\1/p" "$work/qv530.log" | head -n1; }
wait_for 20 grep -q '^Start-up: window ready' "$work/qv530.log" || fail "the window did not appear after the splash"

# Every page once, as a user opens them: both left-column panels, the three views.
win=$(xdotool search --onlyvisible --name '^QV530-10800rad$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$win")"
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
click 125 112 # X/Y sensitivity (its header, collapsed position)
click 125 62  # button assignment
for view in 293 361 429; do click "$view" 568; done
# The settings panel's eight sections, each opened and closed again (title
# bars 25 apart from y 5 of the panel at (735, 32); with all closed they sit
# at their collapsed places).
for section in 0 1 2 3 4 5 6 7; do
    click $((735 + 115)) $((32 + 5 + 25 * section + 10))
    click $((735 + 115)) $((32 + 5 + 25 * section + 10))
done
# The profile dialog (Config), closed by its close box.
click $((575 + 70)) $((553 + 15))
click $((10 + 277 + 7)) $((40 + 9 + 7))
click 991 17  # close: to the tray, where the program idles

# Memory after the settling time; watch starts meanwhile.
"$qv530ctl" watch >"$work/watch.log" 2>&1 &
watch=$!
pids+=("$watch")
sleep "$settle"
kill -0 "$main" || fail "the program ended"
kill -0 "$watch" || fail "qv530ctl watch ended: $(cat "$work/watch.log")"

rollup() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/smaps_rollup"; }
switches() { # per thread: TID and its voluntary plus involuntary switches
    for task in /proc/"$1"/task/*; do
        awk -v tid="${task##*/}" '/^(voluntary|nonvoluntary)_ctxt_switches:/ { n += $2 } END { print tid, n + 0 }' \
            "$task/status" 2>/dev/null || true
    done
}
# Wake-ups between two snapshots: the switches of the threads in both, all of
# a new thread's, and one for each thread that ended (its last wake-up).
wakeups_between() {
    awk 'FNR == NR { before[$1] = $2; next }
         { now[$1] = $2; n += ($1 in before) ? $2 - before[$1] : $2 }
         END { for (t in before) if (!(t in now)) { n++; ended++ } print n + 0, ended + 0 }' "$1" "$2"
}
rss=$(rollup "$main" Rss) pss=$(rollup "$main" Pss) anon=$(rollup "$main" Anonymous)
threads=$(awk '/^Threads:/ { print $2 }' "/proc/$main/status")
watch_anon=$(rollup "$watch" Anonymous) watch_threads=$(awk '/^Threads:/ { print $2 }' "/proc/$watch/status")

switches "$main" >"$work/before" && switches "$watch" >"$work/watch-before"
sleep "$idle"
switches "$main" >"$work/after" && switches "$watch" >"$work/watch-after"
read -r wakeups threads_ended < <(wakeups_between "$work/before" "$work/after")
read -r watch_wakeups _ < <(wakeups_between "$work/watch-before" "$work/watch-after")

started=$(mark "program started") shown=$(mark "splash shown") built=$(mark "window built")
ended=$(mark "splash ended") ready=$(mark "window ready")
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
splash_ms=$(ms "$shown" "$ended") build_ms=$(ms "$shown" "$built")
ready_after_splash=$(ms "$ended" "$ready") ready_after_start=$(ms "$started" "$ready")

verdict() { # value limit: "within" or "OVER"
    awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "within target" : "OVER TARGET" }'
}
per_s() { awk -v n="$1" -v s="$idle" 'BEGIN { printf "%.2f", n / s }'; }
echo "qv530 --demo (every page opened once, then idle in the tray)"
printf '  RSS %d kB, PSS %d kB, anonymous %d kB (%s: %d kB)\n' "$rss" "$pss" "$anon" \
    "$(verdict "$anon" "$target_anon_kb")" "$target_anon_kb"
printf '  threads %d\n' "$threads"
printf '  context switches over %d s idle: %d, %s/s (%s: %d/s)\n' "$idle" "$wakeups" "$(per_s "$wakeups")" \
    "$(verdict "$(per_s "$wakeups")" "$target_wakeups_per_s")" "$target_wakeups_per_s"
# Qt's pool threads (image conversion at start-up) end 30 s after their last task.
((threads_ended == 0)) || printf '  of them %d: threads that ended (Qt pool threads expire after 30 s unused)\n' "$threads_ended"
printf '  splash shown for %s ms; the window was built %s ms after it appeared\n' "$splash_ms" "$build_ms"
printf '  window ready %s ms after the splash ended (%s: %d ms), %s ms after start\n' "$ready_after_splash" \
    "$(verdict "$ready_after_splash" "$target_ready_ms")" "$target_ready_ms" "$ready_after_start"
echo "qv530ctl watch (no mouse)"
printf '  anonymous %d kB, threads %d\n' "$watch_anon" "$watch_threads"
printf '  context switches over %d s idle: %d, %s/s (%s: %d/s)\n' "$idle" "$watch_wakeups" \
    "$(per_s "$watch_wakeups")" "$(verdict "$(per_s "$watch_wakeups")" "$target_wakeups_per_s")" \
    "$target_wakeups_per_s"

# ---- Game profiles: 20 bound programs and 500 other processes of this user.
# The idle program looks at the process table every 2 s; counted as above,
# with its CPU time. Then a bound program is started and ended a few times:
# the time from its start (or end) to the program's "Game switch:" line.
kill "$main" "$watch" 2>/dev/null || true
wait "$main" "$watch" 2>/dev/null || true
ctl() { "$qv530ctl" "$@" >/dev/null 2>&1 || fail "qv530ctl $*"; }
for p in 2 3 4 5 6; do ctl profile new "Game $p"; done
ctl profile switch 0
for g in $(seq -w 1 20); do ctl profile bind $((10#$g % 6)) "game$g.exe"; done
others=()
for _ in $(seq 500); do sleep 3600 & others+=($!); done
pids+=("${others[@]}")
"$qv530" --demo >"$work/qv530.log" 2>&1 &
main=$!
pids+=("$main")
wait_for 20 grep -q '^Game bindings: 20$' "$work/qv530.log" || fail "the program did not read the 20 bindings"
wait_for 20 grep -q '^Start-up: window ready' "$work/qv530.log" || fail "the window did not appear"
win=$(xdotool search --onlyvisible --name '^QV530-10800rad$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$win")"
click 991 17
sleep "$settle"
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches "$main" >"$work/before"
ticks_before=$(cpu_ticks "$main")
sleep "$idle"
switches "$main" >"$work/after"
ticks=$(($(cpu_ticks "$main") - ticks_before))
read -r game_wakeups _ < <(wakeups_between "$work/before" "$work/after")
cpu_percent=$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" -v s="$idle" 'BEGIN { printf "%.2f", 100 * t / hz / s }')

switch_lines() { grep -c '^Game switch:' "$work/qv530.log" || true; }
sequences() { grep -c '^Sequence done:' "$work/qv530.log" || true; }
applied_since() { (($(sequences) > $1)); }
# A bound program under a Wine-style name; its own output goes nowhere, so
# nothing waits on it.
start_game() { bash -c "exec -a 'C:\\games\\game07.exe' sleep 3600" </dev/null >/dev/null 2>&1 & game=$!; pids+=("$game"); }
end_game() { kill "$game"; wait "$game" 2>/dev/null || true; }
worst=0 all=()
for _ in 1 2 3 4 5; do
    for step in start_game end_game; do
        # A start or end lands anywhere in the 2 s between two looks.
        sleep "0.$((RANDOM % 10))"
        lines_before=$(switch_lines) done_before=$(sequences)
        begin=$(date +%s%N)
        "$step"
        for _ in $(seq 1000); do
            (($(switch_lines) > lines_before)) && break
            sleep 0.01
        done
        (($(switch_lines) > lines_before)) || fail "no game switch after $step"
        ms=$((($(date +%s%N) - begin) / 1000000))
        all+=("$ms")
        ((ms <= worst)) || worst=$ms
        wait_for 30 applied_since "$done_before" || fail "the game's Apply did not end"
    done
done
echo "qv530 --demo with 20 bound programs and 500 other processes (idle in the tray)"
printf '  context switches over %d s idle: %d, %s/s (%s: %d/s)\n' "$idle" "$game_wakeups" "$(per_s "$game_wakeups")" \
    "$(verdict "$(per_s "$game_wakeups")" "$target_wakeups_per_s")" "$target_wakeups_per_s"
printf '  CPU over %d s idle: %s %% of one core (%s: 1 %%)\n' "$idle" "$cpu_percent" "$(verdict "$cpu_percent" 1)"
printf '  detection of 5 starts and 5 ends: %s ms; worst %d ms (%s: 2500 ms)\n' "${all[*]}" "$worst" \
    "$(verdict "$worst" 2500)"
