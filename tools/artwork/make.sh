#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Redraws the shipped artwork: the styles in game/Styles and the window pictures in
# src/ui/images. Builds the generator first (build folder: $TESSAROON_BUILD_DIR or build/).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${TESSAROON_BUILD_DIR:-$top/build}
cmake --build "$build" --target tessaroon-artwork
QT_QPA_PLATFORM=offscreen "$build/src/ui/tessaroon-artwork" "$top/game/Styles" "$top/src/ui/images"
