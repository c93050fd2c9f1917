#!/usr/bin/env bash
# Starts of the tool by the suite: "-tamsel", "-redefault", eye comfort
# stored as on, a second start while the first runs, and stored values that
# are not numbers.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"
e2e_register_install
KEY="$E2E_TEMPERATURE_KEY"

# ---- -tamsel applies the stored setting and exits ----
e2e_reset_state
e2e_reg add "$KEY" /v ColorTemperatureValue /d 4200 /f /reg:64
e2e_reg add "$KEY" /v Eye_Protection /d false /f /reg:64
# A watcher notes any window of the tool that shows up meanwhile.
seen="$E2E_TMP/window-seen"
( while :; do
    xdotool search --onlyvisible --name '^Eyeward$' >/dev/null 2>&1 && touch "$seen"
    sleep 0.01
  done ) &
watcher=$!
e2e_run -tamsel
kill $watcher; wait $watcher 2>/dev/null
e2e_expect_eq "-tamsel exits with 0" "0" "$E2E_STATUS"
e2e_expect_eq "-tamsel never shows the window" "no" "$([[ -e $seen ]] && echo yes || echo no)"
e2e_expect_eq "-tamsel applies the stored 4200" "$(e2e_expected_gamma 4200 2)" "$(e2e_gamma 2 255)"
e2e_expect_true "-tamsel is logged" grep -q "Run OrvaneRuzerodOradirr.exe -tamsel" "$(e2e_log_file)"

# ---- -redefault with eye comfort stored as on ----
e2e_reset_state
e2e_reg add "$KEY" /v ColorTemperatureValue /d 3500 /f /reg:64
e2e_reg add "$KEY" /v Eye_Protection /d true /f /reg:64
e2e_run -redefault
e2e_expect_eq "-redefault exits with 0" "0" "$E2E_STATUS"
e2e_expect_eq "-redefault puts 6500 K on screen" "$(e2e_expected_gamma 6500 2)" "$(e2e_gamma 2 255)"
e2e_expect_eq "-redefault keeps the switch stored on" "true" "$(e2e_reg_value "$KEY" Eye_Protection)"
e2e_expect_eq "start-up with eye comfort on sends HS201" "1" "$(e2e_count_events HS201)"

# ---- Unknown case of a switch starts the window; corrupt stored values ----
for stored in abc -5 99999999999; do
  e2e_reset_state
  e2e_reg add "$KEY" /v ColorTemperatureValue /d "$stored" /f /reg:64
  e2e_reg add "$KEY" /v Eye_Protection /d false /f /reg:64
  e2e_run -tamsel
  case "$stored" in
    abc|-5) expect=2000 ;;
    *) expect=11200 ;;
  esac
  e2e_expect_eq "stored '$stored' applies $expect K" "$(e2e_expected_gamma $expect 2)/$(e2e_expected_gamma $expect 1)" \
    "$(e2e_gamma 2 255)/$(e2e_gamma 1 255)"
done

# ---- A second start brings the first window back ----
e2e_reset_state
e2e_start -TAMSEL
e2e_expect_true "-TAMSEL starts the window" e2e_wait_window
first_pid=$E2E_PID
xdotool windowminimize "$E2E_WINDOW"; sleep 1
e2e_run
e2e_expect_eq "the second instance exits with 0" "0" "$E2E_STATUS"
sleep 1
e2e_expect_true "the first window is shown again" bash -c "xwininfo -id $E2E_WINDOW | grep -q IsViewable"
E2E_PID=$first_pid
e2e_close_window
e2e_expect_eq "the first instance closes with 0" "0" "$E2E_STATUS"

e2e_finish
