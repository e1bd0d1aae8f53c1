#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the shipped plain word lists game/Dicts/General_rus.txt (Russian nouns, code page
# 1251) and game/Dicts/General_eng.txt (English nouns) from their public sources: OpenCorpora
# (npm package az 0.2.3) and Debian's wordnet-base, scowl and hunspell-ru, and the English words'
# explanations game/Dicts/General_eng.tqe from WordNet. Needs root for apt-get and the npm
# registry. Takes about half a minute.
set -eu
HERE=$(dirname "$(realpath "$0")")
TOP=$(realpath "$HERE/../..")
apt-get install -y --no-install-recommends wordnet-base scowl hunspell-ru >/dev/null
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
(cd "$TMP" && npm pack --silent az@0.2.3 >/dev/null && tar -xzf az-0.2.3.tgz)
python3 "$HERE/make_ru.py" "$TMP/package/dicts" "$TMP/ru.txt"
python3 "$HERE/make_en.py" "$TMP/en.txt" 70
# The game's plain list: the language marker line, then one word a line, CR LF line ends.
{ printf '{rus}\r\n'; sed 's/$/\r/' "$TMP/ru.txt"; } > "$TOP/game/Dicts/General_rus.txt"
{ printf '{eng}\r\n'; sed 's/$/\r/' "$TMP/en.txt"; } > "$TOP/game/Dicts/General_eng.txt"
python3 "$HERE/make_en_explain.py" "$TMP/en.txt" "$TOP/game/Dicts/General_eng.tqe"
cp /usr/share/doc/wordnet-base/copyright "$TOP/game/Dicts/General_eng.WordNet-LICENSE.txt"
cp /usr/share/doc/scowl/copyright "$TOP/game/Dicts/General_eng.SCOWL-LICENSE.txt"
echo "General_rus.txt: $(($(wc -l < "$TOP/game/Dicts/General_rus.txt") - 1)) words"
echo "General_eng.txt: $(($(wc -l < "$TOP/game/Dicts/General_eng.txt") - 1)) words"
