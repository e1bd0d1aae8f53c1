#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the real game window in Russian under Xvfb: under a Russian locale the
# program starts from a copy of the shipped start folder and shows the menus, the options
# dialog's five pages, the record table, the status dialog, the about box, a hint (F7), the
# review window (F8), the help (F1) and a message box in Russian; the same folder with
# Language=en in its settings shows the English window. Each window is found by its Russian
# title, and a screenshot of each goes to $TESSAROON_E2E_SCREENS/ru (default
# <build-dir>/e2e-screens/ru). Exits non-zero on any failure.
#
#   tests/e2e/russian.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_pids="game_pid help_pid"
e2e_begin e2e-ru "${1:-}" Xvfb xdotool import
screens=$screens/ru

# A Russian locale, whatever the caller's.
export LANG=ru_RU.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"
rm -f "$screens"/*.png

# Waits up to $2 seconds (default 10) for a visible window titled exactly $1; prints its id.
# Titles are compared as xdotool reads them back: its search cannot match Cyrillic titles.
wait_titled() {  # title [seconds]
    local title=$1 limit=${2:-10} id
    for _ in $(seq 1 $((limit * 5))); do
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && { echo "$id"; return 0; }
        done
        sleep 0.2
    done
    return 1
}

# Screenshot of a window with a margin around it.
shoot_window() {  # name window-id
    sleep 0.5
    geometry "$2"
    import -window root -crop "$((gw + 40))x$((gh + 60))+$((gx - 20))+$((gy - 40))" +repage \
        "$screens/$1.png"
    step "screenshot $screens/$1.png"
}

# Opens a dialog with a key and waits for its Russian title; prints its id.
open_dialog() {  # key title
    focus_main
    xdotool key "$1"
    wait_titled "$2" 5 || fail "$1 did not open \"$2\""
}

close_dialog() {  # key
    xdotool key "$1"
    for _ in $(seq 1 30); do
        [ "$(window_count)" -eq 1 ] && return 0
        sleep 0.1
    done
    fail "$1 did not close the dialog"
}

stop_program() {
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
}

cp -r "$top/game" "$work/game"
cd "$work/game"
start_program game ""
bar_y=$((win_y + (client_y - win_y) / 2))
shoot 01-main

# The menus: each opened by a click in the middle of its bar item.
focus_main
xdotool mousemove $((win_x + 20)) "$bar_y" click 1
sleep 0.6
[ "$(window_count)" -gt 1 ] || fail "the Game menu did not open"
xdotool mousemove $((win_x + 50)) $((client_y + 1 + 10))
shoot 02-game-menu
xdotool key Escape
sleep 0.3
xdotool key Escape
focus_main
xdotool mousemove $((win_x + 75)) "$bar_y" click 1
sleep 0.6
[ "$(window_count)" -gt 1 ] || fail "the Help menu did not open"
xdotool mousemove $((win_x + 100)) $((client_y + 1 + 10))
shoot 03-help-menu
# "Об игре...", the last item, below "Содержание" and the separator.
xdotool key Up
sleep 0.3
xdotool key Return
about_id=$(wait_titled "Об игре Tessaroon" 5) || fail "the about box has no Russian title"
shoot_window 04-about "$about_id"
close_dialog Return

# The options dialog's five pages, one after another with Ctrl+Tab.
options_id=$(open_dialog F3 "Параметры игры")
for page in 1 2 3 4 5; do
    shoot_window "05-options-$page" "$options_id"
    xdotool key ctrl+Tab
    sleep 0.3
done
close_dialog Escape

# The record table.
records_id=$(open_dialog F4 "Таблица рекордов")
shoot_window 06-records "$records_id"
close_dialog Return

# A game, and the status dialog from the status button.
focus_main
xdotool key F2
sleep 1
click_client 590 353
status_id=$(wait_titled "Состояние игры" 5) || fail "the status dialog has no Russian title"
shoot_window 07-status "$status_id"
close_dialog Return

# A hint (F7) in the status line, then the review window (F8).
focus_main
xdotool key F7
sleep 2
shoot 08-game-hint
focus_main
xdotool key F8
review_id=$(wait_titled "Разбор игры" 10) || fail "F8 opened no Russian review window"
shoot_window 08b-review "$review_id"
xdotool windowfocus --sync "$review_id" 2>/dev/null || true
close_dialog Escape

# F1: the Russian help.
focus_main
xdotool key F1
help_id=$(wait_titled "Справка Tessaroon" 15) || fail "F1 did not open the Russian help"
help_pid=$(xdotool getwindowpid "$help_id" 2>/dev/null || true)
sleep 1
import -window root "$screens/09-help.png"
step "screenshot $screens/09-help.png"
xdotool windowfocus --sync "$help_id" 2>/dev/null || true
xdotool key ctrl+w
sleep 0.5
stop_program

# A message box: the dictionary message of a start folder without a dictionary.
mkdir "$work/empty"
printf '[General]\nDict=Missing\n' >"$work/empty/Tessaroon.ini"
cd "$work/empty"
"$program" >"$work/empty.log" 2>&1 &
game_pid=$!
box_id=$(wait_titled "Tessaroon" 20) || {
    show_log "e2e-ru: no dictionary message; the program said:" "$work/empty.log"
    fail "no dictionary message"
}
shoot_window 10-message-box "$box_id"
xdotool windowfocus --sync "$box_id" 2>/dev/null || true
xdotool key Return
wait "$game_pid" 2>/dev/null || true
game_pid=""

# Language=en in the settings wins over the Russian locale.
cd "$work/game"
sed -i 's/^Language=.*/Language=en/' Tessaroon.ini
grep -q '^Language=en' Tessaroon.ini || fail "the shipped settings have no Language key"
start_program english " with Language=en"
focus_main
xdotool key F4
records_id=$(wait_titled "Record Table" 5) || fail "Language=en did not give the English window"
shoot_window 11-english-records "$records_id"
stop_program

echo "e2e-ru: 1 passed, 0 failed"
