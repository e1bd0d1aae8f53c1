#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of what a word means and of the review's score chart under Xvfb, in English at
# scale 1 (the English dictionary, whose words come with explanations) and in Russian at scale 2
# (the Russian dictionary: no explanation, the Wiktionary choice): a game of two computer seats is
# played to its end, a double click on a word of the results table opens the small window of its
# meaning beside the table, off the field, and F8 opens the review with its chart. Screenshots go
# to $TESSAROON_E2E_SCREENS (default <build-dir>/e2e-screens), named explain-*.png. Exits non-zero
# on any failure.
#
#   tests/e2e/explain.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "e2e explain" "${1:-}" Xvfb xdotool import convert compare

start_display 151 200 2560x1600x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"
rm -f "$screens"/explain-*.png

differs() { # a b: how many pixels differ
    local d
    d=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    echo "${d%% *}"
}

run() { # language scale dictionary review-title
    local lang=$1 scale=$2 dict=$3 title=$4
    rm -rf "$work/game"
    cp -r "$top/game" "$work/game"
    cd "$work/game"
    sed -i "s/^Dict=.*/Dict=$dict\r/; s/^Language=.*/Language=$lang\r/; s/^Type1=.*/Type1=1\r/" \
        Tessaroon.ini
    printf '[Additional]\r\nComputerPace=0\r\n' >>Tessaroon.ini
    start_program "$lang" " ($lang, scale $scale)" --scale "$scale"
    client_y=$((win_y + win_h - 364 * scale))
    focus_main
    xdotool key F2
    # Two computer seats play the game to its end; the results close with Enter.
    for _ in $(seq 1 100); do
        [ "$(window_count)" -gt 1 ] && break
        sleep 0.2
    done
    [ "$(window_count)" -gt 1 ] || fail "the game of two computer seats did not end ($lang)"
    xdotool key Return
    sleep 0.5
    [ "$(window_count)" -eq 1 ] || fail "Enter did not close the results ($lang)"

    # A double click on the word of the results table's second row (the second seat's first move).
    import -window root "$work/before.png"
    xdotool mousemove $((client_x + 425 * scale)) $((client_y + 53 * scale))
    sleep 0.2
    xdotool click --repeat 2 --delay 80 1
    sleep 0.8
    import -window root "$work/after.png"
    [ "$(differs "$work/before.png" "$work/after.png")" -gt 0 ] ||
        fail "a double click on a word of the results table showed nothing ($lang)"
    # The window of the meaning stands off the field (the client area's left 344 pixels).
    local id shown=""
    for id in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
        [ "$id" = "$main_id" ] && continue
        geometry "$id"
        shown=yes
        [ "$gx" -ge $((client_x + 344 * scale)) ] || [ $((gx + gw)) -le "$client_x" ] ||
            [ "$gy" -ge $((client_y + 342 * scale)) ] ||
            fail "the meaning ($gx,$gy ${gw}x$gh) covers the field ($lang)"
    done
    [ -n "$shown" ] || fail "no window of the meaning ($lang)"
    step "the meaning stands beside the results table, off the field ($lang)"
    convert "$work/after.png" -crop "$((win_w + 700 * scale))x$((win_h + 40))+$win_x+$((win_y - 20))" \
        +repage "$screens/explain-$lang-$scale-meaning.png"
    step "screenshot $screens/explain-$lang-$scale-meaning.png"
    xdotool key Escape
    sleep 0.4

    # The word's context menu offers its meaning and its page; Esc closes it.
    local before
    before=$(window_count)
    xdotool mousemove $((client_x + 425 * scale)) $((client_y + 73 * scale))
    sleep 0.2
    xdotool click 3
    sleep 0.6
    [ "$(window_count)" -gt "$before" ] || fail "a right click on a results word opened no menu ($lang)"
    shoot "explain-$lang-$scale-menu"
    xdotool key Escape
    sleep 0.4
    [ "$(window_count)" -eq "$before" ] || fail "Esc did not close the word's menu ($lang)"

    focus_main
    xdotool key F8
    review_id=$(wait_window "$title" 10) || fail "F8 opened no review window ($lang)"
    sleep 0.8
    geometry "$review_id"
    import -window root -crop "${gw}x${gh}+${gx}+${gy}" +repage "$screens/explain-$lang-$scale-chart.png"
    step "screenshot $screens/explain-$lang-$scale-chart.png"
    leave_with_f6
}

run en 1 General_eng "Review"
run ru 2 General_rus "Разбор игры"
echo "e2e explain: 1 passed, 0 failed"
