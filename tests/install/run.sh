#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built game into a temporary prefix and checks it as a player's desktop and a
# packager would: the files are where Linux puts them, a build as the run command makes installs
# the same files, the desktop entry and the AppStream metainfo validate, the manual pages render,
# both programs tell their version, an installed game started outside a start folder makes the
# player's own folder under the XDG data home and keeps a changed file on its next start, the
# installed game starts under Xvfb there and shows its window, and the Debian package builds,
# holds the same files, passes lintian and its programs are hardened and stripped. Exits non-zero
# on any failure.
#
#   tests/install/run.sh <build-dir>
set -euo pipefail

# shellcheck source=../e2e/display.sh
source "$(dirname "$0")/../e2e/display.sh"

top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
app_id=org.tessaroon.Tessaroon
# Debian's places for a game's data (its programs are in games/).
data=share/games/tessaroon

fail() {
    echo "install: FAILED: $*" >&2
    exit 1
}
step() { echo "install: $*"; }

for tool in desktop-file-validate appstreamcli rsvg-convert man dpkg-deb cpack lintian readelf Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "${help_pid:-}" ] && kill "$help_pid" 2>/dev/null || true
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Installing into a temporary prefix.
prefix=$work/prefix/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install"; }
installed=(
    games/tessaroon games/tessaroon-cli games/tessaroon-help
    $data/Tessaroon.ini
    $data/Dicts/General_rus.tqd $data/Dicts/General_rus.txt
    $data/Dicts/General_rus.LICENSE.txt
    $data/Dicts/General_eng.tqd $data/Dicts/General_eng.txt $data/Dicts/General_eng.tqe
    $data/Dicts/General_eng.SCOWL-LICENSE.txt
    $data/Dicts/General_eng.WordNet-LICENSE.txt
    $data/Styles/Marble.ini $data/Styles/Marble_bg01.jpg
    $data/Styles/Granite.ini $data/Styles/Malachite_fc01.bmp
    $data/Records
    share/applications/$app_id.desktop
    share/metainfo/$app_id.metainfo.xml
    share/icons/hicolor/16x16/apps/$app_id.png share/icons/hicolor/256x256/apps/$app_id.png
    share/icons/hicolor/scalable/apps/$app_id.svg
    share/man/man6/tessaroon.6.gz share/man/man6/tessaroon-cli.6.gz share/man/man6/tessaroon-help.6.gz
    share/man/ru/man6/tessaroon.6.gz
    share/doc/tessaroon/copyright share/doc/tessaroon/changelog.Debian.gz
    share/doc/tessaroon/README.md share/doc/tessaroon/docs/playing.md
    lib/systemd/system/tessaroon-relay.service
)
# The help file and its viewer, when the build makes them.
help=""
if [ -f "$build/help/Tessaroon.chm" ] && [ -x "$build/src/ui/tessaroon-help" ]; then
    help=yes
    installed+=($data/Tessaroon.chm $data/Tessaroon.ru.chm)
fi
for f in "${installed[@]}"; do
    [ -e "$prefix/$f" ] || fail "cmake --install did not install $f"
done
[ -z "$(ls -A "$prefix/$data/Records")" ] || fail "records of a developer's games were installed"
step "installed into $prefix"

# The run command builds only the game and the companion, in a build folder without tests or
# benchmarks: an install right after it installs the same files, and an install from a build that
# lacks a file it needs stops before installing anything. The folder lies beside the build folder
# and is kept, so that a later check builds only what changed; with the build folder's compiler
# settings and the compiler cache's base in the source tree, its compiles are cache hits.
run_build=$build-run
werror=$(sed -n 's/^TESSAROON_WERROR:BOOL=//p' "$build/CMakeCache.txt")
cmake -S "$top" -B "$run_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSAROON_BUILD_TESTS=OFF \
    -DTESSAROON_BUILD_BENCH=OFF -DTESSAROON_WERROR="${werror:-OFF}" >"$work/run-build.log" 2>&1 ||
    { cat "$work/run-build.log" >&2; fail "configuring a build as the run command does"; }
rm -f "$run_build/dist/man/tessaroon.6.gz"
if cmake --install "$run_build" --prefix "$work/unfinished/usr" >"$work/unfinished.log" 2>&1; then
    fail "an install from a build without tessaroon.6.gz went through"
fi
grep -q "is not built" "$work/unfinished.log" ||
    { cat "$work/unfinished.log" >&2; fail "an install from an unfinished build did not say what is missing"; }
[ -z "$(find "$work/unfinished" -type f 2>/dev/null)" ] ||
    fail "an install from an unfinished build installed $(find "$work/unfinished" -type f | head -n 3)"
