#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# usage: make_en_explain.py LIST.txt OUT.tqe   (BLOCK_WORDS=N in the environment: words a block
# holds, 512 by default)
# Writes the explanations of the English list's words: for each word, the glosses (definitions
# without their examples) of its first one or two meanings in WordNet's order of senses, taken
# only from the meanings that made it a word of the list (a common noun, neither a named entity
# nor an obscenity or slur): TYRE is a hoop that covers a wheel, not the port in Lebanon.
#
# The file (all numbers 32-bit little-endian):
#   header  "TQEX", version 1, number of blocks (1..4096), number of words
#   table   per block: its first word (NUL-padded to 32 bytes), offset in the file, packed size,
#           plain size (each block at most 256 KiB packed and plain)
#   blocks  zlib streams, each of lines "WORD<TAB>gloss[<TAB>gloss]<LF>" (UTF-8, words in the
#           list's byte order, strictly ascending across the file)
# The game reads the table and the one block that may hold a word (src/dict/explanations.h).
import os, struct, sys, zlib

import wordnet_nouns

LIST, OUT = sys.argv[1], sys.argv[2]
GLOSSES = 2          # meanings a word keeps
BLOCK_WORDS = int(os.environ.get("BLOCK_WORDS", 512))    # words a block holds


def definition(gloss):
    """The gloss without its examples: 'hoop that covers a wheel; "automobile tires"' ->
    'hoop that covers a wheel'."""
    text = gloss.split('; "', 1)[0].split(';"', 1)[0]
    return ' '.join(text.replace('\t', ' ').split()).rstrip(';: ')


common = {}  # offset -> (lower-case spellings, definition) of the common meanings
for offset, kind, words, gloss in wordnet_nouns.synsets():
    if kind == 'common':
        common[offset] = ({w for w in words if wordnet_nouns.common_noun(w)}, definition(gloss))
senses = {}  # lemma -> its noun synsets in WordNet's order of senses (most frequent first)
for line in open(wordnet_nouns.INDEX, encoding='latin-1'):
    if line.startswith(' '):
        continue
    f = line.split()
    senses[f[0]] = f[-int(f[2]):]

words = [w.strip() for w in open(LIST, encoding='ascii') if w.strip() and not w.startswith('{')]
lines, missing = [], 0
for word in sorted(set(words)):
    glosses = []
    for offset in senses.get(word.lower(), []):
        spellings, text = common.get(offset, ((), ''))
        if word.lower() in spellings and text and text not in glosses:
            glosses.append(text)
        if len(glosses) == GLOSSES:
            break
    if glosses:
        lines.append('\t'.join([word] + glosses) + '\n')
    else:
        missing += 1

table, blocks, offset = [], [], 0
for i in range(0, len(lines), BLOCK_WORDS):
    part = lines[i:i + BLOCK_WORDS]
    plain = ''.join(part).encode('utf-8')
    packed = zlib.compress(plain, 9)
    table.append((part[0].split('\t', 1)[0].encode('ascii'), len(packed), len(plain)))
    blocks.append(packed)
start = 16 + 44 * len(table)
out = [b'TQEX' + struct.pack('<III', 1, len(table), len(lines))]
for first, packed, plain in table:
    out.append(first.ljust(32, b'\0') + struct.pack('<III', start + offset, packed, plain))
    offset += packed
out += blocks
with open(OUT, 'wb') as fh:
    fh.write(b''.join(out))
print('explained words: %d, without a meaning: %d, %d bytes' % (len(lines), missing,
      sum(map(len, out))), file=sys.stderr)
