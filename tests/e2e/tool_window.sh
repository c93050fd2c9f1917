#!/usr/bin/env bash
# The tool as a user meets it: first start with nothing stored, the switch,
# the slider (drag and wheel, also at the ends), restore defaults, minimise
# and close; what reaches the screen, the registry and the journal.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"
e2e_register_install
e2e_reset_state

KEY="$E2E_TEMPERATURE_KEY"
SWITCH_X=432; SWITCH_Y=132
SLIDER_Y=265; SLIDER_LEFT=210; SLIDER_RIGHT=450

# ---- First start: neutral screen, "6600" stored, no switch state ----
e2e_start
e2e_expect_true "the window appears" e2e_wait_window
e2e_geometry
e2e_expect_eq "window size" "480x323" "${E2E_W}x${E2E_H}"
e2e_expect_eq "window centred on the 1280x1024 screen" "400,350" "$E2E_X,$E2E_Y"
e2e_expect_eq "drop shadow window around it" "526x369+377+337" "$(e2e_shadow_geometry)"
e2e_expect_eq "stored temperature after a first start" "6600" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "no switch state after a first start" "" "$(e2e_reg_value "$KEY" Eye_Protection)"
e2e_expect_eq "neutral blue on screen" "$(e2e_expected_gamma 6600 2)" "$(e2e_gamma 2 255)"
e2e_screenshot "$E2E_TMP/first.png"
e2e_expect_true "title bar is the window's blue" e2e_is_blue "$(e2e_pixel 240 5)"
e2e_expect_true "content area is white" test "$(e2e_pixel 200 300)" = "255,255,255"

# ---- Eye comfort on, then off ----
e2e_click $SWITCH_X $SWITCH_Y
e2e_expect_eq "switch on stores true" "true" "$(e2e_reg_value "$KEY" Eye_Protection)"
e2e_expect_eq "switch on stores 3500" "3500" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "switch on: warm blue on screen" "$(e2e_expected_gamma 3500 2)" "$(e2e_gamma 2 255)"
e2e_expect_eq "switch on: warm green on screen" "$(e2e_expected_gamma 3500 1)" "$(e2e_gamma 1 255)"
e2e_expect_eq "one HS201 event" "1" "$(e2e_count_events HS201)"
e2e_click $SWITCH_X $SWITCH_Y
e2e_expect_eq "switch off stores false" "false" "$(e2e_reg_value "$KEY" Eye_Protection)"
e2e_expect_eq "switch off stores 6600" "6600" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "switch off: neutral on screen" "$(e2e_expected_gamma 6600 2)" "$(e2e_gamma 2 255)"
e2e_expect_eq "one HS202 event" "1" "$(e2e_count_events HS202)"

# ---- Slider: drag to the left end (warm side is the right end) ----
thumb_x=$((SLIDER_LEFT + (6601 - 2000) * 216 / 9200 + 12))
e2e_drag $thumb_x $SLIDER_Y $((SLIDER_LEFT - 30)) $SLIDER_Y
e2e_expect_eq "drag to the left end stores 11201" "11201" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "left end: cool red on screen" "$(e2e_expected_gamma 11201 0)" "$(e2e_gamma 0 255)"
e2e_expect_eq "an HS203 event" "1" "$(e2e_count_events HS203)"
# The thumb now sits at the left end; drag it to the right end.
e2e_drag $((SLIDER_LEFT + 12)) $SLIDER_Y $((SLIDER_RIGHT + 30)) $SLIDER_Y
e2e_expect_eq "drag to the right end stores 2001" "2001" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "right end: warm blue on screen" "$(e2e_expected_gamma 2001 2)" "$(e2e_gamma 2 255)"
# A wheel step at the maximum position reports maximum + step: 2000 K.
e2e_wheel $((SLIDER_RIGHT - 12)) $SLIDER_Y 4
e2e_expect_eq "wheel past the end stores 2000" "2000" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"

# ---- Restore defaults ----
e2e_geometry
restore_x=$((SLIDER_RIGHT - 30))
e2e_click $restore_x 209
e2e_expect_eq "restore stores 6600" "6600" "$(e2e_reg_value "$KEY" ColorTemperatureValue)"
e2e_expect_eq "restore: neutral on screen" "$(e2e_expected_gamma 6600 2)" "$(e2e_gamma 2 255)"
e2e_expect_eq "one HS204 event" "1" "$(e2e_count_events HS204)"

# ---- Minimise; a second start brings the window back; close ----
e2e_click 435 17
sleep 1
e2e_expect_eq "minimise sends HS205" "1" "$(e2e_count_events HS205)"
e2e_expect_true "minimise is logged" grep -q "btnMin" "$(e2e_log_file)"
first=$E2E_PID
e2e_run
e2e_expect_eq "a second start exits with 0" "0" "$E2E_STATUS"
E2E_PID=$first
sleep 1
e2e_close_window
e2e_expect_eq "close ends the process with 0" "0" "$E2E_STATUS"
e2e_expect_eq "close sends HS206" "1" "$(e2e_count_events HS206)"
e2e_expect_true "finish reaches the journal" grep -q '"finish"' "$(e2e_events_file)"

e2e_finish
