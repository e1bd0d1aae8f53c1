#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the shipped plain word lists into the game's compressed dictionaries:
# game/Dicts/General_rus.txt -> General_rus.tqd and General_eng.txt -> General_eng.tqd.
# Usage: tools/dicts/pack_dicts.sh [BUILD_DIR] [EDITION]
#   BUILD_DIR  a build folder holding tessaroon-cli (default: build); it is built when missing
#   EDITION    the dictionaries' edition number 0..63 (default: 0). The records files' check line
#              covers the edition, so a new edition makes existing record tables read as damaged
#              (they are replaced by the default table at the next record); 0 keeps the tables
#              written while the game read the plain lists alone.
# Run it after regenerate.sh, or whenever a plain list changes, and commit both files.
set -eu
HERE=$(dirname "$(realpath "$0")")
TOP=$(realpath "$HERE/../..")
BUILD=${1:-$TOP/build}
EDITION=${2:-0}
if [ ! -x "$BUILD/tessaroon-cli" ]; then
    cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" --target tessaroon-cli
fi
for name in General_rus General_eng; do
    "$BUILD/tessaroon-cli" dict pack "$TOP/game/Dicts/$name.txt" "$TOP/game/Dicts/$name.tqd" \
        --edition "$EDITION"
    "$BUILD/tessaroon-cli" dict verify "$TOP/game/Dicts/$name.tqd" >/dev/null
done
