#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the game as a screen reader meets it, under Xvfb: a private session bus with
# the accessibility (AT-SPI) bus on it, the game started with its accessibility on, and
# tests/e2e/access.py walking the tree through pyatspi: no unnamed interactive control in the
# main window, the options dialog (every page), the record table and the style dialog; Tab
# reaching the results and Shift+Tab the field; a move played by keys and the computer's answer
# announced as text; the field's letters read back equal to what the game put.
# Screenshots go to $TESSAROON_E2E_SCREENS (default <build-dir>/e2e-screens).
#
#   tests/e2e/access.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
# shellcheck source=a11y_session.sh
source "$(dirname "$0")/a11y_session.sh"
e2e_pids="game_pid bus_pid a11y_pid"
e2e_begin "e2e access" "${1:-}" Xvfb xdotool import dbus-daemon
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed"

start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"
start_a11y_session
make_stone_game
cd "$work/game"
xdotool mousemove 0 0
start_program game ""
focus_main
shoot 40-access-start
/usr/bin/python3 "$top/tests/e2e/access.py" "$game_pid" "$screens" ||
    { show_log "$e2e_label: the game's output:" "$work/game.log"; fail "the accessibility walk failed"; }
shoot 41-access-after-move
leave_with_f6
