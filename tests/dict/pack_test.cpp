// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "dict/compressed.h"
#include "dict/stream_reading.h"
#include "test_support.h"

namespace tq {
namespace {

// Kraft sum times 2^12: at most 4096 for a prefix code.
uint64_t KraftScaled(const std::vector<int>& lengths) {
    uint64_t sum = 0;
    for (int len : lengths)
        if (len > 0) sum += uint64_t{1} << (12 - len);
    return sum;
}

TEST(LimitedCodeLengths, StaysWithinTwoToTwelveBitsAndIsAPrefixCode) {
    // Fibonacci frequencies would give an unlimited Huffman code 31 bits deep.
    std::vector<uint64_t> fib = {0, 1, 1};
    while (fib.size() < 33) fib.push_back(fib[fib.size() - 1] + fib[fib.size() - 2]);
    const std::vector<std::vector<uint64_t>> cases = {
        fib,
        {0, 5},           // one letter
        {0, 1000, 1},     // two letters: a 1-bit code would never be matched
        {0, 3, 0, 3, 3},  // an unused letter gets no code
    };
    for (const auto& freq : cases) {
        const std::vector<int> lengths = LimitedCodeLengths(freq, 12);
        uint64_t usedLetters = 0;
        for (std::size_t i = 0; i < freq.size(); ++i) {
            if (freq[i] == 0) {
                EXPECT_EQ(lengths[i], 0);
                continue;
            }
            ++usedLetters;
            EXPECT_GE(lengths[i], 2);
            EXPECT_LE(lengths[i], 12);
        }
        EXPECT_LE(KraftScaled(lengths), 4096u);
        // The canonical codes are distinct and none is the beginning of another.
        const std::vector<uint32_t> codes = CanonicalCodes(lengths);
        for (std::size_t a = 0; a < freq.size(); ++a)
            for (std::size_t b = 0; b < freq.size(); ++b) {
                if (a == b || lengths[a] == 0 || lengths[b] == 0 || lengths[a] > lengths[b])
                    continue;
                EXPECT_NE(codes[b] >> (lengths[b] - lengths[a]), codes[a]) << a << " " << b;
            }
    }
    // With many letters the package-merge code is complete (no wasted pattern).
    EXPECT_EQ(KraftScaled(LimitedCodeLengths(fib, 12)), 4096u);
}

std::vector<std::string> AllWords(const WordStore& store) {
    std::vector<std::string> out;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        for (const auto& w : store.WordsOfLength(len)) out.push_back(w);
    return out;
}

WordStore RandomWords(int count, int minLen, int maxLen, uint8_t first, int letters, bool skewed,
                      unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<double> weights(letters);
    for (int i = 0; i < letters; ++i) weights[i] = skewed ? 1.0 / (1 << std::min(i, 20)) : 1.0;
    std::discrete_distribution<int> letter(weights.begin(), weights.end());
    std::uniform_int_distribution<int> length(minLen, maxLen);
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        std::string w(length(rng), ' ');
        for (char& c : w) c = static_cast<char>(first + letter(rng));
        words.push_back(w);
    }
    WordStore store;
    store.AddWords(std::move(words));
    return store;
}

TEST(PackDictionary, RoundTripsThroughTheDecoder) {
    struct Case {
        uint8_t language;
        WordStore store;
    };
    std::vector<Case> cases;
    // Russian with a steep letter distribution: codes reach 12 bits and split across words.
    cases.push_back({1, RandomWords(3000, 2, 30, 192, 32, true, 1)});
    cases.push_back({2, RandomWords(3000, 2, 12, 65, 26, false, 2)});
    cases.push_back({2, RandomWords(1, 5, 5, 65, 1, false, 3)});  // one word of one letter
    // Short words of few letters: short codes, and many of them would fit in the padding.
    for (unsigned seed = 10; seed < 40; ++seed)
        cases.push_back(
            {2, RandomWords(100 + seed, 2, 2 + seed % 5, 65, 2 + seed % 4, seed % 2 == 0, seed)});
    for (const Case& c : cases) {
        PackOptions options;
        options.Language = c.language;
        options.Edition = 63;
        options.SecondNumber = 17;
        const Result<std::vector<uint8_t>> packed = PackDictionary(c.store, options);
        ASSERT_TRUE(packed.ok()) << packed.message();
        EXPECT_EQ(packed->size() % 16, 0u);
        const Result<TqdContents> read = DecodeCompressedDictionary(*packed);
        ASSERT_TRUE(read.ok()) << read.message();
        const TqdContents& decoded = *read;
        EXPECT_EQ(decoded.Language, c.language);
        EXPECT_EQ(decoded.Edition, 63);
        EXPECT_EQ(decoded.SecondNumber, 17);
        EXPECT_EQ(decoded.WordCount(), c.store.TotalWords());
        WordStore back;
        AddDecodedWords(decoded, back);
        const std::vector<std::string> words = AllWords(c.store);
        EXPECT_EQ(AllWords(back), words);

        // Read to the end, the padding decodes to fewer letters than the longest word, so it
        // completes no word whatever length a reader expects after the last one.
        const test::StreamReading whole =
            test::ReadWholeStream(*packed, c.language == 1 ? 192 : 65);
        ASSERT_FALSE(whole.unmatched);
        EXPECT_LT(whole.leftBits, 12);
        ASSERT_GE(whole.letters.size(), decoded.letters.size());
        EXPECT_EQ(whole.letters.substr(0, decoded.letters.size()), decoded.letters);
        std::size_t longest = 0;
        for (const std::string& w : words) longest = std::max(longest, w.size());
        EXPECT_LT(whole.letters.size() - decoded.letters.size(), longest)
            << "padding letters: " << whole.letters.substr(decoded.letters.size());
    }
}

TEST(PackDictionary, RefusesWhatNoFileCanHold) {
    PackOptions english;
    english.Language = 2;
    // About 40000 random 30-letter words need more than 640000 bytes.
    const auto big = PackDictionary(RandomWords(40000, 30, 30, 65, 26, false, 4), english);
    EXPECT_FALSE(big.ok());
    EXPECT_NE(big.message().find("640000"), std::string::npos) << big.message();

    const auto crowded = PackDictionary(RandomWords(70000, 6, 6, 65, 26, false, 5), english);
    EXPECT_FALSE(crowded.ok());
    EXPECT_NE(crowded.message().find("65535"), std::string::npos) << crowded.message();

    WordStore foreign;
    foreign.AddWord("AB1");
    EXPECT_NE(PackDictionary(foreign, english).message().find("AB1"), std::string::npos);
}

TEST(PackDictionary, WritesNoLetterAfterTheLastWord) {
    // An exact stream: one 2-letter word of 2-bit codes takes 4 bits; the rest of the stream
    // word is padding and there is no further stream word.
    WordStore store;
    store.AddWord("AB");
    PackOptions english;
    english.Language = 2;
    const Result<std::vector<uint8_t>> packed = PackDictionary(store, english);
    ASSERT_TRUE(packed.ok());
    // 184 fixed words, 2 codes, 3 spare, 1 length entry, 1 stream word, 4 digest, and one
    // length entry for a length without words, so that the padding fits in the stream word.
    EXPECT_EQ(packed->size(), 196u * 4);
    const Result<TqdContents> decoded = DecodeCompressedDictionary(*packed);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded->letters, "AB");
}

