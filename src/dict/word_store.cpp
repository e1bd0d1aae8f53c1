// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/word_store.h"

#include <algorithm>
#include <iterator>
#include <system_error>

#include "base/letters.h"
#include "dict/compressed.h"
#include "fileio/read_limited.h"
#include "fileio/safe_write.h"

namespace tq {

namespace fs = std::filesystem;

void TDictInfo::SetAlphabetFromLanguage() {
    if (Language == 1) {
        FirstLetter = 192;
        LetterCount = 32;
    } else {
        FirstLetter = 65;
        LetterCount = 26;
    }
}

namespace {

bool LengthInRange(std::size_t n) {
    return n >= kMinWordLength && n <= kMaxWordLength;
}

// Sorts, drops duplicates (in any letter case) and merges `add` into `list`.
void MergeInto(std::vector<std::string>& list, std::vector<std::string>& add) {
    std::stable_sort(add.begin(), add.end(), TextLess{});
    add.erase(
        std::unique(add.begin(), add.end(),
                    [](const std::string& a, const std::string& b) { return SameText(a, b); }),
        add.end());
    if (list.empty()) {
        list = std::move(add);
        return;
    }
    std::vector<std::string> merged;
    merged.reserve(list.size() + add.size());
    auto a = list.begin();
    auto b = add.begin();
    while (a != list.end() || b != add.end()) {
        if (b == add.end() || (a != list.end() && CompareText(*a, *b) <= 0)) {
            if (b != add.end() && SameText(*a, *b)) ++b;
            merged.push_back(std::move(*a++));
        } else {
            merged.push_back(std::move(*b++));
        }
    }
    list = std::move(merged);
}

}  // namespace

void WordStore::AddWord(std::string_view word) {
    if (!LengthInRange(word.size())) return;
    auto& list = lists_[word.size() - kMinWordLength];
    if (list.empty() || CompareText(list.back(), word) < 0) {
        list.emplace_back(word);
        return;
    }
    auto it = std::lower_bound(list.begin(), list.end(), word, TextLess{});
    if (it != list.end() && SameText(*it, word)) return;
    list.insert(it, std::string(word));
}

void WordStore::AddWords(std::vector<std::string> words) {
    std::array<std::vector<std::string>, kMaxWordLength - kMinWordLength + 1> byLength;
    for (auto& w : words)
        if (LengthInRange(w.size())) byLength[w.size() - kMinWordLength].push_back(std::move(w));
    for (std::size_t i = 0; i < lists_.size(); ++i)
        if (!byLength[i].empty()) MergeInto(lists_[i], byLength[i]);
}

bool WordStore::ContainsWord(std::string_view word) const {
    if (!LengthInRange(word.size())) return false;
    const auto& list = lists_[word.size() - kMinWordLength];
    auto it = std::lower_bound(list.begin(), list.end(), word, TextLess{});
    return it != list.end() && SameText(*it, word);
}

int WordStore::WordCount(int length) const {
    if (length < kMinWordLength || length > kMaxWordLength) return 0;
    return static_cast<int>(lists_[length - kMinWordLength].size());
}

const std::string& WordStore::WordAt(int length, int index) const {
    return lists_[length - kMinWordLength].at(index);
}

const std::vector<std::string>& WordStore::WordsOfLength(int length) const {
    static const std::vector<std::string> kNone;
    if (length < kMinWordLength || length > kMaxWordLength) return kNone;
    return lists_[length - kMinWordLength];
}

std::size_t WordStore::TotalWords() const {
    std::size_t n = 0;
    for (const auto& l : lists_) n += l.size();
    return n;
}

int WordStore::ShortestLength() const {
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        if (WordCount(len) > 0) return len;
    return 0;
}

int WordStore::LongestLength() const {
    for (int len = kMaxWordLength; len >= kMinWordLength; --len)
        if (WordCount(len) > 0) return len;
    return 0;
}

void WordStore::Clear() {
    for (auto& l : lists_) l.clear();
}

namespace {

bool IsBlankOrControl(unsigned char c) {
    return c <= 32;
}

}  // namespace

Status ReadPlainWordList(const fs::path& file, WordStore& store, TDictInfo& info) {
    Result<std::string> read = ReadFileLimited(file, kMaxWordListSize);
    if (!read.ok()) return Status::Error(LoadFailure::IoError, read.message());
    std::string data = std::move(read).value();
    if (auto eof = data.find('\x1a'); eof != std::string::npos) data.resize(eof);

    std::vector<std::string> words;
    std::size_t pos = 0;
    bool firstLine = true;
    while (pos < data.size()) {
        std::size_t lf = data.find('\n', pos);
        if (lf == std::string::npos) lf = data.size();
        std::string_view line(data.data() + pos, lf - pos);
        if (auto cr = line.find('\r'); cr != std::string_view::npos) line = line.substr(0, cr);
        pos = lf + 1;

        if (firstLine) {
            firstLine = false;
            if (info.Language == 0) {
                if (line == "{rus}") {
                    info.Language = 1;
                } else if (line == "{eng}") {
                    info.Language = 2;
                } else {
                    return Status::Error(LoadFailure::Unusable, "");
                }
            }
            info.SetAlphabetFromLanguage();
            continue;
        }
        while (!line.empty() && IsBlankOrControl(line.front())) line.remove_prefix(1);
        while (!line.empty() && IsBlankOrControl(line.back())) line.remove_suffix(1);
        if (!LengthInRange(line.size())) continue;
        if (!std::all_of(line.begin(), line.end(),
                         [&](char c) { return info.IsLetter(static_cast<unsigned char>(c)); }))
            continue;
        words.emplace_back(line);
    }
    if (firstLine) {
        // An empty file has no marker line.
        if (info.Language == 0) return Status::Error(LoadFailure::Unusable, "");
        info.SetAlphabetFromLanguage();
    }
    store.AddWords(std::move(words));
    return Status::Ok();
}

Status LoadDictionary(const fs::path& dictsFolder, WordStore& store, TDictInfo& info) {
    if (info.DictName.empty()) info.DictName = "General_rus";
    store.Clear();
    info.Language = 0;
    info.Edition = 0;
    info.SecondNumber = 0;
    info.ShortestLen = info.LongestLen = 0;

    std::error_code ec;
    const fs::path compressed = dictsFolder / (info.DictName + ".tqd");
    // A compressed file that fails its checks counts as missing: the plain list, when there is
    // one, is read alone, and without either the dictionary is refused below.
    if (fs::exists(compressed, ec)) (void)ReadCompressedDictionary(compressed, store, info);

    const fs::path plain = dictsFolder / (info.DictName + ".txt");
    if (fs::exists(plain, ec)) {
        if (Status read = ReadPlainWordList(plain, store, info); !read.ok()) return read;
    }

    if (store.TotalWords() < kMinDictionaryWords) return Status::Error(LoadFailure::Unusable, "");
    info.ShortestLen = static_cast<uint8_t>(store.ShortestLength());
    info.LongestLen = static_cast<uint8_t>(store.LongestLength());
    return Status::Ok();
}

Status AppendToWordList(const fs::path& dictsFolder, const TDictInfo& info, std::string_view word) {
    const fs::path file = dictsFolder / (info.DictName + ".txt");
    Result<std::string> read = ReadFileLimited(file, kMaxWordListSize);
    if (!read.ok() && !read.Is(ReadFailure::Missing)) return read.status();
    const std::string data = read.ok() ? std::move(read).value() : std::string();
    // The reader stops at the first Ctrl-Z: the word goes before it, what follows stays.
    const std::size_t end = std::min(data.find('\x1a'), data.size());
    std::string text = data.substr(0, end);
    if (text.empty()) {
        // Line 1 is always the marker line, so a word there would never load.
        text = info.Language == 1 ? "{rus}\r\n" : "{eng}\r\n";
    } else if (text.back() != '\n') {
        // End the last line first, or the word would be glued to it.
        text += text.back() == '\r' ? "\n" : "\r\n";
    }
    text += word;
    text += "\r\n";
    text.append(data, end, std::string::npos);
    // The whole list is written anew and renamed into place: a failed write leaves it as it was.
    return WriteFileSafely(file, text, "the word list");
}

}  // namespace tq
