#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of a game through a relay on one Xvfb display: `tessaroon-cli relay` on loopback;
# a host window chooses "Server", ticks "Host through a relay" and shows the room's code, which
# its "Copy" button puts on the clipboard; a client window pastes relay/code as its server and
# connects, and a `join` bot joins by the same code. The host seats both, sends the client a chat
# message, and host and client play a whole game by mouse and keys beside the bot and a computer
# seat; both windows end with the same results. Screenshots go to $TESSAROON_E2E_SCREENS (default
# <build-dir>/e2e-screens), named relay-*. Exits non-zero on any failure.
#
#   tests/e2e/relay.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
# shellcheck source=two_windows.sh
source "$(dirname "$0")/two_windows.sh"
e2e_pids="host_pid client_pid relay_pid bot_pid"
e2e_begin "e2e relay" "${1:-}" Xvfb xdotool import convert compare xclip
cli="$build/tessaroon-cli"
[ -x "$cli" ] || fail "no companion at $cli"

start_display 191 240 1280x800x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"

free_port() {
    local p
    for _ in $(seq 1 50); do
        p=$((20000 + RANDOM % 40000))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
            echo "$p"
            return 0
        fi
    done
    return 1
}
rport=$(free_port) || fail "no free port"
# The windows' own port stays clear of other runs too, though nobody listens on it here.
TESSAROON_PORT=$(free_port) || fail "no free port"
export TESSAROON_PORT

mkdir -p "$screens"
rm -f "$screens"/relay-*.png

"$cli" relay --port "$rport" >"$work/relay.log" 2>&1 &
relay_pid=$!
for _ in $(seq 1 50); do
    grep -q "relay listening" "$work/relay.log" && break
    sleep 0.1
done
grep -q "relay listening" "$work/relay.log" || fail "the relay did not start: $(cat "$work/relay.log")"

# Each window from a copy of the shipped start folder; the host's game has four seats.
start_side() {  # name
    cp -r "$top/game" "$work/$1"
    (cd "$work/$1" && exec "$program" >"$work/$1.log" 2>&1) &
}
cp -r "$top/game" "$work/host"
sed -i 's/^Count=2$/Count=4/' "$work/host/Tessaroon.ini"
(cd "$work/host" && exec "$program" >"$work/host.log" 2>&1) &
host_pid=$!
start_side client
client_pid=$!
host_id=$(wait_window "Tessaroon 2.1" 20 "$host_pid") || no_window host
client_id=$(wait_window "Tessaroon 2.1" 20 "$client_pid") || no_window client
xdotool windowmove "$host_id" 0 0
xdotool windowmove "$client_id" 640 400
sleep 0.5

# The host: "Server", then the relay's address and "Host through a relay"; the room opens.
host_options=$(open_options "$host_pid" "$host_id") || fail "F3 did not open the host's options"
click_at "$host_options" 35 103
click_at "$host_options" 230 136
xdotool key ctrl+a
xdotool type --delay 30 "127.0.0.1:$rport"
click_at "$host_options" 24 136
opened=""
for _ in $(seq 1 50); do
    grep -q "opened by" "$work/relay.log" && { opened=yes; break; }
    sleep 0.1
done
[ -n "$opened" ] || fail "the host opened no room at the relay: $(cat "$work/relay.log")"
sleep 0.5
shoot_window "$host_options" relay-01-host-room
# "Copy" puts relay/code on the clipboard.
click_at "$host_options" 266 190
target=""
for _ in $(seq 1 20); do
    target=$(timeout 2 xclip -o -selection clipboard -t UTF8_STRING 2>>"$work/xclip.log" || true)
    [ -n "$target" ] && break
    sleep 0.2
done
if [ -z "$target" ]; then
    timeout 2 xclip -o -selection clipboard -t TARGETS >>"$work/xclip.log" 2>&1 || true
    import -window root -crop "640x400+0+0" +repage "$screens/relay-01b-copy.png" || true
    show_log "e2e relay: xclip said:" "$work/xclip.log"
fi
[[ "$target" == "127.0.0.1:$rport/"????-????-????-????-????-???? ]] ||
    fail "Copy gave \"$target\", not the relay and a room code"
step "the room is $target"

# The client window: "Client", its name, relay/code pasted as the server, "Connect".
client_options=$(open_options "$client_pid" "$client_id") || fail "F3 did not open the client's options"
click_at "$client_options" 35 83
click_at "$client_options" 230 134
xdotool type --delay 40 Bob
click_at "$client_options" 230 160
xdotool key ctrl+v
click_at "$client_options" 255 188
connected=""
for _ in $(seq 1 40); do
    [ "$(grep -c "opened by" "$work/relay.log")" -ge 1 ] && [ "$(window_count "$client_pid")" -eq 2 ] &&
        [ -n "$(xdotool search --all --onlyvisible --pid "$client_pid" --name "^Game Options\$" 2>/dev/null)" ] &&
        connected=yes
    sleep 0.25
    [ -n "$connected" ] && break
