#!/usr/bin/env bash
# Runs the benchmark program, then the whole-program figures, each beside a
# baseline measured in the same run, inside the environment ./dev prepared.
#   bench.sh BUILD [filter]
set -euo pipefail
build="$1"; shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export XGAMMA="$build/host/xgamma"
wine64 "$build/win64/tools/bench/orvane_bench.exe" "$@"
[[ $# -eq 0 || "$1" == program ]] || exit 0
set +e # the registry clean-up below may find nothing to delete

source "$here/../tests/e2e/lib/e2e.sh"
e2e_init "$build/win64"
e2e_register_install
e2e_reset_state
MINIMAL="$build/win64/tools/minimalwindow/orvane_minimalwindow.exe"
APPLY="$E2E_DIST/tools/orvane_applytemp.exe"
RUNS=5

now_ms() { date +%s%3N; }

# Milliseconds from launch until the window titled "Eyeward" shows its first
# painted frame (white at 20,300 in both programs), median of RUNS.
time_to_window() {
  local exe="$1" i start end times=()
  for i in $(seq 1 $RUNS); do
    start=$(now_ms)
    wine64 "$exe" >/dev/null 2>&1 &
    local pid=$!
    "$build/host/xfirstpaint" Eyeward 20 300 FFFFFF 20000
    end=$(now_ms)
    times+=($((end - start)))
    # Destroying the X window would leave the Windows process running: end the process.
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null || true
    while xdotool search --onlyvisible --name '^Eyeward$' >/dev/null 2>&1; do sleep 0.05; done
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p"
}

time_to_exit() {
  local i start times=()
  for i in $(seq 1 $RUNS); do
    start=$(now_ms)
    wine64 "$@" >/dev/null 2>&1 || true
    times+=($(( $(now_ms) - start )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p"
}

echo "whole program (median of $RUNS runs)"
tool_start=$(time_to_window "$E2E_EXE")
base_start=$(time_to_window "$MINIMAL")
printf '  %-58s %8s ms (minimal window %s ms, ratio %s)\n' "start to first painted window" "$tool_start" "$base_start" \
  "$(awk -v a="$tool_start" -v b="$base_start" 'BEGIN { printf "%.2f", a / b }')"

tool_tamsel=$(time_to_exit "$E2E_EXE" -tamsel)
base_tamsel=$(time_to_exit "$APPLY" 6600)
printf '  %-58s %8s ms (one-ramp program %s ms, ratio %s)\n' "-tamsel start to exit" "$tool_tamsel" "$base_tamsel" \
  "$(awk -v a="$tool_tamsel" -v b="$base_tamsel" 'BEGIN { printf "%.2f", a / b }')"

# Idle CPU and memory of the running window (the Wine process of the exe).
e2e_start
e2e_wait_window
sleep 2
pid=$(pgrep -f 'OrvaneRuzerodOradirr.exe' | head -n 1)
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(ticks); sleep 10; after=$(ticks)
hz=$(getconf CLK_TCK)
printf '  %-58s %8s ms\n' "CPU time while idle for 10 s" "$(( (after - before) * 1000 / hz ))"
printf '  %-58s %8s KiB (resident set of the process under Wine)\n' "memory of the running window" \
  "$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")"
printf '  %-58s %8s KiB (anonymous private memory)\n' "private memory of the running window" \
  "$(awk '/^RssAnon/ { print $2 }' "/proc/$pid/status")"
e2e_close_window
printf '  %-58s %8s bytes (32-bit product), %s bytes (64-bit test build)\n' "size of the exe" \
  "$(stat -c %s "$build/dist/OrvaneRuzerodOradirr.exe" 2>/dev/null || echo '?')" "$(stat -c %s "$E2E_EXE")"