CCACHE_BASEDIR=$top cmake --build "$run_build" -j "$(nproc)" --target tessaroon tessaroon-cli \
    >>"$work/run-build.log" 2>&1 ||
    { tail -n 40 "$work/run-build.log" >&2; fail "building the game and the companion as the run command does"; }
cmake --install "$run_build" --prefix "$work/run-prefix/usr" >"$work/run-install.log" 2>&1 ||
    { cat "$work/run-install.log" >&2; fail "cmake --install after building as the run command does"; }
diff <(cd "$prefix" && find . | sort) <(cd "$work/run-prefix/usr" && find . | sort) >"$work/run-install.diff" ||
    { cat "$work/run-install.diff" >&2; fail "an install after building as the run command does differs"; }
step "an install right after the run command's build installs the same files"

# The desktop entry and the metainfo.
desktop-file-validate "$prefix/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo does not validate"
# (The validator fails on an error: on a metainfo without its id, for one.)
sed 's|<id>.*</id>||' "$prefix/share/metainfo/$app_id.metainfo.xml" >"$work/no-id.metainfo.xml"
if appstreamcli validate --no-net "$work/no-id.metainfo.xml" >/dev/null 2>&1; then
    fail "appstreamcli validate passes a metainfo without an id"
fi
for shot in $(sed -n 's|.*<image[^>]*>.*/\([^/<]*\)</image>.*|\1|p' \
    "$prefix/share/metainfo/$app_id.metainfo.xml"); do
    [ -f "$top/dist/screenshots/$shot" ] || fail "the metainfo names a screenshot $shot that dist/screenshots lacks"
done
# The scalable icon draws.
rsvg-convert -w 64 -h 64 "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" -o "$work/icon.png" ||
    fail "the scalable icon does not draw"
step "the desktop entry and the metainfo validate, the icon draws"

# The manual pages render, without warnings.
for page in tessaroon tessaroon-cli tessaroon-help; do
    file=$prefix/share/man/man6/$page.6.gz
    text=$(MANWIDTH=80 man --warnings -l "$file" 2>"$work/man.err") || fail "man -l $file"
    [ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "warnings rendering $page(6)"; }
    grep -q "^NAME" <<<"$text" || fail "$page(6) has no NAME section"
    grep -q "$page - " <<<"$text" || fail "$page(6) does not name $page"
    grep -q "$version" <<<"$text" || fail "$page(6) does not carry the version $version"