// Lists with few words or none pack at once: no words give a valid file that reads back empty.
TEST(PackDictionary, EndsOnListsWithFewWordsOrNone) {
    struct Case {
        const char* list;
        std::vector<std::string> words;
    };
    const std::vector<Case> cases = {
        {"{eng}", {}},
        {"{eng}\r\n", {}},
        {"{rus}\r\n", {}},
        {"{eng}\r\nA1\r\nab\r\nX\r\n{eng}\r\n", {}},  // every line dropped
        {"{eng}\r\nQUIZ\r\n", {"QUIZ"}},
        {"{eng}\r\nAAAAAAAAAA\r\n", {"AAAAAAAAAA"}},
        {"{eng}\r\nAAA\r\n", {"AAA"}},
        {"{rus}\r\n\xC0\xC0\xC0\xC0\r\n", {"\xC0\xC0\xC0\xC0"}},
        {"{eng}\r\nZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ\r\n", {std::string(30, 'Z')}},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        test::WriteFile(dir / "list.txt", c.list);
        WordStore store;
        TDictInfo info;
        ASSERT_TRUE(ReadPlainWordList(dir / "list.txt", store, info).ok()) << c.list;
        PackOptions options;
        options.Language = info.Language;
        const Result<std::vector<uint8_t>> packed = PackDictionary(store, options);
        ASSERT_TRUE(packed.ok()) << c.list << ": " << packed.message();
        const Result<TqdContents> decoded = DecodeCompressedDictionary(*packed);
        ASSERT_TRUE(decoded.ok()) << c.list << ": " << decoded.message();
        EXPECT_EQ(decoded->Language, info.Language);
        WordStore back;
        AddDecodedWords(*decoded, back);
        EXPECT_EQ(AllWords(back), c.words) << c.list;
    }
}

}  // namespace
}  // namespace tq
