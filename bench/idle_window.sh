#!/usr/bin/env bash
# What a window costs while its lesson waits: CPU share of one core and wake-ups a second of
# the player, paused at a long WAIT (and, with xdotool, held by the control bar's Pausa),
# on a virtual X server; then how soon SIGTERM ends it; then the same for --watch, once its lesson
# has ended (waiting for a save) and while it stands in a long WAIT, and how soon a save during
# that WAIT plays the new version (with xwininfo).
#   bench/idle_window.sh [VEKORA] [SECONDS]     (default build/vekora, 20 s)
# CPU is the whole process's (every thread): utime + stime from /proc/PID/stat in clock
# ticks, and the finer run time of /proc/PID/task/*/schedstat in nanoseconds. Wake-ups are
# the voluntary context switches of every thread (each time a thread blocked and was woken),
# from /proc/PID/task/*/status.
set -euo pipefail
cd "$(dirname "$0")/.."
vekora=$(realpath "${1:-build/vekora}")
seconds=${2:-20}

if [ -z "${VEKORA_IDLE_INNER:-}" ]; then
  exec env VEKORA_IDLE_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$vekora" "$seconds"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/idle.vek" <<'EOF'
TITLE "Espera"
SCREEN 640, 480
SPEED 1
POINT A, 140, 360
POINT B, 500, 380
POINT C, 300, 110
AB = LINE A, B
BC = LINE B, C
CA = LINE C, A
WAIT 600000
END
EOF

# Sum of the fields over every thread of process $1.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
runNs() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { print sum }'; }
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { sum += $2 } END { print sum }'; }
threads() { ls /proc/"$1"/task | wc -l; }

measure() {
  local label=$1 pid=$2
  local t0 n0 s0 t1 n1 s1 hz
  hz=$(getconf CLK_TCK)
  t0=$(ticks "$pid"); n0=$(runNs "$pid"); s0=$(switches "$pid")
  sleep "$seconds"
  t1=$(ticks "$pid"); n1=$(runNs "$pid"); s1=$(switches "$pid")
  awk -v label="$label" -v t="$((t1 - t0))" -v n="$((n1 - n0))" -v s="$((s1 - s0))" -v secs="$seconds" \
      -v hz="$hz" -v threads="$(threads "$pid")" 'BEGIN {
    printf "%-8s cpu %.3f %% of a core (utime+stime %d ticks), run time %.3f %% (schedstat), %.1f wake-ups/s, %d threads, over %d s\n",
           label, 100 * t / hz / secs, t, 100 * n / 1e9 / secs, s / secs, threads, secs }'
}

"$vekora" --no-logo "$work/idle.vek" >/dev/null 2>&1 </dev/null &
pid=$!
sleep 3  # the window opens and the lesson reaches its WAIT
measure wait "$pid"

# Enter puts the lesson in the bar's pause: the wait is then held by Pausa.
if command -v xdotool >/dev/null; then
  window=$(xdotool search --sync --pid "$pid" 2>/dev/null | head -1 || true)
  if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" Return 2>/dev/null || true
    sleep 1
    measure pausa "$pid"
  fi
fi

# How long the waiting window takes to end after SIGTERM: from the signal to the exit.
start=$(date +%s%N)
kill -TERM "$pid"
wait "$pid" || true
echo "sigterm  the process ended $(( ($(date +%s%N) - start) / 1000000 )) ms after the signal"

# --watch: between runs, and armed during a WAIT; a save shows the new version's title.
cat >"$work/ended.vek" <<'EOF2'
SCREEN 320, 240
POINT A, 20, 100
END
EOF2
"$vekora" --no-logo --watch "$work/ended.vek" >/dev/null 2>&1 </dev/null &
pid=$!
sleep 3
measure ended "$pid"
kill -TERM "$pid"; wait "$pid" || true

"$vekora" --no-logo --watch "$work/idle.vek" >/dev/null 2>&1 </dev/null &
pid=$!
sleep 3
measure watching "$pid"
if command -v xwininfo >/dev/null; then
  start=$(date +%s%N)
  sed -i 's/^TITLE "Espera"/TITLE "Saved"/' "$work/idle.vek"
  until xwininfo -root -tree | grep -q '"Saved - '; do
    [ $(( ($(date +%s%N) - start) / 1000000 )) -gt 10000 ] && break
    sleep 0.02
  done
  echo "save     the new version showed $(( ($(date +%s%N) - start) / 1000000 )) ms after the save"
fi
kill -TERM "$pid"; wait "$pid" || true
