# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of the end-to-end runs with two program windows on one display (sourced after
# harness.sh): find a window, click in it, open its options, shoot it.

no_window() {  # name: the program of that name showed no window
    show_log "$e2e_label: the $1's output:" "$work/$1.log"
    display_alive || show_log "$e2e_label: the X display has gone away:" "$work/xvfb.log"
    fail "no $1 window"
}
shoot_window() {  # window-id name
    geometry "$1"
    sleep 0.3
    import -window root -crop "${gw}x${gh}+${gx}+${gy}" +repage "$screens/$2.png"
    step "screenshot $screens/$2.png"
}
click_at() {  # window-id x y: client coordinates of a dialog, or of a main window's client area
    geometry "$1"
    local top=$gy
    [ "$gh" -gt 364 ] && [ "$gw" -eq 627 ] && top=$((gy + gh - 364))
    xdotool mousemove $((gx + $2)) $((top + $3))
    sleep 0.15
    xdotool click 1
    sleep 0.25
}
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 0.2
}
open_options() {  # pid window-id; prints the dialog's id
    focus "$2"
    xdotool key F3
    wait_window "Game Options" 5 "$1"
}
