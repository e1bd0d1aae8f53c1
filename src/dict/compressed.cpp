// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/compressed.h"

#include <algorithm>
#include <vector>

#include "base/letters.h"
#include "dict/digest.h"
#include "fileio/read_limited.h"

namespace tq {

namespace {

uint32_t WordAt(std::span<const uint8_t> data, std::size_t index) {
    const uint8_t* p = data.data() + 4 * index;
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// For every 12-bit window of the stream, the shortest code (2..12 bits) it begins with: the
// letter and the code length, or length 0 when no code matches. Trying the lengths 2..12 in turn
// on the window is exactly what this table answers in one lookup.
struct Decoder {
    std::array<uint8_t, 1 << kMaxCodeLength> letter{};
    std::array<uint8_t, 1 << kMaxCodeLength> length{};
};

}  // namespace

std::size_t TqdContents::WordCount() const {
    std::size_t n = 0;
    for (const Run& r : runs) n += r.count;
    return n;
}

Result<TqdContents> DecodeCompressedDictionary(std::span<const uint8_t> data) {
    TqdContents c;
    const std::size_t size = data.size();
    if (size > kMaxCompressedSize || size % 16 != 0)
        return Status::Error("the size is above 640000 bytes or not a multiple of 16");
    const std::size_t n = size / 4;
    if (n < kFirstCodeEntry + 3 + 4) return Status::Error("the file is too short for its header");

    std::vector<uint32_t> words(n);
    for (std::size_t i = 0; i < n; ++i) words[i] = WordAt(data, i);

    const Digest digest = Digest128(words, n / 4 - 1);
    for (int i = 0; i < 4; ++i)
        if (digest[i] != words[n - 4 + i]) return Status::Error("the digest does not match");

    const uint32_t header1 = words[kHeaderWord1];
    const uint32_t header2 = words[kHeaderWord2];
    c.Language = static_cast<uint8_t>(header1 >> 26);
    c.Edition = static_cast<uint8_t>((header1 >> 20) & 63);
    c.SecondNumber = static_cast<uint8_t>((header1 >> 14) & 63);
    const std::size_t codeCount = header2 >> 26;
    const std::size_t lengthCount = (header2 >> 20) & 63;
    const std::size_t firstLengthEntry = kFirstCodeEntry + codeCount + 3;
    const std::size_t streamBegin = firstLengthEntry + lengthCount;
    const std::size_t streamEnd = n - 4;
    if (streamBegin > streamEnd) return Status::Error("the code and length tables do not fit");

    TDictInfo alphabet;
    alphabet.Language = c.Language;
    alphabet.SetAlphabetFromLanguage();

    // Code tables for the lengths 1..12, entry 0 meaning no letter (a letter byte is never 0:
    // it is FirstLetter + index - 1 with FirstLetter 65 or 192 and index 0..63).
    std::array<std::vector<uint8_t>, kMaxCodeLength + 1> tables;
    for (int len = 1; len <= kMaxCodeLength; ++len) tables[len].assign(std::size_t{1} << len, 0);
    for (std::size_t e = kFirstCodeEntry; e < kFirstCodeEntry + codeCount; ++e) {
        const uint32_t entry = words[e];
        const int len = static_cast<int>((entry >> 21) & 31);
        if (len < 1 || len > kMaxCodeLength)
            return Status::Error("a code entry has a length outside 1..12");
        const uint32_t index = entry >> 26;
        const uint32_t value = entry & ((uint32_t{1} << len) - 1);
        tables[len][value] = static_cast<uint8_t>(alphabet.FirstLetter + index - 1);
    }

    std::array<std::size_t, kMaxWordLength + 1> counts{};
    for (std::size_t e = firstLengthEntry; e < streamBegin; ++e) {
        const uint32_t entry = words[e];
        const uint32_t len = entry >> 26;
        if (len < kMinWordLength || len > kMaxWordLength)
            return Status::Error("a length entry has a word length outside 2..30");
        counts[len] = (entry >> 10) & 0xFFFF;
    }

    // Codes of length 1 are never matched: the lengths 2..12 are tried, shortest first.
    Decoder dec;
    for (uint32_t window = 0; window < (1u << kMaxCodeLength); ++window) {
        for (int len = 2; len <= kMaxCodeLength; ++len) {
            const uint8_t letter = tables[len][window >> (kMaxCodeLength - len)];
            if (letter != 0) {
                dec.letter[window] = letter;
                dec.length[window] = static_cast<uint8_t>(len);
                break;
            }
        }
    }

    auto nextLength = [&counts](int from) {
        for (int len = from; len <= kMaxWordLength; ++len)
            if (counts[len] != 0) return len;
        return 0;  // every count used up: no more words
    };
    int current = nextLength(kMinWordLength);

    // The stream as one run of bits, codes continuing from one stream word into the next. `buf`
    // holds the next unread bits at its top; beyond the stream's end it reads zeros.
    std::size_t next = streamBegin;
    uint64_t buf = 0;
    std::size_t bufBits = 0;
    // At most one letter per two bits; written in place, trimmed at the end.
    c.letters.resize((streamEnd - streamBegin) * 16);
    char* out = c.letters.data();
    std::size_t wordLetters = 0;
    while (current != 0) {
        if (bufBits <= 32 && next < streamEnd) {
            buf |= uint64_t{words[next++]} << (32 - bufBits);
            bufBits += 32;
        }
        const std::size_t left = bufBits + (streamEnd - next) * 32;
        if (left == 0) break;
        const uint32_t window = static_cast<uint32_t>(buf >> (64 - kMaxCodeLength));
        const std::size_t len = dec.length[window];
        if (len == 0 || len > left) {
            // Fewer than 12 bits left that hold no whole code: the end of the stream. With 12
            // bits or more, a pattern that matches no code is damage.
            if (left >= kMaxCodeLength)
                return Status::Error("the code stream holds a pattern that matches no code");
            break;
        }
        buf <<= len;
        bufBits -= len;
        *out++ = static_cast<char>(dec.letter[window]);
        if (++wordLetters == static_cast<std::size_t>(current)) {
            wordLetters = 0;
            if (c.runs.empty() || c.runs.back().length != current) c.runs.push_back({current, 0});
            ++c.runs.back().count;
            if (--counts[current] == 0) current = nextLength(current + 1);
        }
    }
    c.letters.resize(static_cast<std::size_t>(out - c.letters.data()));
    // An unfinished word at the end is dropped.
    c.letters.resize(c.letters.size() - wordLetters);
    return c;
}

void AddDecodedWords(const TqdContents& contents, WordStore& store) {
    // Words whose bytes are all unchanged by case folding compare like their bytes, which is
    // quicker to test than the folding comparison the store uses.
    const bool byBytes = std::all_of(contents.letters.begin(), contents.letters.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return FoldLetter(c) == c;
    });
    std::vector<std::string> rest;
    contents.ForEachWord([&](std::string_view word) {
        const auto& list = store.WordsOfLength(static_cast<int>(word.size()));
        const bool inOrder = list.empty() || (byBytes ? std::string_view(list.back()) < word
                                                      : CompareText(list.back(), word) < 0);
        if (inOrder)
            store.AddWord(word);
        else
            rest.emplace_back(word);
    });
    if (!rest.empty()) store.AddWords(std::move(rest));
}

Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file, std::size_t maxSize) {
    // Only a regular file, and never more than maxSize bytes of it.
    const Result<std::string> read = ReadFileLimited(file, maxSize);
    if (!read.ok()) return read.status();
    return std::vector<uint8_t>(read->begin(), read->end());
}

Status ReadCompressedDictionary(const std::filesystem::path& file, WordStore& store,
                                TDictInfo& info) {
    const Result<std::vector<uint8_t>> data = ReadFileBytes(file, kMaxCompressedSize);
    if (!data.ok()) return data.status();
    const Result<TqdContents> decoded = DecodeCompressedDictionary(*data);
    if (!decoded.ok()) return Status::Error(file.string() + ": " + decoded.message());
    const TqdContents& contents = *decoded;
    info.Language = contents.Language;
    info.Edition = contents.Edition;
    info.SecondNumber = contents.SecondNumber;
    info.SetAlphabetFromLanguage();
    AddDecodedWords(contents, store);
    return Status::Ok();
}

}  // namespace tq
