#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game never waits inside itself: nothing in src/ lets events run from inside a command
# (processEvents, a QEventLoop of its own), sleeps the thread that runs the game, or runs one of the
# game's dialogs with exec(). Prints each offending line and fails when one comes back.
#
# Allowed: the programs' own event loops (app.exec() in main), the start-up box shown before the
# window exists, and the one place where the
# window runs the menu's dialogs (options, style, about, the colour dialog), which no game step
# waits for (RunModalAsIs in main_form.cpp).
src="${1:-$(dirname "$0")/../src}"
found=$(grep -rnE 'processEvents|QEventLoop|msleep|usleep|QThread::sleep|sleep_for|sleep_until|[.>]exec\(' \
    --include='*.cpp' --include='*.h' "$src" |
    grep -vE '/(ui|help)/main\.cpp:[0-9]+: *(return app\.exec\(\);|box\.exec\(\);)' |
    grep -vE '/ui/main_form\.cpp:[0-9]+: *const int result = dialog\.exec\(\); +// menu dialogs only')
if [ -n "$found" ]; then
    echo "The game must not wait inside itself; found:"
    echo "$found"
    exit 1
fi
echo "no nested event loop, sleep or dialog exec() in the game's code"
