// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file Tessaroon.ini: reading every key with its default and fallback, the
// consistency rules, and "Save". Unknown keys, other sections, comments and edits made to the
// file while the program ran survive a save.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/rules.h"
#include "base/status.h"
#include "dict/word_store.h"
#include "settings/ini_document.h"

namespace tq {

// The largest settings or style colour file read; a real one is well under 4 KB.
inline constexpr std::size_t kMaxIniFileSize = 1u << 20;

// The settings or a style's colour file: an INI document read once, and written by Save, which
// reads the file again first and gives only the keys written since their values, so that every
// other line of the file, edits made while the program ran included, stays as it is.
class IniFile {
  public:
    // Reads the file when it exists; a missing or unreadable file reads as empty. A file that
    // exists but cannot be read (not a regular file, larger than kMaxIniFileSize, no
    // permission) also sets ReadError, and Save then refuses to replace it.
    explicit IniFile(std::filesystem::path path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    const IniDocument& Document() const { return doc_; }
    bool HasKey(std::string_view section, std::string_view key) const;
    // The value's bytes (a value in double quotes without them), or def.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // A text such as a player's name, in code page 1251: a value in UTF-8 is converted
    // (TextFromIni), one in code page 1251 taken as it is.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view def) const;
    // Decimal integer; a missing key, or text that is not a whole number, gives def.
    long ReadInteger(std::string_view section, std::string_view key, long def) const;
    // Any non-zero integer is true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // A code page 1251 text, written in UTF-8 when the file already holds UTF-8 text and as it
    // is otherwise, so that the file keeps one encoding.
    void WriteText(std::string_view section, std::string_view key, std::string_view text);
    void WriteInteger(std::string_view section, std::string_view key, long value);
    // Why an existing file could not be read; empty when it was read or is missing.
    const std::string& ReadError() const { return readError_; }
    // Reads the file again, gives the keys written since the last save their values, and
    // writes it through a temporary file and a rename, so a failed save leaves the old file
    // whole. `what` names the file in an error. On failure the writes stay pending for the
    // next save.
    Status Save(std::string_view what = "the settings file");

  private:
    struct Write {
        std::string section, key, value;
        bool text;  // a code page 1251 text, encoded as the file is
    };
    void Apply(IniDocument& doc, const Write& w) const;

    std::filesystem::path path_;
    IniDocument doc_;
    std::vector<Write> pending_;
    std::string readError_;
};

// Directions as read: a value whose length is not 8, or "00000000", becomes "11111111"; then
// every character other than '0' becomes '1'.
std::string NormaliseDirections(std::string_view value);

// Seconds for one move in a rated game: the nearest integer to sqrt(cols * rows) * 4 / 5, times 30.
int RatedMoveTime(int cols, int rows);

// The fair-turn rule: the free cells must divide evenly into rounds.
bool FairTurn(int cols, int rows, int count, int wordsPerMove);

// The rated-game rules: one Human seat, fixed rule values and the move-time formula.
void ApplyRatedRules(GameSettings& s, const TDictInfo& dict);

// Min above max lowered, the fair-turn rule, then (when rated) the rated-game rules.
void ApplyConsistencyRules(GameSettings& s, const TDictInfo& dict);

// Reads every section with its defaults and fallbacks, then applies the consistency rules.
GameSettings ReadSettings(const IniFile& ini, const TDictInfo& dict);

// The dictionary and style names of section General ("General_rus" and "Marble" by default;
// an empty Dict also gives "General_rus").
std::string ReadDictName(const IniFile& ini);
std::string ReadStyleName(const IniFile& ini);

// The window scale: the factor by which the whole window, its dialogs, pictures and fonts are
// drawn larger, from 1 to 3 in steps of a quarter.
inline constexpr double kMinScale = 1.0;
inline constexpr double kMaxScale = 3.0;
// A scale as written ("1.5", "2", "1.25"): nullopt for anything else, a value off the quarter
// steps or out of range included.
std::optional<double> ParseScale(std::string_view text);

// The relay key's value as the settings keep it: without blanks around it; empty for one too long
// or holding a blank, a control or a non-ASCII character.
std::string MendedRelay(std::string_view text);
// Additional/Scale: 1 when missing or not a valid scale.
double ReadScale(const IniFile& ini);

// "Save": writes the values in their fixed order, seats 1..Count only, and saves the file.
Status SaveSettings(IniFile& ini, const GameSettings& s);

}  // namespace tq
