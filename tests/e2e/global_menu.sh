#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game's menu bar on a desktop with a global menu, under Xvfb: a private session bus carries
# a stand-in registrar of global menus (tests/e2e/global_menu.cpp), to which a plain Qt menu bar
# goes, leaving its window; the game's owner-drawn bar must stay in the game's window, which is
# then 382 pixels high (364 without the bar), and must not be handed to the registrar.
# The screenshot goes to $TESSAROON_E2E_SCREENS (default <build-dir>/e2e-screens).
#
#   tests/e2e/global_menu.sh <build-dir>
set -euo pipefail

# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_pids="game_pid registrar_pid bus_pid"
e2e_begin "e2e global menu" "${1:-}" Xvfb xdotool import dbus-daemon
helper="$build/tests/e2e_global_menu"
[ -x "$helper" ] || fail "no stand-in at $helper"

start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    fail "Xvfb did not start on any free display number"
mkdir -p "$screens"

# A session bus of our own, and the stand-in registrar on it.
dbus-daemon --session --address="unix:path=$work/bus" --fork --print-pid=3 3>"$work/bus.pid" ||
    fail "the session bus did not start"
# shellcheck disable=SC2034  # e2e_end ends it
bus_pid=$(cat "$work/bus.pid")
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
"$helper" registrar >"$work/registrar.log" 2>&1 &
registrar_pid=$!
for _ in $(seq 1 100); do
    grep -q '^ready$' "$work/registrar.log" && break
    kill -0 "$registrar_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^ready$' "$work/registrar.log" || {
    show_log "$e2e_label: the stand-in registrar said:" "$work/registrar.log"
    fail "the stand-in registrar did not start"
}

# The stand-in works: a plain menu bar leaves its window for it.
probe=$("$helper" probe 2>"$work/probe.log") || true
[ "$probe" = global ] || fail "a plain menu bar stayed in its window ($probe): no global menu"
step "a plain Qt menu bar goes to the stand-in global menu"
sleep 0.5
handed=$(grep -c '^registered ' "$work/registrar.log" || true)

# The game keeps its bar.
cp -r "$top/game" "$work/game"
cd "$work/game"
start_program game ""
sleep 1
geometry "$main_id"
import -window root -crop "${gw}x${gh}+${gx}+${gy}" +repage "$screens/20-global-menu.png"
step "screenshot $screens/20-global-menu.png"
[ "$gw" -eq 627 ] || fail "main window width $gw, expected 627"
[ "$gh" -gt 364 ] || fail "main window ${gw}x${gh}: the menu bar left the window"
now=$(grep -c '^registered ' "$work/registrar.log" || true)
[ "$now" -eq "$handed" ] || fail "the game handed its menu bar to the global menu"
step "the game's menu bar stays in its ${gw}x${gh} window"
# The bar items hot under the pointer, each wide enough for its caption.
for item in 1 2; do
    xdotool mousemove $((gx + 20 + 45 * (item - 1))) $((gy + 8))
    sleep 0.4
    import -window root -crop "120x20+${gx}+${gy}" +repage "$screens/2$item-menu-bar-hot.png"
    step "screenshot $screens/2$item-menu-bar-hot.png"
done
echo "e2e global menu: 1 passed, 0 failed"
