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
APPLY="$build/win64/tools/applytemp/orvane_applytemp.exe"
RUNS=9

now_ms() { date +%s%3N; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Milliseconds from launch until the window titled "Eyeward" shows its first
# painted frame (white at 20,300 in both programs).
window_run() {
  local start end pid
  start=$(now_ms)
  wine64 "$1" >/dev/null 2>&1 &
  pid=$!
  "$build/host/xfirstpaint" Eyeward 20 300 FFFFFF 20000
  end=$(now_ms)
  # Destroying the X window would leave the Windows process running: end the process.
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null || true
  while xdotool search --onlyvisible --name '^Eyeward$' >/dev/null 2>&1; do sleep 0.05; done
  echo $((end - start))
}

exit_run() {
  local start
  start=$(now_ms)
  wine64 "$@" >/dev/null 2>&1 || true
  echo $(( $(now_ms) - start ))
}

# Tool and baseline take turns, so a change in the machine's load hits both.
tool_windows=() base_windows=() tool_exits=() base_exits=()
for i in $(seq 1 $RUNS); do
  tool_windows+=($(window_run "$E2E_EXE"))
  base_windows+=($(window_run "$MINIMAL"))
  tool_exits+=($(exit_run "$E2E_EXE" -tamsel))
  base_exits+=($(exit_run "$APPLY" 6600))
done

echo "whole program (median of $RUNS runs, tool and baseline alternating)"
tool_start=$(median "${tool_windows[@]}") base_start=$(median "${base_windows[@]}")
printf '  %-58s %8s ms (minimal window %s ms, ratio %s)\n' "start to first painted window" "$tool_start" "$base_start" \
  "$(ratio "$tool_start" "$base_start")"
tool_tamsel=$(median "${tool_exits[@]}") base_tamsel=$(median "${base_exits[@]}")
printf '  %-58s %8s ms (one-ramp program %s ms, ratio %s)\n' "-tamsel start to exit" "$tool_tamsel" "$base_tamsel" \
  "$(ratio "$tool_tamsel" "$base_tamsel")"

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
