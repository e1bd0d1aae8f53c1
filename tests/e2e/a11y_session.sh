# SPDX-License-Identifier: GPL-3.0-or-later
# What the accessibility runs share (sourced by tests/e2e/access.sh and tests/e2e/orca.sh, after
# harness.sh): a private session bus with the accessibility (AT-SPI) bus on it. Their start
# folder is harness.sh's make_stone_game.

# Starts the session bus and the AT-SPI bus launcher; sets bus_pid and a11y_pid (list them in
# e2e_pids) and exports what the game needs to talk to the bus.
start_a11y_session() {
    local launcher=/usr/libexec/at-spi-bus-launcher
    [ -x "$launcher" ] || fail "at-spi2-core is not installed (no $launcher)"
    dbus-daemon --session --address="unix:path=$work/bus" --fork --print-pid=3 \
        3>"$work/bus.pid" || fail "the session bus did not start"
    # shellcheck disable=SC2034  # e2e_end ends it
    bus_pid=$(cat "$work/bus.pid")
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    "$launcher" --launch-immediately >"$work/a11y.log" 2>&1 &
    # shellcheck disable=SC2034  # e2e_end ends it
    a11y_pid=$!
    local _
    for _ in $(seq 1 100); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
        sleep 0.1
    done
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 || {
        show_log "$e2e_label: the launcher said:" "$work/a11y.log"
        fail "no AT-SPI bus"
    }
    # Qt's bridge to the bus, on whatever the desktop settings say.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    export LC_ALL=C.UTF-8
    unset LANGUAGE
}
