// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/explanations.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "dict/cp1251.h"
#include "fileio/read_limited.h"

namespace tq {

namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kEntrySize = 44;
constexpr std::size_t kFirstWordSize = 32;

uint32_t Le32(std::span<const uint8_t> data, std::size_t at) {
    return uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 | uint32_t{data[at + 2]} << 16 |
           uint32_t{data[at + 3]} << 24;
}

Result<std::vector<std::string>> Damaged(const std::string& why) {
    return Result<std::vector<std::string>>::Error("the explanations are damaged: " + why);
}

struct Entry {
    std::string_view first;
    uint32_t offset, packed, plain;
};

Entry EntryAt(std::span<const uint8_t> data, std::size_t block) {
    const std::size_t at = kHeaderSize + block * kEntrySize;
    const char* word = reinterpret_cast<const char*>(data.data() + at);
    return {std::string_view(word, strnlen(word, kFirstWordSize)), Le32(data, at + 32),
            Le32(data, at + 36), Le32(data, at + 40)};
}

// Splits a line's glosses; false when there are too many, or one is empty, too long, not UTF-8
// or holds a control character.
bool SplitGlosses(std::string_view rest, std::vector<std::string>& out) {
    out.clear();
    for (;;) {
        const std::size_t tab = rest.find('\t');
        const std::string_view gloss = rest.substr(0, tab);
        if (gloss.empty() || gloss.size() > kMaxGlossBytes || out.size() == kMaxGlosses ||
            !IsValidUtf8(gloss))
            return false;
        for (const char ch : gloss)
            if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return false;
        out.emplace_back(gloss);
        if (tab == std::string_view::npos) return true;
        rest.remove_prefix(tab + 1);
    }
}

}  // namespace

std::filesystem::path ExplanationsFile(const std::filesystem::path& dictsFolder,
                                       const std::string& dictName) {
    return dictsFolder / (dictName + ".tqe");
}

Result<std::vector<std::string>> FindExplanation(std::span<const uint8_t> data,
                                                 std::string_view word) {
    if (data.size() > kMaxExplanationsSize) return Damaged("larger than 8 MB");
    if (data.size() < kHeaderSize || std::memcmp(data.data(), "TQEX", 4) != 0)
        return Damaged("not an explanations file");
    if (Le32(data, 4) != kExplanationsVersion) return Damaged("an unknown version");
    const std::size_t blocks = Le32(data, 8);
    if (blocks == 0 || blocks > kMaxExplanationBlocks) return Damaged("a wrong number of blocks");
    if (data.size() < kHeaderSize + blocks * kEntrySize) return Damaged("the table is cut off");
    if (word.empty() || word.size() >= kFirstWordSize) return std::vector<std::string>{};

    // The last block whose first word is not after the word.
    std::size_t low = 0, high = blocks;  // the block lies in [low, high)
    while (high - low > 1) {
        const std::size_t mid = low + (high - low) / 2;
        if (EntryAt(data, mid).first <= word)
            low = mid;
        else
            high = mid;
    }
    const Entry e = EntryAt(data, low);
    if (word < e.first) return std::vector<std::string>{};
    if (e.packed == 0 || e.packed > kMaxExplanationBlock || e.plain == 0 ||
        e.plain > kMaxExplanationBlock || e.offset > data.size() ||
        data.size() - e.offset < e.packed)
        return Damaged("a block lies outside the file");
    std::string text(e.plain, '\0');
    uLongf size = e.plain;
    if (::uncompress(reinterpret_cast<Bytef*>(text.data()), &size, data.data() + e.offset,
                     e.packed) != Z_OK ||
        size != e.plain)
        return Damaged("a block does not unpack");

    // The block's lines, in ascending order from its first word.
    std::string_view rest(text);
    std::string_view previous;
    std::vector<std::string> glosses;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) return Damaged("a line is cut off");
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return Damaged("a line without a gloss");
        const std::string_view key = line.substr(0, tab);
        if (key <= previous || (previous.empty() && key != e.first))
            return Damaged("the words are out of order");
        previous = key;
        if (key == word) {
            if (!SplitGlosses(line.substr(tab + 1), glosses)) return Damaged("a wrong gloss");
            return glosses;
        }
        if (key > word) break;
    }
    return std::vector<std::string>{};
}

Result<std::vector<std::string>> ReadExplanation(const std::filesystem::path& file,
                                                 std::string_view word) {
    const Result<std::string> read = ReadFileLimited(file, kMaxExplanationsSize);
    if (!read.ok()) return Result<std::vector<std::string>>::Error(read.message());
    const std::string& bytes = read.value();
    Result<std::vector<std::string>> found = FindExplanation(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), word);
    if (!found.ok())
        return Result<std::vector<std::string>>::Error(file.string() + ": " + found.message());
    return found;
}

std::string DictionaryWord(uint8_t language, std::string_view utf8) {
    std::string word;
    if (language == 1) {
        if (!Utf8ToCp1251(utf8, word)) return {};
        for (char& ch : word) {
            auto c = static_cast<unsigned char>(ch);
            if (c == 0xA8 || c == 0xB8) c = 0xC5;  // Ё ё as Е
            if (c >= 0xE0) c -= 0x20;
            if (c < 0xC0) return {};
            ch = static_cast<char>(c);
        }
    } else {
        word = std::string(utf8);
        for (char& ch : word) {
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
            if (ch < 'A' || ch > 'Z') return {};
        }
    }
    if (word.size() < 2 || word.size() > 30) return {};
    return word;
}

std::string LookUpAddress(uint8_t language, std::string_view word) {
    std::string lower(word);
    for (char& ch : lower) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z') ch = static_cast<char>(c - 'A' + 'a');
        if (language == 1 && c >= 0xC0 && c <= 0xDF) ch = static_cast<char>(c + 0x20);
    }
    const std::string text = language == 1 ? Cp1251ToUtf8(lower) : lower;
    std::string out =
        language == 1 ? "https://ru.wiktionary.org/wiki/" : "https://en.wiktionary.org/wiki/";
    static const char kHex[] = "0123456789ABCDEF";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace tq
