// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli dict: builds, reads and checks compressed dictionary files (.tqd).
//   dict pack LIST.txt OUT.tqd [--edition N]   packs a plain word list
//   dict unpack FILE.tqd                        prints the words as a plain list
//   dict verify FILE.tqd                        runs the game's checks and prints the facts

#include <cstdio>
#include <iostream>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "dict/compressed.h"
#include "dict/pack.h"
#include "dict/word_store.h"
#include "fileio/read_limited.h"
#include "fileio/safe_write.h"

namespace tq::cli {

namespace {

const char* const kUsage =
    "usage: tessaroon-cli dict pack LIST.txt OUT.tqd [--edition N]\n"
    "       tessaroon-cli dict unpack FILE.tqd\n"
    "       tessaroon-cli dict verify FILE.tqd\n";

const char* const kHelp =
    "usage: tessaroon-cli dict pack LIST.txt OUT.tqd [--edition N]\n"
    "       tessaroon-cli dict unpack FILE.tqd\n"
    "       tessaroon-cli dict verify FILE.tqd\n"
    "Builds, reads and checks compressed dictionaries (.tqd).\n"
    "  pack     packs a plain word list (marker line {rus} or {eng}); edition 0..63, default 0\n"
    "  unpack   prints the words of a .tqd as a plain word list\n"
    "  verify   runs the game's checks and prints language, edition and word counts\n";

int Usage() {
    std::cerr << kUsage;
    return 2;
}

// An edition: one or two digits, 0..63.
Result<int> ParseEdition(const std::string& text) {
    const auto bad = [] { return Result<int>::Error("--edition needs a number 0..63"); };
    if (text.empty() || text.size() > 2) return bad();
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return bad();
        value = value * 10 + (c - '0');
    }
    if (value > 63) return bad();
    return value;
}

int Pack(const std::vector<std::string>& files, const std::string* editionText) {
    int edition = 0;
    if (editionText) {
        const Result<int> parsed = ParseEdition(*editionText);
        if (!parsed.ok()) {
            std::cerr << "dict pack: " << parsed.message() << "\n";
            return 2;
        }
        edition = *parsed;
    }
    if (files.size() != 2) return Usage();

    WordStore store;
    TDictInfo info;
    const Status read = ReadPlainWordList(files[0], store, info);
    if (read.Is(LoadFailure::IoError)) {
        std::cerr << "dict pack: " << read.message() << "\n";
        return 1;
    }
    if (!read.ok()) {
        std::cerr << "dict pack: " << files[0] << ": the first line must be {rus} or {eng}\n";
        return 1;
    }
    // The game starts with no fewer than 100 words; a file without any is a mistake, not a
    // dictionary, so none is written.
    if (store.TotalWords() == 0) {
        std::cerr << "dict pack: " << files[0]
                  << ": holds no words: after the marker line, each line is one word of 2 to 30 "
                     "capital letters of the list's alphabet\n";
        return 1;
    }
    PackOptions options;
    options.Language = info.Language;
    options.Edition = static_cast<uint8_t>(edition);
    const Result<std::vector<uint8_t>> packed = PackDictionary(store, options);
    if (!packed.ok()) {
        std::cerr << "dict pack: " << files[0] << ": " << packed.message() << "\n";
        return 1;
    }
    // Through a temporary file and a rename: a failed write leaves an older .tqd whole.
    const Status written = WriteFileSafely(
        files[1], std::string_view(reinterpret_cast<const char*>(packed->data()), packed->size()),
        "the compressed dictionary");
    if (!written.ok()) {
        std::cerr << "dict pack: " << written.message() << "\n";
        return 1;
    }
    std::cout << files[1] << ": " << store.TotalWords() << " words, " << packed->size()
              << " bytes\n";
    if (store.TotalWords() < kMinDictionaryWords)
        std::cerr << "dict pack: note: the game starts only with " << kMinDictionaryWords
                  << " words or more, this file and the plain list beside it together\n";
    return 0;
}

// A plain word list opens with its language marker line: what "dict pack" takes, not a .tqd.
bool IsPlainWordList(const std::string& file) {
    const Result<std::string> head = ReadFileLinesLimited(file, 1, 64);
    return head.ok() && (head->starts_with("{rus}") || head->starts_with("{eng}"));
}

// Reads and decodes a file; prints the reason and what to do, and returns false when it fails.
bool Decode(const std::string& file, TqdContents& contents) {
    if (IsPlainWordList(file)) {
        std::cout << file
                  << ": a plain word list, not a compressed dictionary: pass a .tqd file, or "
                     "pack the list into one first (tessaroon-cli dict pack "
                  << file << " OUT.tqd)\n";
        return false;
    }
    const Result<std::string> read = ReadFileLimited(file, kMaxCompressedSize);
    if (!read.ok()) {
        std::cout << read.message() << " Pass a compressed dictionary (.tqd), such as "
                  << "Dicts/General_eng.tqd in the game's start folder.\n";
        return false;
    }
    const std::vector<uint8_t> data(read->begin(), read->end());
    Result<TqdContents> decoded = DecodeCompressedDictionary(data);
    if (!decoded.ok()) {
        std::cout << file << ": fails the game's checks: " << decoded.message() << "\n";
        return false;
    }
    contents = std::move(decoded).value();
    return true;
}

int Unpack(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    TqdContents contents;
    if (!Decode(args[0], contents)) return 1;
    WordStore store;
    AddDecodedWords(contents, store);
    std::string out = contents.Language == 1 ? "{rus}\r\n" : "{eng}\r\n";
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        for (const std::string& w : store.WordsOfLength(len)) out += w + "\r\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Verify(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    TqdContents contents;
    if (!Decode(args[0], contents)) return 1;
    WordStore store;
    AddDecodedWords(contents, store);
    const char* name = contents.Language == 1   ? " (Russian)"
                       : contents.Language == 2 ? " (English)"
                                                : " (unknown; the English alphabet)";
    std::cout << args[0] << ": passes the game's checks\n"
              << "Language=" << int(contents.Language) << name << "\n"
              << "Edition=" << int(contents.Edition) << "\n"
              << "Words=" << store.TotalWords() << "\n";
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        if (store.WordCount(len) > 0)
            std::cout << "Length" << len << "=" << store.WordCount(len) << "\n";
    return 0;
}

int Dict(const std::vector<std::string>& args) {
    const Result<Arguments> parsed = ParseArguments(args, {{"--edition", true}});
    if (!parsed.ok()) {
        // The one option's own message, as before it was parsed for the whole command.
        if (parsed.message() == "--edition needs a value")
            std::cerr << "dict pack: --edition needs a number 0..63\n";
        else
            std::cerr << "tessaroon-cli dict: " << parsed.message() << "\n" << kUsage;
        return 2;
    }
    const std::vector<std::string>& words = parsed->positional;
    if (words.empty()) return Usage();
    const std::vector<std::string> files(words.begin() + 1, words.end());
    const std::string* edition = nullptr;
    for (const auto& [name, value] : parsed->options) edition = &value;  // the last one counts
    if (words[0] == "pack") return Pack(files, edition);
    if (edition) return Usage();  // only pack takes an edition
    if (words[0] == "unpack") return Unpack(files);
    if (words[0] == "verify") return Verify(files);
    return Usage();
}

const CommandRegistrar kDict(
    "dict", "dict                 pack, unpack or verify a compressed dictionary (.tqd)", Dict,
    kHelp);

}  // namespace

}  // namespace tq::cli
