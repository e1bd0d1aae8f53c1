# SPDX-License-Identifier: GPL-3.0-or-later
# The noun meanings (synsets) of WordNet 3.0 that may make a word of the English list, shared by
# the list (make_en.py) and its explanations (make_en_explain.py), so both take a word from the
# same meanings.
import re

DATA = '/usr/share/wordnet/data.noun'
INDEX = '/usr/share/wordnet/index.noun'
VULGAR = {'07124340', '06718862'}  # usage: obscenity, ethnic slur


def synsets(path=DATA):
    """Yields (offset, kind, words, gloss) for every noun synset: kind is 'named' for an instance
    (a named person, place or thing), 'vulgar' for a meaning marked obscenity or ethnic slur, and
    'common' otherwise; words are spelled as the synset spells them."""
    for line in open(path, encoding='latin-1'):
        if line.startswith(' '):  # licence
            continue
        head, _, gloss = line.partition(' | ')
        f = head.split()
        wc = int(f[3], 16)
        words = [re.sub(r'\(.*\)$', '', f[4 + 2 * k]) for k in range(wc)]
        p = 4 + 2 * wc
        ptrs = [(f[p + 1 + 4 * k], f[p + 2 + 4 * k]) for k in range(int(f[p]))]
        if any(s == '@i' for s, _ in ptrs):  # instance = named entity
            kind = 'named'
        elif any(s == ';u' and t in VULGAR for s, t in ptrs):
            kind = 'vulgar'
        else:
            kind = 'common'
        yield f[0], kind, words, gloss.strip()


def common_noun(word):
    """Whether a synset's spelling of a word makes a word of the list: lower case = common noun."""
    return re.fullmatch('[a-z]{2,30}', word) is not None
