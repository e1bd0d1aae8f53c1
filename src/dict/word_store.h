// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dictionary in memory: one sorted list per word length 2..30, filled once at start-up from
// the dictionary files in the folder Dicts, and the facts about it (TDictInfo).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace tq {

constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 30;
constexpr int kMinDictionaryWords = 100;

// The alphabet and the facts of the loaded dictionary.
struct TDictInfo {
    std::string DictName = "General_rus";
    uint8_t Language = 0;      // 0 not yet known, 1 Russian, 2 English
    uint8_t FirstLetter = 65;  // first capital of the alphabet
    uint8_t LetterCount = 26;  // number of capitals
    uint8_t Edition = 0;       // from the compressed file's header; 0 without one
    uint8_t SecondNumber = 0;  // the compressed header's second 6-bit number; kept, never used
    uint8_t ShortestLen = 0;   // shortest length with a word in the store
    uint8_t LongestLen = 0;    // longest length with a word in the store

    // Sets FirstLetter and LetterCount from Language: 1 gives 192 and 32, anything else 65 and 26.
    void SetAlphabetFromLanguage();
    // True when c is a capital of the alphabet in force.
    bool IsLetter(unsigned char c) const {
        return c >= FirstLetter && c < FirstLetter + LetterCount;
    }
};

class WordStore {
  public:
    // Puts a word into the list of its length; a word equal (in any letter case) to one held is
    // ignored, as is a word whose length is outside 2..30. Cheap when words arrive in order.
    void AddWord(std::string_view word);
    // Adds many words of any lengths at once (sorts and merges; duplicates dropped).
    void AddWords(std::vector<std::string> words);
    // Whether the word is held, in any letter case.
    bool ContainsWord(std::string_view word) const;
    int WordCount(int length) const;
    // The word at a position of its length's sorted list; index below WordCount(length).
    const std::string& WordAt(int length, int index) const;
    const std::vector<std::string>& WordsOfLength(int length) const;
    std::size_t TotalWords() const;
    int ShortestLength() const;  // 0 when empty
    int LongestLength() const;   // 0 when empty
    void Clear();

  private:
    std::array<std::vector<std::string>, kMaxWordLength - kMinWordLength + 1> lists_;
};

// Why a dictionary was not loaded.
enum class LoadFailure {
    Unusable = 1,  // no usable file, an unknown marker line, or fewer than 100 words; no message
    IoError,       // a file exists but could not be read; the message says why, naming it
};

// Fills the store and info from dictsFolder/<info.DictName>.tqd and then .txt. info.DictName
// must be set; an empty name is taken as "General_rus". The store is cleared first.
Status LoadDictionary(const std::filesystem::path& dictsFolder, WordStore& store, TDictInfo& info);

// The largest plain word list read: 16 MB, over twenty times the shipped Russian list. A larger
// file, or anything that is not a regular file, is an I/O error with a message.
inline constexpr std::size_t kMaxWordListSize = 16u << 20;

// Reads a plain word list into the store (the part of LoadDictionary after the compressed file).
// Fails as Unusable when the language is unknown and line 1 is not a marker.
Status ReadPlainWordList(const std::filesystem::path& file, WordStore& store, TDictInfo& info);

// Adds word + CR LF to dictsFolder/<DictName>.txt where the reader will find it: after the last
// line (ended first when it has no line end), before a Ctrl-Z end-of-file mark, and after the
// language's marker line when the list is missing or empty; every other byte stays. The list is
// replaced through a temporary file, so a failed write leaves it as it was. On failure the
// status holds a readable error.
Status AppendToWordList(const std::filesystem::path& dictsFolder, const TDictInfo& info,
                        std::string_view word);

}  // namespace tq
