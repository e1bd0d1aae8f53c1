#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of a network game between two real programs on one Xvfb display: the first
# chooses "Server" in the options dialog, the second "Client" and connects by name to
# 127.0.0.1; the server seats it in a Client row and applies; then the two play a whole game by
# mouse and keys, each on its own window, and both end with the same results. Screenshots go to
# $TESSAROON_E2E_SCREENS (default <build-dir>/e2e-screens), named net-*. Exits non-zero on any
# failure.
#
#   tests/e2e/network.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
# shellcheck source=two_windows.sh
source "$(dirname "$0")/two_windows.sh"
e2e_pids="server_pid client_pid"
e2e_begin "e2e network" "${1:-}" Xvfb xdotool import convert compare

# A display of our own.
start_display 141 190 1280x800x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"

# A port nobody listens on, so that runs on one machine do not clash (both programs take it
# from TESSAROON_PORT; the game's own port is 16282).
port=""
for _ in $(seq 1 50); do
    p=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
        port=$p
        break
    fi
done
[ -n "$port" ] || fail "no free port"
export TESSAROON_PORT=$port

mkdir -p "$screens"
rm -f "$screens"/net-*.png

# Each program from a copy of the shipped start folder, its window moved to its own place.
start_side() {  # name
    cp -r "$top/game" "$work/$1"
    (cd "$work/$1" && exec "$program" >"$work/$1.log" 2>&1) &
}
start_side server
server_pid=$!
start_side client
client_pid=$!
# A program without a window shows what it said, and whether the display still answers.
server_id=$(wait_window "Tessaroon 2.1" 20 "$server_pid") || no_window server
client_id=$(wait_window "Tessaroon 2.1" 20 "$client_pid") || no_window client
xdotool windowmove "$server_id" 0 0
xdotool windowmove "$client_id" 640 400
sleep 0.5

# The server: "Server" on the General page.
server_options=$(open_options "$server_pid" "$server_id") || fail "F3 did not open the server's options"
click_at "$server_options" 35 103
sleep 0.5
# The client: "Client", its name and the server's address, "Connect".
client_options=$(open_options "$client_pid" "$client_id") || fail "F3 did not open the client's options"
click_at "$client_options" 35 83
click_at "$client_options" 230 134
xdotool type --delay 40 Bob
click_at "$client_options" 230 160
xdotool type --delay 40 127.0.0.1
click_at "$client_options" 255 188
sleep 1.5
shoot_window "$client_options" net-01-client-connected
# The client sees no message box (a refused or failed connection would show one).
[ "$(window_count "$client_pid")" -eq 2 ] || fail "the client could not connect"

# The server seats Bob in row 2: type Client, then the name from the list.
click_at "$server_options" 88 16
click_at "$server_options" 220 109
xdotool key Down Down Return
sleep 0.4
click_at "$server_options" 110 109
xdotool key Down
sleep 0.4
shoot_window "$server_options" net-02-server-seats-bob
click_at "$server_options" 196 320
sleep 1.5
xdotool search --all --onlyvisible --pid "$server_pid" --name "^Game Options\$" >/dev/null 2>&1 &&
    fail "Apply did not close the server's options (was the client seated?)"
xdotool search --all --onlyvisible --pid "$client_pid" --name "^Game Options\$" >/dev/null 2>&1 &&
    fail "the new game did not close the client's options"
shoot_window "$server_id" net-03-server-game
shoot_window "$client_id" net-04-client-game

# A whole game: whoever is to move puts a letter into an empty cell next to the letters (found
# by trying the candidate cells until the letter window opens), marks it and presses Enter.
# 5 x 5: 20 moves.
moves=0
finished=""
while [ "$moves" -lt 24 ]; do
    mover=""
    for pass in 1 2 3 4; do
        for side in server client; do
            if [ "$side" = server ]; then pid=$server_pid id=$server_id; else pid=$client_pid id=$client_id; fi
            [ "$(window_count "$pid")" -eq 1 ] || continue
            for cell in $candidates; do
                c=${cell%,*} r=${cell#*,}
                x=$((90 + 33 * c + 16)) y=$((89 + 33 * r + 16))
                click_at "$id" "$x" "$y"
                if [ "$(window_count "$pid")" -gt 1 ]; then
                    mover=$side
                    break 3
                fi
            done
        done
        sleep 2
    done
    [ -n "$mover" ] || fail "nobody could move (move $((moves + 1)))"
    xdotool key "${letters[$((moves % ${#letters[@]}))]}"
    sleep 0.3
    [ "$(window_count "$pid")" -eq 1 ] || fail "the letter window did not close after a key"
    click_at "$id" "$x" "$y"
    focus "$id"
    xdotool key Return
    sleep 1.2
    moves=$((moves + 1))
    step "move $moves: $mover at $c,$r"
    [ "$moves" -eq 1 ] && shoot_window "$server_id" net-05-after-first-move
    if [ "$(window_count "$server_pid")" -gt 1 ] && [ "$(window_count "$client_pid")" -gt 1 ]; then
        finished=yes
        break
    fi
done
[ -n "$finished" ] || fail "the game did not end on both sides after $moves moves"
[ "$moves" -eq 20 ] || fail "the game ended after $moves moves, expected 20"
shoot_window "$server_id" net-06-server-results
shoot_window "$client_id" net-07-client-results

# Both results tables show the same rows.
for side in server client; do
    if [ "$side" = server ]; then pid=$server_pid id=$server_id; else pid=$client_pid id=$client_id; fi
    focus "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$id\$" | head -n 1)"
    xdotool key Return
    sleep 0.5
    [ "$(window_count "$pid")" -eq 1 ] || fail "Enter did not close the $side's results"
    geometry "$id"
    import -window root -crop "262x318+$((gx + 344))+$((gy + gh - 364 + 23))" +repage \
        "$work/$side-table.png"
done
differ=$(compare -metric AE "$work/server-table.png" "$work/client-table.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the results tables differ in $differ pixels"
step "both programs show the same results"

for pid in $server_pid $client_pid; do kill "$pid"; done
wait "$server_pid" "$client_pid" 2>/dev/null || true
server_pid="" client_pid=""
echo "e2e network: 1 passed, 0 failed"
