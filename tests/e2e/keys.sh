#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of keyboard play and the window scale under Xvfb: a human move played by keys
# alone (the cursor, a typed letter, marking with Space, a refusal, Backspace, Enter), the letter
# window opened at the cursor, then the window at the scales 1.5 (from Tessaroon.ini) and 2 (from
# --scale), each with its size checked and a screenshot taken.
# Screenshots go to $TESSAROON_E2E_SCREENS (default <build-dir>/e2e-screens).
#
#   tests/e2e/keys.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "e2e keys" "${1:-}" Xvfb xdotool import convert compare

# A screen large enough for the window at scale 2.
start_display 141 190 1600x1000x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"

make_stone_game
cd "$work/game"

# The field cell (c, r) of a 5 x 5 field at scale 1, as a crop geometry.
cell_crop() {
    echo "34x34+$((client_x + 89 + 33 * $1))+$((client_y + 88 + 33 * $2))"
}
cell_changed() {  # before-image c r: pixels of the cell that changed since before-image
    import -window root -crop "$(cell_crop "$2" "$3")" +repage "$work/cell-now.png"
    compare -metric AE "$1" "$work/cell-now.png" null: 2>&1 || true
}

# --- A move by keys alone, at scale 1. The pointer rests outside the window throughout.
xdotool mousemove 0 0
start_program keys " at scale 1"
[ "$win_w" -eq 627 ] || fail "main window width $win_w at scale 1, expected 627"
focus_main
xdotool key F2
sleep 0.8
import -window root -crop "$(cell_crop 2 1)" +repage "$work/cell-before.png"
xdotool key Up  # shows the cursor above the O of STONE
sleep 0.3
changed=$(cell_changed "$work/cell-before.png" 2 1)
[ "${changed%% *}" -gt 40 ] 2>/dev/null || fail "no cursor drawn at the cell (2,1) ($changed)"
step "the cursor shows: $changed pixels of its cell changed"
xdotool key Left Left
sleep 0.2
import -window root -crop "$(cell_crop 0 1)" +repage "$work/cell-before.png"
xdotool key a  # A at (0,1)
sleep 0.3
changed=$(cell_changed "$work/cell-before.png" 0 1)
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "the typed letter did not show ($changed)"
xdotool key Down space Up space  # S, A: no word
sleep 0.3
xdotool key Return
sleep 0.3
shoot 20-keys-refused
xdotool key BackSpace BackSpace  # nothing marked, the A stays
sleep 0.3
xdotool key space Down space  # A, S
sleep 0.3
shoot 21-keys-marked
xdotool key Return
sleep 2
red=$(red_pixels 345 24 262 18)
[ "$red" -gt 10 ] || fail "the move by keys is not in the results table ($red red pixels)"
step "the move by keys alone is in the results table"
shoot 22-keys-played

# The letter window at the cursor: Enter on an empty cell where a letter may go. The cursor
# stands at (0,2) after the move; every cell of row 3 borders STONE, and the computer's letter
# fills at most one of them.
before=$(window_count)
xdotool key Down
opened=""
for c in 0 1 2 3 4; do
    [ "$c" -gt 0 ] && xdotool key Right
    sleep 0.2
    xdotool key Return
    sleep 0.6
    if [ "$(window_count)" -gt "$before" ]; then
        opened=$c
        break
    fi
done
[ -n "$opened" ] || fail "Enter on an empty cell of row 3 did not open the letter window"
step "Enter opened the letter window at ($opened,3)"
shoot 23-keys-letter-window
xdotool key Left Down  # the letter window's own: nothing happens
sleep 0.2
[ "$(window_count)" -gt "$before" ] || fail "an arrow key closed the letter window"
xdotool key e
sleep 0.5
[ "$(window_count)" -eq "$before" ] || fail "a letter did not close the letter window"
shoot 24-keys-letter-chosen
leave_with_f6

# --- The scale from the settings file: 1.5.
printf '[Additional]\r\nScale=1.5\r\n' >>Tessaroon.ini
start_program scale15 " at scale 1.5"
if [ "$win_w" -lt 940 ] || [ "$win_w" -gt 941 ]; then
    fail "width $win_w at scale 1.5, expected 940 or 941"
fi
focus_main
xdotool key F2
sleep 0.8
xdotool key Up Left Left a space Down space
sleep 0.4
shoot 25-scale-1.5
leave_with_f6

# --- The command line before the file: 2.
start_program scale2 " at scale 2" --scale 2
[ "$win_w" -eq 1254 ] || fail "width $win_w at scale 2, expected 1254"
focus_main
xdotool key F2
sleep 0.8
xdotool key Up Right Return
sleep 0.6
shoot 26-scale-2-letter-window
xdotool key Escape
sleep 0.3
focus_main
xdotool key F4
wait_window "Record Table" 5 >/dev/null || fail "F4 did not open the record table at scale 2"
shoot 27-scale-2-record-table
xdotool key Escape
sleep 0.3
leave_with_f6

# A bad factor on the command line is refused before any window.
status=0
"$program" --scale 3.5 >"$work/bad.log" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "--scale 3.5 ended with status $status, expected 2"
grep -q "steps of 0.25" "$work/bad.log" || fail "--scale 3.5 did not say why"

echo "e2e keys: 1 passed, 0 failed"
