// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks of what a peer sends, before any of it is applied. A peer is untrusted: a line that
// reads well may still name a cell off the field, a letter of another alphabet, or points it did
// not earn.

#include <string>

#include "core/game_model.h"
#include "core/net_sender.h"

namespace tq::net {

// Whether a client's "GetMyMove/" is a move an honest client can make as the current seat in
// the game as it stands. It checks only what every client of the game shares with the server:
// the new cell on the field, empty and next to a letter; the letter in the alphabet; the chain a
// legal chain of the game's rules through the new cell that spells the word (a joker cell stands
// for any letter); for a word of two or more letters its length within the rules, not among the
// used words as the client holds them (the initial word as placed, with its '?', where the server
// holds the drawn one), and not readable on the field already (unless re-formed words are
// allowed); for a letter placed alone, the chain that one cell. The award must be one the clock
// settings can give, and the seat's three counters must have grown by exactly the word's points
// and the award. Whether the word is in a dictionary is the mover's business: the client's
// dictionary may differ from this one, and its player may accept unknown words.
bool IsLegalRemoteMove(const GameModel& model, const MoveReport& move);

// Whether a move from the server can be applied here: the new cell on the field and empty, the
// letter in the alphabet, the chain's cells on the field, and a word of alphabet letters.
bool IsApplicableMove(const GameModel& model, const MoveReport& move);

enum class NewGameVerdict {
    Ok,
    Malformed,      // values no game of this program has: the line is dropped
    OtherAlphabet,  // the initial word holds letters outside this dictionary's alphabet
};

// Whether a received "NewGame///" can be played here: the settings rules (seat count, field
// size, words per move and the fair-turn rule, word lengths, directions, clock values, seat
// names, types and skills) and an initial word of exactly one row of this alphabet's letters (a
// joker only when the joker is on).
NewGameVerdict CheckNewGame(const NewGameContent& game, const TDictInfo& dict);

}  // namespace tq::net