done
# The game's Russian page, rendered as a Russian reader gets it.
file=$prefix/share/man/ru/man6/tessaroon.6.gz
text=$(LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>"$work/man.err") || fail "man -l $file"
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "warnings rendering the Russian tessaroon(6)"; }
grep -q "^ИМЯ" <<<"$text" || fail "the Russian tessaroon(6) has no ИМЯ section"
grep -q "tessaroon - игра в слова" <<<"$text" || fail "the Russian tessaroon(6) does not name tessaroon"
grep -q "$version" <<<"$text" || fail "the Russian tessaroon(6) does not carry the version $version"
# Both pages of the game tell the same: the scale option, the keys, the data folder, the viewer.
for lang in "" ru/; do
    text=$(LANG=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/${lang}man6/tessaroon.6.gz")
    for said in --scale F1 F7 F8 "tessaroon-help(6)" "/usr/$data"; do
        grep -qF -- "$said" <<<"$text" || fail "the ${lang}tessaroon(6) does not say $said"
    done
    ! grep -qF "$data/tessaroon" <<<"$text" || fail "the ${lang}tessaroon(6) names a $data/tessaroon"
done
step "the manual pages render"

# Both programs tell their version, without a display.
[ "$(env -u DISPLAY "$prefix/games/tessaroon" --version)" = "tessaroon $version" ] ||
    fail "tessaroon --version"
[ "$("$prefix/games/tessaroon-cli" --version)" = "tessaroon-cli $version" ] ||
    fail "tessaroon-cli --version"
step "tessaroon --version and tessaroon-cli --version"

# The player's own start folder: made on the first start outside a start folder, kept after.
# The first start gives it the dictionary of the interface's language: the shipped settings as
# they are under a Russian locale, the English dictionary under any other.
mkdir -p "$work/home"
cd "$work/home"
for locale in en_US.UTF-8 C de_DE.UTF-8; do
    export XDG_DATA_HOME=$work/xdg-$locale
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=$locale "$prefix/games/tessaroon" --start-folder >/dev/null ||
        fail "the first start under $locale"
    grep -qx "Dict=General_eng" "$XDG_DATA_HOME/tessaroon/Tessaroon.ini" ||
        fail "the first start under $locale did not choose the English dictionary"
done
export XDG_DATA_HOME=$work/xdg
own=$XDG_DATA_HOME/tessaroon
[ "$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=ru_RU.UTF-8 "$prefix/games/tessaroon" --start-folder)" = "$own" ] ||
    fail "the first start did not choose $own"
for f in Dicts/General_rus.tqd Dicts/General_eng.txt Styles/Marble.ini; do
    cmp -s "$prefix/$data/$f" "$own/$f" || fail "the first start did not copy $f"
done
# The Russian folder's settings are the shipped ones but for the seats' Russian names (code page
# 1251).
diff <(grep -av '^Name[0-9]=' "$prefix/$data/Tessaroon.ini") \
    <(grep -av '^Name[0-9]=' "$own/Tessaroon.ini") >/dev/null ||
    fail "the first start did not copy Tessaroon.ini"
LC_ALL=C grep -q "^Name1=$(printf 'Игрок' | iconv -f UTF-8 -t CP1251)" "$own/Tessaroon.ini" ||
    fail "the first start under a Russian locale did not give the seats Russian names"
[ -d "$own/Records" ] || fail "the first start did not make Records"
if [ -n "$help" ]; then
    [ "$(readlink -f "$own/Tessaroon.chm")" = "$(readlink -f "$prefix/$data/Tessaroon.chm")" ] ||
        fail "the player's Tessaroon.chm is not the shipped help file"
    [ "$(readlink -f "$own/Tessaroon.ru.chm")" = "$(readlink -f "$prefix/$data/Tessaroon.ru.chm")" ] ||
        fail "the player's Tessaroon.ru.chm is not the shipped Russian help file"
fi
# The words' explanations are the game's: a link that follows its updates.
[ "$(readlink -f "$own/Dicts/General_eng.tqe")" = "$(readlink -f "$prefix/$data/Dicts/General_eng.tqe")" ] ||
    fail "the player's General_eng.tqe is not the shipped explanations file"
# The player plays in English, adds a word and removes a style.
sed -i 's/^Dict=.*/Dict=General_eng/' "$own/Tessaroon.ini"
"$prefix/games/tessaroon-cli" define tyre | grep -q "hoop that covers a wheel" ||
    fail "the installed tessaroon-cli explains no word"
words_before=$("$prefix/games/tessaroon-cli" info | sed -n 's/^WordCount=//p') ||
    fail "the installed tessaroon-cli does not read $own"
printf 'QUUXWORD\r\n' >>"$own/Dicts/General_eng.txt"
cp "$own/Tessaroon.ini" "$work/changed.ini"
cp "$own/Dicts/General_eng.txt" "$work/changed.txt"
rm "$own/Styles/Granite.ini"
[ "$("$prefix/games/tessaroon" --start-folder)" = "$own" ] || fail "the second start did not choose $own"
cmp -s "$own/Tessaroon.ini" "$work/changed.ini" || fail "the second start replaced the changed settings"
cmp -s "$own/Dicts/General_eng.txt" "$work/changed.txt" || fail "the second start replaced the added word"
[ -f "$own/Styles/Granite.ini" ] || fail "the second start did not bring back a removed file"
# The installed companion reads the same folder, the added word included.
info=$("$prefix/games/tessaroon-cli" info)
grep -qx "Dict=General_eng" <<<"$info" || fail "the installed tessaroon-cli does not read $own"
grep -qx "WordCount=$((words_before + 1))" <<<"$info" ||
    fail "the added word is not read again: $words_before words before, then $(grep WordCount <<<"$info")"
# Started from a folder of its own, the game keeps it.
mkdir -p "$work/mine/Dicts"
[ "$(cd "$work/mine" && "$prefix/games/tessaroon" --start-folder)" = "$work/mine" ] ||
    fail "a start from a folder holding Dicts did not keep it"
step "the player's start folder is made, then kept"

# The installed game, started outside a start folder, shows its window and plays there.
# A display of our own.
start_display 141 190 1024x768x24 "$work/xvfb.log" ||
    { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
cd "$work/home"
"$prefix/games/tessaroon" >"$work/game.log" 2>&1 &
game_pid=$!
main_id=""
for _ in $(seq 1 300); do
    main_id=$(xdotool search --onlyvisible --name "^Tessaroon $version\$" 2>/dev/null | head -n 1 || true)
    [ -n "$main_id" ] && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$main_id" ]; then
    show_log "install: the installed game showed no window; its output:" "$work/game.log"
    display_alive || show_log "install: the X display has gone away:" "$work/xvfb.log"
    fail "the installed game showed no window"
fi
[ "$(readlink "/proc/$game_pid/cwd")" = "$own" ] || fail "the installed game does not play in $own"
cmp -s "$own/Tessaroon.ini" "$work/changed.ini" || fail "the game's start replaced the changed settings"
# Its windows carry the class the desktop entry names.
xdotool search --class '^Tessaroon$' 2>/dev/null | grep -qx "$main_id" ||
    fail "the window's class is not Tessaroon, as StartupWMClass says"
if [ -n "${TESSAROON_E2E_SCREENS:-}" ] || [ -d "$build/e2e-screens" ]; then
    screens=${TESSAROON_E2E_SCREENS:-$build/e2e-screens}
    import -window "$main_id" "$screens/20-installed.png" 2>/dev/null && step "screenshot $screens/20-installed.png"
fi
# F1 opens the installed help viewer on the help file.
if [ -n "$help" ]; then
    xdotool windowfocus --sync "$main_id" 2>/dev/null || true
    xdotool key F1
    # The viewer is started detached: find it by its program file (other runs may have theirs).
    help_id=""
    help_pid=""
    for _ in $(seq 1 150); do
        for proc in /proc/[0-9]*; do
            if [ "$(readlink "$proc/exe" 2>/dev/null)" = "$prefix/games/tessaroon-help" ]; then
                help_pid=${proc#/proc/}
            fi
        done
        [ -n "$help_pid" ] && help_id=$(xdotool search --onlyvisible --pid "$help_pid" 2>/dev/null | head -n 1 || true)
        [ -n "$help_id" ] && break
        sleep 0.1
    done
    [ -n "$help_id" ] || fail "F1 in the installed game showed no help window"
    kill "$help_pid" 2>/dev/null || true
    help_pid=""
    step "F1 opened the installed help viewer"
fi
xdotool windowfocus --sync "$main_id" 2>/dev/null || true
xdotool key F6
for _ in $(seq 1 50); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "F6 did not end the installed game"
wait "$game_pid" || fail "the installed game ended with status $?"
game_pid=""
step "the installed game showed its window in $own"

# The Debian package.
mkdir -p "$work/pkg"
(cd "$build" && cpack -G DEB -B "$work/pkg") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(ls "$work/pkg"/tessaroon_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no tessaroon_*.deb"
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./||; s|/$||' >"$work/contents"
for f in "${installed[@]}"; do
    grep -qx "usr/$f" "$work/contents" || fail "the package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libjpeg62-turbo libc6 qt6-qpa-plugins; do
    grep -q "\b$d\b" <<<"$depends" || fail "the package does not depend on $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
# Debian's package checker finds no error and no warning (an override names its reason beside it,
# dist/lintian-overrides).
# Among its notes, none says that a program lacks a hardening Debian's build flags give or carries
# a section Debian strips.
lintian --fail-on error,warning --display-level ">=info" "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian reports errors or warnings on $(basename "$deb")"; }
if grep -E "hardening-|binary-has-unneeded-section" "$work/lintian.log" >&2; then
    fail "lintian finds a program of $(basename "$deb") unhardened or unstripped"
fi
step "lintian finds no error or warning in $(basename "$deb"), and no program unhardened"
dpkg-deb -x "$deb" "$work/unpacked"
# Its programs are linked and stripped as Debian's are: relocations read-only and resolved at
# start, no .comment section (lintian above looks for the checked string functions).
for program in tessaroon tessaroon-cli tessaroon-help; do
    readelf -W -d -l -S "$work/unpacked/usr/games/$program" >"$work/readelf.txt" ||
        fail "readelf cannot read the packaged $program"
    grep -q "BIND_NOW" "$work/readelf.txt" || fail "$program is not linked with -z now"
    grep -q "GNU_RELRO" "$work/readelf.txt" || fail "$program is not linked with -z relro"
    ! grep -q " \.comment " "$work/readelf.txt" || fail "$program keeps its .comment section"
done
# Unpacked anywhere, its game finds its shipped files.
export XDG_DATA_HOME=$work/xdg2
[ "$(cd "$work/home" && env -u DISPLAY "$work/unpacked/usr/games/tessaroon" --start-folder)" = "$XDG_DATA_HOME/tessaroon" ] ||
    fail "the packaged game did not make its start folder"
[ -f "$XDG_DATA_HOME/tessaroon/Dicts/General_rus.tqd" ] || fail "the packaged game copied no dictionary"
step "$(basename "$deb") holds every installed file; Depends: $depends"

echo "install: 1 passed, 0 failed"
