# SPDX-License-Identifier: GPL-3.0-or-later
# A display of our own under Xvfb, for the end-to-end and install runs (sourced by them).

# Starts Xvfb with a screen of $3 (width x height x depth) on the first free display number from
# $1 to $2, its output in $4; sets xvfb_pid and exports DISPLAY for the Qt programs. Several runs
# may start at once on a shared machine: when another run takes a number first, or Xvfb is slow to
# come up, the next free number is tried. Returns 1 when none would start. The server does not
# reset when its last client leaves: a reset refuses the connections that come meanwhile, and a
# run starts one program right after another has ended.
start_display() {  # first last size log
    local n
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$3" -nolisten tcp -noreset >"$4" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 1 200); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
                unset XDG_RUNTIME_DIR
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    return 1
}

# Whether the display of start_display still answers.
display_alive() {
    [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null &&
        xdotool getdisplaygeometry >/dev/null 2>&1
}

# Prints file $2 to standard error under the heading $1, each line indented, so that a failed run
# shows what a program said before it ended.
show_log() {  # heading file
    echo "$1" >&2
    if [ -s "$2" ]; then sed 's/^/    | /' "$2" >&2; else echo "    (nothing)" >&2; fi
}

# A window's place and size: sets gx gy gw gh.
geometry() {  # window-id
    eval "$(xdotool getwindowgeometry --shell "$1")"
    gx=$X gy=$Y gw=$WIDTH gh=$HEIGHT
}
