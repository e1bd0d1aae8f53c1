# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end runs share (sourced by them, with display.sh): the start of a run, and the
# helpers that find, start, shoot and click the game's main window on the display.

# shellcheck source=display.sh
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

# Sets top, build (the folder $2, by default <top>/build), program and screens; checks that the
# tools $3... and the program are there; makes the folder work. fail and step write lines that
# begin with $1. When the run ends, however it ends, work is removed and the processes whose ids
# stand in xvfb_pid and in the variables named in e2e_pids (by default game_pid) are ended.
e2e_begin() {  # label build-dir tool...
    e2e_label=$1
    top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    build=$(cd "${2:-$top/build}" && pwd)
    program="$build/src/ui/tessaroon"
    screens=${TESSAROON_E2E_SCREENS:-$build/e2e-screens}
    shift 2
    local tool pid
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    [ -x "$program" ] || fail "no program at $program"
    e2e_pids=${e2e_pids:-game_pid}
    for pid in $e2e_pids xvfb_pid; do printf -v "$pid" '%s' ""; done
    work=$(mktemp -d)
    trap e2e_end EXIT
}

e2e_end() {
    local pid
    for pid in $e2e_pids xvfb_pid; do
        if [ -n "${!pid}" ]; then kill "${!pid}" 2>/dev/null || true; fi
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}

fail() {
    echo "$e2e_label: FAILED: $*" >&2
    exit 1
}
step() { echo "$e2e_label: $*"; }

# Waits up to $2 seconds (default 10) for a visible window with the exact title $1, of process $3
# when given; prints its id.
wait_window() {  # title [seconds [pid]]
    local title=$1 limit=${2:-10} id=""
    local -a of=()
    [ -n "${3:-}" ] && of=(--all --pid "$3")
    for _ in $(seq 1 $((limit * 10))); do
        id=$(xdotool search "${of[@]}" --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 ||
            true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# The number of visible windows of process $1 (default the game).
# shellcheck disable=SC2120
window_count() { xdotool search --onlyvisible --pid "${1:-$game_pid}" 2>/dev/null | wc -l; }

# Starts the program with the arguments $3... in the current folder, its output to
# $work/<log>.log, and waits for its main window; sets game_pid, main_id, the window's place and
# size and the client area's corner. A program that shows no window has its output shown, and the
# X server's when the display no longer answers; $2 says what the start was for.
start_program() {  # log what-for [argument...]
    local log=$1 what=$2
    shift 2
    "$program" "$@" >"$work/$log.log" 2>&1 &
    game_pid=$!
    if ! main_id=$(wait_window "Tessaroon 2.1" 20); then
        show_log "$e2e_label: the program showed no main window$what; its output:" "$work/$log.log"
        display_alive || show_log "$e2e_label: the X display has gone away:" "$work/xvfb.log"
        fail "the main window did not appear$what"
    fi
    sleep 0.3
    geometry "$main_id"
    win_x=$gx win_y=$gy win_w=$gw win_h=$gh
    client_x=$win_x
    client_y=$((win_y + win_h - 364))
}

# Ends the program with F6, which it must obey within five seconds with status 0.
leave_with_f6() {
    focus_main
    xdotool key F6
    for _ in $(seq 1 50); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then fail "F6 did not end the program"; fi
    wait "$game_pid" || fail "the program ended with status $?"
    game_pid=""
    step "the program ended after F6"
}

focus_main() {
    xdotool windowfocus --sync "$main_id" 2>/dev/null || true
    sleep 0.2
}

# Screenshot of the area of the main window (with whatever pops up over it).
shoot() {  # name
    sleep 0.4
    import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$screens/$1.png"
    step "screenshot $screens/$1.png"
}

# Click at client coordinates of the main window.
click_client() {  # x y [button]
    xdotool mousemove $((client_x + $1)) $((client_y + $2))
    sleep 0.15
    xdotool click "${3:-1}"
}

# A rectangle of the client area (x y w h) as the picture $work/<name>.png.
grab() {  # x y w h name
    import -window root -crop "$3x$4+$((client_x + $1))+$((client_y + $2))" +repage "$work/$5.png"
}

# How many pixels of a client-area rectangle (x y w h) are mostly red, as the first seat's moves
# are written (colour red 128).
red_pixels() {  # x y w h
    grab "$@" part
    convert "$work/part.png" -fx '(r>0.35 && g<0.25 && b<0.25) ? 1 : 0' \
        -format '%[fx:round(mean*w*h)]' info:
}

# Cells of a 5 x 5 field: column c, row r at client (90 + 33c, 89 + 33r); the initial word fills
# row 2. The cells off that row, in the order a human's letter is tried, and letters to put.
candidates="0,1 4,1 1,1 3,1 2,1 0,3 4,3 1,3 3,3 2,3 0,0 4,0 1,0 3,0 2,0 0,4 4,4 1,4 3,4 2,4"
letters=(f e n b k d r t l v j)

# Clicks cells until one opens the letter window; sets opened ("c,r") and x y (its client
# coordinates). The cells are $3 (default the candidates of a 5 x 5 field), column c, row r at
# client (left + 33c, top + 33r), left and top $4 and $5 (default those of a 5 x 5 field). A slow
# computer move holds the window: the cells are tried $2 times (default 3), $1 seconds apart.
# Returns 1 when none opened.
open_letter_window() {  # pause [passes [cells [left top]]]
    local cells=${3:-$candidates} left=${4:-90} top=${5:-89} cell c r before
    opened=""
    for _ in $(seq 1 "${2:-3}"); do
        for cell in $cells; do
            c=${cell%,*} r=${cell#*,}
            x=$((left + 33 * c + 16)) y=$((top + 33 * r + 16))
            before=$(window_count)
            click_client "$x" "$y"
            sleep 0.3
            if [ "$(window_count)" -gt "$before" ]; then
                opened="$c,$r"
                return 0
            fi
        done
        sleep "$1"
    done
    return 1
}

# The start folder $work/game for a game of a human (Ann) against a computer player at skill 1 on
# a 5 x 5 field, with an English dictionary whose only five-letter word is STONE, so that every
# game starts with S T O N E in the middle row, and AS is a word to make; the other words are too
# long for the field.
make_stone_game() {
    mkdir -p "$work/game/Dicts"
    cp -r "$top/game/Styles" "$top/game/Records" "$work/game/"
    {
        echo "{eng}"
        echo "STONE"
        echo "AS"
        for a in A B C D E F G H I J K; do
            for b in A B C D E F G H I J; do echo "QUIZZED$a$b"; done
        done
    } >"$work/game/Dicts/Keys_eng.txt"
    cat >"$work/game/Tessaroon.ini" <<'INI'
[General]
Dict=Keys_eng
Style=Marble

[Players]
Count=2
Name1=Ann
Name2=Computer
Type1=0
Type2=1
Skill2=1

[Field]
ColCount=5
RowCount=5
INI
}
