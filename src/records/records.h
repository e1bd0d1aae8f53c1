// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records: the rating of a finished rated game, the records file of each dictionary
// (Records/<DictName>.tqr, ten entry lines and a check line, CR LF line ends) and the end-of-game
// update that enters a new record.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/game_state.h"
#include "base/rules.h"
#include "base/status.h"
#include "dict/word_store.h"

namespace tq {

// The ten entry lines of a records file, best first: "<value> <summary> <name>".
using RecordLines = std::array<std::string, 10>;

// Weights of the computer skills 1..7 (index 0 unused).
inline constexpr std::array<int, 8> SkillWeights = {0, 1, 5, 12, 24, 42, 60, 100};

// The titles of a fresh table's entries: place 1, places 2 to 5 and places 6 to 10, in code page
// 1251.
struct RecordTitles {
    std::string_view Champion, Expert, Novice;
};
inline constexpr RecordTitles kEnglishRecordTitles{"Champion", "Expert", "Novice"};

// The ten lines of a fresh file: "1000 - Champion", "400 - Expert", ... "10 - Novice".
RecordLines DefaultRecordTable(const RecordTitles& titles = kEnglishRecordTitles);

// The finished game in one token: per seat "H-<total>," or "C<skill>-<total>,", then ColCount
// and RowCount run together, ",", and the eighth Directions character. Example: H-140,C3-90,55,0.
std::string GameSummary(const GameSettings& s, const GameState& state);

// The seat a rated game rates: the last Human seat among the seats in play, 0 when there is none.
int HumanSeat(const GameSettings& s);

// The weighted sum of the human seat's lead over every other seat in play: a lead counts with
// the weight of the seat's skill, a deficit with the weight of 8 - skill. 64-bit, so no lead can
// wrap around.
int64_t WeightedSum(const GameSettings& s, const GameState& state, int humanSeat);

// W x ColCount x RowCount divided by 25 under "11111111", else by 50, rounded to the nearest
// integer with exact halves going to the even neighbour; limited to the 32-bit range.
int32_t RecordValue(int64_t weightedSum, const GameSettings& s);

// The check line: eight upper-case hex digits of the second word of Digest128 over the language
// and edition as decimal numbers followed by the ten lines joined without separators.
std::string CheckLine(const RecordLines& lines, int language, int edition);
// The second form accepted when reading: the same digest word over the ten lines alone.
std::string CheckLineOfLines(const RecordLines& lines);

// Reads the text of a records file: the first 11 lines (a line ends at LF; a CR ends its text),
// valid when there are 11 and line 11 equals either check form. Later lines are ignored.
std::optional<RecordLines> ParseRecordsText(std::string_view text, int language, int edition);

// The most read of a records file: its first eleven lines must end within this many bytes. A
// table the game writes is under 1 KB.
inline constexpr std::size_t kMaxRecordsFileSize = 1u << 20;

// Reads a records file up to its eleventh line end, at most kMaxRecordsFileSize bytes: its
// lines, or nothing when it is missing, short or fails its check (a file the game may replace).
// A file that is there but is not a regular file, too large or not readable is a failure naming
// it: it is never replaced.
Result<std::optional<RecordLines>> LoadRecordsFile(const std::filesystem::path& file, int language,
                                                   int edition);

// Reads a records file; nullopt when it is missing, unreadable, short or fails its check.
std::optional<RecordLines> ReadRecordsFile(const std::filesystem::path& file, int language,
                                           int edition);

// Inserts "<value> <summary> <name>" above the first entry whose value is strictly less, pushing
// the entries below down and dropping the eleventh. An entry of equal value stays above. Returns
// the place taken, 1..10, or 0 when no entry is less (nothing changes). An entry whose value is
// not a whole number counts as less than any value.
int InsertRecord(RecordLines& lines, int32_t value, std::string_view summary,
                 std::string_view name);

// The whole file: the ten lines and the check line, each ending with CR LF.
std::string RecordsFileText(const RecordLines& lines, int language, int edition);

// Writes the file through a temporary file with a unique name in the same folder, synced and
// renamed over the old one with its mode kept, so a failed write leaves the old table whole.
// On failure the status holds a readable error; the folder Records is never created, and a
// read-only file is left alone.
Status WriteRecordsFile(const std::filesystem::path& file, const RecordLines& lines, int language,
                        int edition);

// A fresh table written before any game was played with the dictionary: its check line is the
// form over the lines alone, which holds whatever edition of the dictionary is read later. An
// existing file is never replaced; a missing folder Records is an error, as for any write.
Status WriteFreshRecordsFile(const std::filesystem::path& file, const RecordLines& lines);

// <recordsFolder>/<DictName>.tqr.
std::filesystem::path RecordsFilePath(const std::filesystem::path& recordsFolder,
                                      const TDictInfo& dict);

// The end-of-game update of a rated general-mode game: rates the game and, when its value is
// above 10 and beats an entry, writes the new table and sets State.NewRecordPlace. Returns the
// place the game entered, 1..10 (show the record table dialog), or 0 when it entered none; a
// failure when the folder Records is missing or the file could not be read or written (show
// it, then the results). A file that
// is missing or fails its check is replaced by the default table with the new entry; a file
// that is there but cannot be read is left alone and gives an error. The read, the insert and
// the write hold a lock on the folder Records, so programs updating one file at once each see
// the other's entry. Does nothing for a game that is not a rated general-mode game.
Result<int> UpdateRecords(const std::filesystem::path& recordsFolder, const TDictInfo& dict,
                          const GameSettings& settings, GameState& state);

// One row of the record table as shown: place, name and the value text.
struct RecordEntry {
    int Place = 0;
    std::string Name;
    std::string Value;
};

// Splits an entry line: the value is the text before the first space, the name what is left
// after the first two space-separated tokens.
RecordEntry SplitRecordLine(std::string_view line, int place);

// The current dictionary's table as the record dialog shows it: the file's entries, or the
// default table when the file is missing or damaged.
std::array<RecordEntry, 10> RecordTableForDisplay(const std::filesystem::path& recordsFolder,
                                                  const TDictInfo& dict);

}  // namespace tq
