#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the hint and the review under Xvfb: a paced game of a human against the
# computer on the shipped 5 x 5 settings; F7 shows a hint (status line and field change, nothing
# is played), the game is played to its end with the mouse, then F8 opens the review window beside
# the main window; a click on one of its moves, and the Down key, show that move on the field. Screenshots go to $TESSAROON_E2E_SCREENS (default
# <build-dir>/e2e-screens), named coach-*.png. Exits non-zero on any failure.
#
#   tests/e2e/coach.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "e2e coach" "${1:-}" Xvfb xdotool import convert compare

start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"
rm -f "$screens"/coach-*.png

differs() { # a b: how many pixels differ
    local d
    d=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)
    echo "${d%% *}"
}

cp -r "$top/game" "$work/game"
cd "$work/game"
printf '[Additional]\r\nComputerPace=300\r\n' >>Tessaroon.ini
start_program game ""

focus_main
xdotool key F2
sleep 1

# The hint: the status line and the field change; no letter is put and no row is written.
grab 174 345 168 17 hint-before
grab 2 1 340 340 field-before
grab 345 24 262 18 row-before
xdotool key F7
sleep 1.5
grab 174 345 168 17 hint-after
grab 2 1 340 340 field-after
grab 345 24 262 18 row-after
[ "$(differs hint-before hint-after)" -gt 0 ] || fail "F7 changed nothing in the status line"
[ "$(differs field-before field-after)" -gt 0 ] || fail "F7 marked nothing on the field"
[ "$(differs row-before row-after)" -eq 0 ] || fail "F7 wrote a row into the results table"
shoot coach-01-hint
step "the hint shows"

# The game to its end: a letter alone into an empty cell next to the letters, marked and offered.
moves=0
game_over=""
while [ "$moves" -lt 12 ]; do
    open_letter_window 2 || fail "no cell opened the letter window (move $((moves + 1)))"
    xdotool key "${letters[$((moves % ${#letters[@]}))]}"
    sleep 0.3
    click_client "$x" "$y"
    sleep 0.2
    focus_main
    xdotool key Return
    sleep 1.5
    moves=$((moves + 1))
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended during move $moves"
    if [ "$(window_count)" -gt 1 ]; then
        game_over=yes
        break
    fi
done
[ -n "$game_over" ] || fail "the game did not end after $moves moves"
step "the game ended after $moves moves of the player"
xdotool key Return
sleep 0.5
[ "$(window_count)" -eq 1 ] || fail "Enter did not close the results"

# The review: one row per move of the player.
focus_main
xdotool key F8
review_id=$(wait_window "Review" 10) || fail "F8 opened no review window"
geometry "$review_id"
rev_x=$gx rev_y=$gy rev_w=$gw rev_h=$gh
sleep 0.5
import -window root -crop "${rev_w}x${rev_h}+${rev_x}+${rev_y}" +repage "$screens/coach-02-review.png"
step "screenshot $screens/coach-02-review.png"
# The review stands beside the main window, off the field (the client area's left 344 pixels).
[ "$rev_x" -ge $((client_x + 344)) ] || [ $((rev_x + rev_w)) -le "$client_x" ] ||
    fail "the review window ($rev_x+$rev_w) covers the field (from $client_x)"
step "the review stands beside the main window"
# A click on its first move shows that move on the field; the Down key shows the next one.
grab 2 1 340 340 field-unmarked
xdotool mousemove $((rev_x + 60)) $((rev_y + 45))
sleep 0.2
xdotool click 1
sleep 0.8
grab 2 1 340 340 field-marked
[ "$(differs field-unmarked field-marked)" -gt 0 ] || fail "a click on a move of the review marked nothing"
xdotool key Down
sleep 0.8
grab 2 1 340 340 field-next
[ "$(differs field-marked field-next)" -gt 0 ] || fail "the Down key in the review changed nothing on the field"
import -window root -crop "$((rev_x + rev_w - win_x))x${win_h}+${win_x}+${win_y}" +repage \
    "$screens/coach-03-review-marks.png"
step "screenshot $screens/coach-03-review-marks.png"

kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""
echo "e2e coach: 1 passed, 0 failed"
