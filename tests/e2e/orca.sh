#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the game with Orca, the desktop's screen reader, under Xvfb: Orca runs on a
# private session and accessibility bus with no speech server, and its debug log holds every
# text it would have spoken. A move is played by keys alone (the cursor to an empty cell, a typed
# letter, Space to mark, Enter); what Orca said is shown, and it must have read the cursor's cell
# and announced the move and the computer's answer.
#
#   tests/e2e/orca.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
# shellcheck source=a11y_session.sh
source "$(dirname "$0")/a11y_session.sh"
e2e_pids="game_pid orca_pid bus_pid a11y_pid"
e2e_begin "e2e orca" "${1:-}" Xvfb xdotool dbus-daemon orca

start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
start_a11y_session
make_stone_game

# Orca with preferences of its own, in a home of its own.
export HOME="$work/home"
mkdir -p "$HOME"
orca --replace -u "$work/orca-prefs" --debug-file "$work/orca.debug" >"$work/orca.log" 2>&1 &
orca_pid=$!
said() { grep -a "SPEECH OUTPUT:" "$work/orca.debug" 2>/dev/null | sed "s/.*SPEECH OUTPUT: '\([^']*\)'.*/\1/"; }
# Orca is ready once it has looked for its speech server (there is none: it logs what it would
# have said); it says "Screen reader on" when the first program comes.
for _ in $(seq 1 300); do
    grep -aq "SPEECH: Initializing" "$work/orca.debug" 2>/dev/null && break
    kill -0 "$orca_pid" 2>/dev/null || break
    sleep 0.1
done
sleep 3
kill -0 "$orca_pid" 2>/dev/null || {
    show_log "$e2e_label: Orca said:" "$work/orca.log"
    fail "Orca did not start"
}

cd "$work/game"
xdotool mousemove 0 0
start_program game ""
focus_main
sleep 1
# Waits up to ten seconds for Orca to have said a line that begins with $1.
wait_said() {
    for _ in $(seq 1 50); do
        said | grep -q "^$1" && return 0
        sleep 0.2
    done
    return 1
}
xdotool key F2
wait_said "notification A new game" || true
# The cursor above the S of STONE, A typed, A and S marked, Enter.
xdotool key Up
wait_said "empty, column 3, row 2, cursor" || true
xdotool key --delay 300 Left Left
wait_said "empty, column 1, row 2, cursor" || true
xdotool key --delay 300 a space Down space Return
for _ in $(seq 1 50); do
    said | grep -q "Computer:" && break
    sleep 0.2
done
step "Orca said:"
said | sed 's/^/    | /'
said | grep -q "^Screen reader on" || fail "Orca did not say it is on"
said | grep -q "^notification A new game on a field of 5 by 5 cells" ||
    fail "Orca did not announce the new game"
said | grep -q "^empty, column 1, row 2, cursor" || fail "Orca did not read the cursor's cell"
said | grep -q "^notification Ann: AS, 20 points" || fail "Orca did not announce the move AS"
said | grep -q "^notification Computer: " || fail "Orca did not announce the computer's move"
leave_with_f6
echo "e2e orca: 1 passed, 0 failed"