done
sleep 1
shoot_window "$client_options" relay-02-client-connected
[ "$(window_count "$client_pid")" -eq 2 ] || fail "the client could not join the room"

# The join bot by the same code.
(cd "$work/client" && exec "$cli" join --relay "${target%/*}" --room "${target##*/}" --name Ann \
    --skill 3 >"$work/bot.log" 2>&1) &
bot_pid=$!
for _ in $(seq 1 100); do
    grep -q "waiting for a game" "$work/bot.log" && break
    sleep 0.1
done
grep -q "waiting for a game" "$work/bot.log" || fail "the join bot did not get in: $(cat "$work/bot.log")"
step "the join bot is in"

# The host seats Bob in row 2 and Ann in row 3 as Client seats.
click_at "$host_options" 88 16
for row in 2 3; do
    y=$((109 + 24 * (row - 2)))
    click_at "$host_options" 220 "$y"
    xdotool key Down Down Return
    sleep 0.4
    # The client names in the order they came: Bob, then Ann.
    click_at "$host_options" 110 "$y"
    if [ "$row" = 2 ]; then xdotool key Down; else xdotool key Down Down; fi
    sleep 0.4
done
shoot_window "$host_options" relay-03-host-seats
# Chat: the host tells Bob something; Bob's window shows it.
click_at "$host_options" 30 16
click_at "$host_options" 230 246
xdotool type --delay 30 "hello Bob"
click_at "$host_options" 250 274
got=""
for _ in $(seq 1 30); do
    [ "$(window_count "$client_pid")" -ge 3 ] && { got=yes; break; }
    sleep 0.2
done
[ -n "$got" ] || fail "the chat message did not reach the client window"
sleep 0.5
geometry "$client_id"
import -window root -crop "1280x800+0+0" +repage "$screens/relay-04-chat.png"
step "screenshot $screens/relay-04-chat.png"
box=$(xdotool search --onlyvisible --pid "$client_pid" 2>/dev/null | grep -v "^$client_id\$" |
    grep -v "^$client_options\$" | head -n 1)
focus "$box"
xdotool key Return
sleep 0.5

# Apply: the game starts on every side.
click_at "$host_options" 196 320
sleep 2
xdotool search --all --onlyvisible --pid "$host_pid" --name "^Game Options\$" >/dev/null 2>&1 &&
    fail "Apply did not close the host's options (were both seated?)"
shoot_window "$host_id" relay-05-host-game
shoot_window "$client_id" relay-06-client-game

# A whole game: host and Bob move by mouse and keys; Ann's bot and the computer by themselves.
moves=0
finished=""
while [ "$moves" -lt 14 ]; do
    mover=""
    for pass in 1 2 3 4 5 6; do
        for side in host client; do
            if [ "$side" = host ]; then pid=$host_pid id=$host_id; else pid=$client_pid id=$client_id; fi
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
        if [ "$(window_count "$host_pid")" -gt 1 ] && [ "$(window_count "$client_pid")" -gt 1 ]; then
            finished=yes
            break 2
        fi
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
    if [ "$(window_count "$host_pid")" -gt 1 ] && [ "$(window_count "$client_pid")" -gt 1 ]; then
        finished=yes
        break
    fi
done
if [ -z "$finished" ]; then
    for _ in $(seq 1 20); do
        [ "$(window_count "$host_pid")" -gt 1 ] && [ "$(window_count "$client_pid")" -gt 1 ] &&
            { finished=yes; break; }
        sleep 0.5
    done
fi
[ -n "$finished" ] || fail "the game did not end on both sides after $moves moves"
[ "$moves" -eq 10 ] || fail "the windows played $moves moves, expected 10 of 20"
shoot_window "$host_id" relay-07-host-results
shoot_window "$client_id" relay-08-client-results

for side in host client; do
    if [ "$side" = host ]; then pid=$host_pid id=$host_id; else pid=$client_pid id=$client_id; fi
    focus "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$id\$" | head -n 1)"
    xdotool key Return
    sleep 0.5
    [ "$(window_count "$pid")" -eq 1 ] || fail "Enter did not close the $side's results"
    geometry "$id"
    import -window root -crop "262x318+$((gx + 344))+$((gy + gh - 364 + 23))" +repage \
        "$work/$side-table.png"
done
differ=$(compare -metric AE "$work/host-table.png" "$work/client-table.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the results tables differ in $differ pixels"
step "both windows show the same results"
grep -q "Game over" "$work/bot.log" || fail "the join bot saw no end of the game: $(tail -n 3 "$work/bot.log")"
step "the join bot saw the game end"

for pid in $host_pid $client_pid $bot_pid $relay_pid; do kill "$pid" 2>/dev/null || true; done
wait "$host_pid" "$client_pid" "$bot_pid" "$relay_pid" 2>/dev/null || true
host_pid="" client_pid="" bot_pid="" relay_pid=""
echo "e2e relay: 1 passed, 0 failed"
