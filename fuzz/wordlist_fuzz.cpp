// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the plain word list. The first byte picks the language already known (from a
// compressed file) or none; the rest is the file. Every word read must be a line of the file
// (trimmed) of 2 to 30 letters of the alphabet; a word a player confirms and appends must be
// there at the next reading, with every word read before.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dict/word_store.h"
#include "fuzz_checks.h"
#include "fuzz_files.h"

namespace {

bool IsLine(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const bool startsLine = at == 0 || static_cast<unsigned char>(text[at - 1]) <= 32;
        const std::size_t end = at + word.size();
        const bool endsLine = end == text.size() || static_cast<unsigned char>(text[end]) <= 32;
        if (startsLine && endsLine) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const uint8_t language = data[0] % 3;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const auto folder = fuzz::ScratchFolder();
    const auto file = fuzz::ScratchFile("Mine.txt");
    fuzz::WriteBytes(file, text);
    tq::TDictInfo info;
    info.DictName = "Mine";
    info.Language = language;
    tq::WordStore store;
    const tq::Status read = tq::ReadPlainWordList(file, store, info);
    if (!read.ok()) {
        Require(language == 0 && store.TotalWords() == 0);
        return 0;
    }
    Require(info.Language == 1 || info.Language == 2);
    for (int len = tq::kMinWordLength; len <= tq::kMaxWordLength; ++len)
        for (const std::string& w : store.WordsOfLength(len)) {
            Require(static_cast<int>(w.size()) == len);
            Require(std::all_of(w.begin(), w.end(), [&](char c) {
                return info.IsLetter(static_cast<unsigned char>(c));
            }));
            Require(IsLine(text, w));
        }

    // A confirmed word, made of the alphabet's last letters.
    std::string word(2 + text.size() % 5,
                     static_cast<char>(info.FirstLetter + info.LetterCount - 1));
    word[0] = static_cast<char>(info.FirstLetter + text.size() % info.LetterCount);
    Require(tq::AppendToWordList(folder, info, word).ok());
    tq::TDictInfo again;
    again.Language = language;
    tq::WordStore after;
    Require(tq::ReadPlainWordList(file, after, again).ok());
    Require(after.ContainsWord(word));
    for (int len = tq::kMinWordLength; len <= tq::kMaxWordLength; ++len)
        for (const std::string& w : store.WordsOfLength(len)) Require(after.ContainsWord(w));
    return 0;
}
