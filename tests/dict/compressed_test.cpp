// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/compressed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dict/digest.h"
#include "dict/stream_reading.h"
#include "dict/word_store.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// Builds .tqd files word by word, with a correct digest unless told otherwise. Codes are given
// as bit strings ("0110"); the stream is a bit string too, so a test can place a code anywhere.
struct TqdBuilder {
    uint32_t language = 2;
    uint32_t edition = 5;
    uint32_t second = 9;
    std::vector<uint32_t> codeEntries;
    std::vector<uint32_t> lengthEntries;
    std::string streamBits;
    std::size_t minBytes = 4096;  // large enough that the header lies in the digested part

    void Code(int letterIndex, const std::string& bits) {
        codeEntries.push_back(uint32_t(letterIndex) << 26 | uint32_t(bits.size()) << 21 |
                              std::stoul(bits, nullptr, 2));
    }
    void Length(int length, int count) {
        lengthEntries.push_back(uint32_t(length) << 26 | uint32_t(count) << 10);
    }

    std::vector<uint32_t> Words() const {
        std::vector<uint32_t> w(184, 0x5A5A5A5A);
        w[182] = language << 26 | edition << 20 | second << 14 | 0x1234;
        w[183] = uint32_t(codeEntries.size()) << 26 | uint32_t(lengthEntries.size()) << 20;
        w.insert(w.end(), codeEntries.begin(), codeEntries.end());
        w.insert(w.end(), {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
        w.insert(w.end(), lengthEntries.begin(), lengthEntries.end());
        for (std::size_t i = 0; i < streamBits.size(); i += 32) {
            std::string chunk = streamBits.substr(i, 32);
            chunk.resize(32, '0');
            w.push_back(static_cast<uint32_t>(std::stoul(chunk, nullptr, 2)));
        }
        while ((w.size() + 4) % 4 != 0 || (w.size() + 4) * 4 < minBytes) w.push_back(0);
        const Digest d = Digest128(w, (w.size() + 4) / 4 - 1);
        w.insert(w.end(), d.begin(), d.end());
        return w;
    }
    std::vector<uint8_t> Bytes() const { return ToBytes(Words()); }

    static std::vector<uint8_t> ToBytes(const std::vector<uint32_t>& words) {
        std::vector<uint8_t> out;
        for (uint32_t v : words)
            for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(v >> (8 * b)));
        return out;
    }
};

// Appends the codes of a word's letters (English: 'A' is index 1) to a bit string.
std::string Encode(const std::map<char, std::string>& codes, const std::string& word) {
    std::string bits;
    for (char c : word) bits += codes.at(c);
    return bits;
}

std::vector<std::string> AllWords(const WordStore& store) {
    std::vector<std::string> out;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        for (const auto& w : store.WordsOfLength(len)) out.push_back(w);
    return out;
}

// A small complete code over A..D (every bit pattern decodes).
const std::map<char, std::string> kCodes = {{'A', "00"}, {'B', "01"}, {'C', "10"}, {'D', "11"}};

TqdBuilder ThreeWords() {
    TqdBuilder b;
    for (const auto& [c, bits] : kCodes) b.Code(c - 'A' + 1, bits);
    b.Length(3, 2);
    b.Length(5, 1);
    b.streamBits = Encode(kCodes, "CAB") + Encode(kCodes, "BAD") + Encode(kCodes, "ABCDD");
    return b;
}

TEST(CompressedDictionary, DecodesLengthsInOrderAndSetsTheHeaderFacts) {
    // Length entries for 3 and 5 only: the stream holds the 3-letter words, then the 5-letter.
    const Result<TqdContents> decoded = DecodeCompressedDictionary(ThreeWords().Bytes());
    ASSERT_TRUE(decoded.ok()) << decoded.message();
    const TqdContents& c = *decoded;
    EXPECT_EQ(c.Language, 2);
    EXPECT_EQ(c.Edition, 5);
    EXPECT_EQ(c.SecondNumber, 9);
    WordStore store;
    AddDecodedWords(c, store);
    EXPECT_EQ(AllWords(store), (std::vector<std::string>{"BAD", "CAB", "ABCDD"}));
}

TEST(CompressedDictionary, CodeSplitAcrossStreamWordsDecodesLikeAnUnsplitOne) {
    TqdBuilder b;
    const std::map<char, std::string> codes = {
        {'A', "00"}, {'B', "01"}, {'C', "100"}, {'D', "101000001"}, {'E', "111111111111"}};
    for (const auto& [c, bits] : codes) b.Code(c - 'A' + 1, bits);
    // 12 two-bit letters and a 3-bit one fill 27 bits, so D's nine bits split 5 + 4; the next
    // word puts E's twelve bits across the second and third stream words.
    const std::string first = "AAAAAABBBBBBCD";   // 14 letters, 36 bits
    const std::string second = "BBBBBBBBBBBBBE";  // 26 + 12 bits: E starts at bit 62
    const std::string plain = "DEAAAAAAAAAAAA";   // the same long codes at no boundary
    b.Length(14, 3);
    b.streamBits = Encode(codes, first) + Encode(codes, second) + Encode(codes, plain);
    ASSERT_EQ(b.streamBits.substr(27, 9), "101000001");
    const Result<TqdContents> decoded = DecodeCompressedDictionary(b.Bytes());
    ASSERT_TRUE(decoded.ok()) << decoded.message();
    const TqdContents& c = *decoded;
    WordStore store;
    AddDecodedWords(c, store);
    EXPECT_EQ(AllWords(store),
              (std::vector<std::string>{"AAAAAABBBBBBCD", "BBBBBBBBBBBBBE", "DEAAAAAAAAAAAA"}));
}

TEST(CompressedDictionary, PaddingZerosNeverBecomeWords) {
    // "A" is the all-zeros code; once both words are read, the zero words that pad the file
    // must not be decoded as more "AA" words of the last length.
    TqdBuilder b;
    for (const auto& [c, bits] : kCodes) b.Code(c - 'A' + 1, bits);
    b.Length(2, 2);
    b.streamBits = Encode(kCodes, "BC") + Encode(kCodes, "DB");
    b.minBytes = 8192;
    const Result<TqdContents> decoded = DecodeCompressedDictionary(b.Bytes());
    ASSERT_TRUE(decoded.ok()) << decoded.message();
    const TqdContents& c = *decoded;
    EXPECT_EQ(c.WordCount(), 2u);
}

TEST(CompressedDictionary, LaterLengthEntryOverwritesAndLengthOneCodesAreNeverMatched) {
    TqdBuilder b;
    b.Code(1, "0");  // a 1-bit code is stored but never matched
    for (const auto& [c, bits] : kCodes) b.Code(c - 'A' + 1, bits);
    b.Length(2, 5);
    b.Length(2, 1);
    b.streamBits = Encode(kCodes, "AB") + Encode(kCodes, "CD");
    const Result<TqdContents> decoded = DecodeCompressedDictionary(b.Bytes());
    ASSERT_TRUE(decoded.ok()) << decoded.message();
    const TqdContents& c = *decoded;
    WordStore store;
    AddDecodedWords(c, store);
    EXPECT_EQ(AllWords(store), std::vector<std::string>{"AB"});
}

TEST(CompressedDictionary, RejectsWrongSizesAndDigests) {
    const std::vector<uint8_t> good = ThreeWords().Bytes();
    ASSERT_TRUE(DecodeCompressedDictionary(good).ok());

    std::vector<uint8_t> notMultiple(good.begin(), good.begin() + 1000);
    const char* const kBadSize = "the size is above 640000 bytes or not a multiple of 16";
    EXPECT_EQ(DecodeCompressedDictionary(notMultiple).message(), kBadSize);

    TqdBuilder atLimit = ThreeWords();
    atLimit.minBytes = kMaxCompressedSize;
    EXPECT_TRUE(DecodeCompressedDictionary(atLimit.Bytes()).ok());
    TqdBuilder overLimit = ThreeWords();
    overLimit.minBytes = kMaxCompressedSize + 16;
    EXPECT_EQ(DecodeCompressedDictionary(overLimit.Bytes()).message(), kBadSize);

    // A changed byte of the header, of the first stream word or of the stored digest.
    for (std::size_t offset :
         {std::size_t{182 * 4 + 3}, std::size_t{193 * 4 + 3}, good.size() - 1}) {
        std::vector<uint8_t> bad = good;
        bad[offset] ^= 0x40;
        EXPECT_EQ(DecodeCompressedDictionary(bad).message(), "the digest does not match") << offset;
    }
}

TEST(CompressedDictionary, ByteChangedAfterTheDigestedPartIsAccepted) {
    const std::vector<uint32_t> words = ThreeWords().Words();
    const std::size_t blockCount = words.size() / 4 - 1;
    const std::size_t digestedBytes = (blockCount + 3) / 4 * 16;
    std::vector<uint8_t> bytes = TqdBuilder::ToBytes(words);
    bytes[digestedBytes] ^= 0xFF;
    bytes[bytes.size() - 17] ^= 0xFF;
    const Result<TqdContents> decoded = DecodeCompressedDictionary(bytes);
    ASSERT_TRUE(decoded.ok()) << decoded.message();
    const TqdContents& c = *decoded;
    EXPECT_EQ(c.WordCount(), 3u);
}

TqdBuilder WithCodeLength(int length) {
    TqdBuilder b = ThreeWords();
    b.codeEntries[0] = (b.codeEntries[0] & ~(31u << 21)) | uint32_t(length) << 21;
    return b;
}
TqdBuilder WithWordLength(int length) {
    TqdBuilder b = ThreeWords();
    b.Length(length, 0);
    return b;
}

TEST(CompressedDictionary, DamagedFilesAddNothing) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* problem;  // part of the reason given
    };
    TqdBuilder tablesTooBig = ThreeWords();
    tablesTooBig.minBytes = 0;
    std::vector<uint32_t> w = tablesTooBig.Words();
    w[183] = 63u << 26 | 63u << 20;  // 63 codes and 63 lengths cannot fit in this file
    w.resize(w.size() - 4);
    const Digest d = Digest128(w, (w.size() + 4) / 4 - 1);
    w.insert(w.end(), d.begin(), d.end());

    TqdBuilder noCode;  // codes for A and B only; the stream starts with "1"
    noCode.Code(1, "00");
    noCode.Code(2, "01");
    noCode.Length(4, 1);
    noCode.streamBits = "1000000000000000";

    TqdBuilder tiny;
    tiny.minBytes = 0;
    std::vector<uint32_t> tinyWords(44, 0);  // 176 bytes: no room for the header at all
    const Digest td = Digest128(tinyWords, 11);
    tinyWords.insert(tinyWords.end(), td.begin(), td.end());

    const std::vector<Case> cases = {
        {"file shorter than its fixed part", TqdBuilder::ToBytes(tinyWords), "too short"},
        {"tables that do not fit", TqdBuilder::ToBytes(w), "do not fit"},
        {"code length 0", WithCodeLength(0).Bytes(), "1..12"},
        {"code length 13", WithCodeLength(13).Bytes(), "1..12"},
        {"code length 31", WithCodeLength(31).Bytes(), "1..12"},
        {"word length 1", WithWordLength(1).Bytes(), "2..30"},
        {"word length 31", WithWordLength(31).Bytes(), "2..30"},
        {"word length 63", WithWordLength(63).Bytes(), "2..30"},
        {"pattern matching no code", noCode.Bytes(), "matches no code"},
    };
    for (const Case& c : cases) {
        const Result<TqdContents> r = DecodeCompressedDictionary(c.bytes);
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_NE(r.message().find(c.problem), std::string::npos) << c.what << ": " << r.message();
    }
}

class CompressedFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tq_tqd_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    fs::path dir_;
};

// 120 English words not in ThreeWords().
std::string PlainList(const std::string& firstLine) {
    std::string text = firstLine + "\r\n";
    for (char a = 'E'; a <= 'P'; ++a)
        for (char b = 'E'; b <= 'N'; ++b) text += std::string{a, b, 'E'} + "\r\n";
    return text;
}

TEST_F(CompressedFileTest, FailedFileChangesNothingAndThePlainListDecides) {
    std::vector<uint8_t> bad = ThreeWords().Bytes();
    bad[182 * 4 + 3] ^= 0x80;  // header language changed: digest mismatch
    Write("D.tqd", bad);
    WordStore store;
    TDictInfo info;
    const Status read = ReadCompressedDictionary(dir_ / "D.tqd", store, info);
    EXPECT_EQ(read.message(), (dir_ / "D.tqd").string() + ": the digest does not match");
    EXPECT_EQ(store.TotalWords(), 0u);
    EXPECT_EQ(info.Language, 0);

    Write("D.txt", PlainList("{rus}"));  // Russian marker: the English words are all skipped
    info.DictName = "D";
    EXPECT_FALSE(LoadDictionary(dir_, store, info).ok());
    EXPECT_EQ(info.Language, 1);
    EXPECT_EQ(info.Edition, 0);
}

TEST_F(CompressedFileTest, ValidFileSetsTheAlphabetAndThePlainListAddsToIt) {
    Write("D.tqd", ThreeWords().Bytes());
    Write("D.txt", PlainList("CAD"));  // after a valid compressed file line 1 is skipped
    WordStore store;
    TDictInfo info;
    info.DictName = "D";
    ASSERT_TRUE(LoadDictionary(dir_, store, info).ok());
    EXPECT_EQ(info.Language, 2);
    EXPECT_EQ(info.FirstLetter, 65);
    EXPECT_EQ(info.Edition, 5);
    EXPECT_EQ(info.SecondNumber, 9);
    EXPECT_EQ(store.TotalWords(), 123u);
    EXPECT_TRUE(store.ContainsWord("abcdd"));
    EXPECT_FALSE(store.ContainsWord("CAD"));
    EXPECT_EQ(info.ShortestLen, 3);
    EXPECT_EQ(info.LongestLen, 5);
}

// The shipped compressed dictionaries hold exactly the words of their plain lists.
class ShippedDictionary : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(ShippedDictionary, MatchesItsPlainList) {
    const fs::path dicts = fs::path(TESSAROON_START_FOLDER) / "Dicts";
    const std::string name = GetParam().first;
    WordStore fromTqd;
    TDictInfo tqdInfo;
    ASSERT_TRUE(ReadCompressedDictionary(dicts / (name + ".tqd"), fromTqd, tqdInfo).ok());
    EXPECT_EQ(tqdInfo.Language, GetParam().second);
    // Edition 0, as without a compressed file: record tables keep their check lines valid.
    EXPECT_EQ(tqdInfo.Edition, 0);
    WordStore fromTxt;
    TDictInfo txtInfo;
    ASSERT_TRUE(ReadPlainWordList(dicts / (name + ".txt"), fromTxt, txtInfo).ok());
    EXPECT_EQ(txtInfo.Language, tqdInfo.Language);
    EXPECT_GT(fromTqd.TotalWords(), 10000u);
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        EXPECT_EQ(fromTqd.WordsOfLength(len), fromTxt.WordsOfLength(len)) << "length " << len;
    EXPECT_LE(fs::file_size(dicts / (name + ".tqd")), kMaxCompressedSize);

    // Read to its last bit, the padding completes no word.
    const Result<std::vector<uint8_t>> file =
        ReadFileBytes(dicts / (name + ".tqd"), kMaxCompressedSize);
    ASSERT_TRUE(file.ok()) << file.message();
    const test::StreamReading whole = test::ReadWholeStream(*file, tqdInfo.FirstLetter);
    EXPECT_FALSE(whole.unmatched);
    std::size_t letters = 0;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        letters += static_cast<std::size_t>(len) * fromTqd.WordsOfLength(len).size();
    EXPECT_LT(whole.letters.size() - letters, static_cast<std::size_t>(fromTqd.LongestLength()))
        << "the padding reads as " << whole.letters.substr(letters);
}

// The computer plays no word of the reviewed list of English slurs and vulgar slang: neither list
// the game reads holds one, while the ordinary words it leaves stay.
TEST(ShippedEnglishDictionary, HoldsNoWordOfTheReviewedOffensiveList) {
    const fs::path top = fs::path(TESSAROON_START_FOLDER).parent_path();
    std::ifstream reviewed(top / "tools" / "dicts" / "offensive_en.txt");
    ASSERT_TRUE(reviewed) << "tools/dicts/offensive_en.txt";
    WordStore tqd, txt;
    TDictInfo info;
    const fs::path dicts = fs::path(TESSAROON_START_FOLDER) / "Dicts";
    ASSERT_TRUE(ReadCompressedDictionary(dicts / "General_eng.tqd", tqd, info).ok());
    ASSERT_TRUE(ReadPlainWordList(dicts / "General_eng.txt", txt, info).ok());
    int checked = 0;
    for (std::string word; std::getline(reviewed, word);) {
        if (word.empty() || word[0] == '#') continue;
        EXPECT_FALSE(tqd.ContainsWord(word)) << word << " in General_eng.tqd";
        EXPECT_FALSE(txt.ContainsWord(word)) << word << " in General_eng.txt";
        ++checked;
    }
    EXPECT_GT(checked, 0);
    for (const char* ordinary : {"COCK", "BEAVER", "DIKE"}) {
        EXPECT_TRUE(tqd.ContainsWord(ordinary)) << ordinary;
        EXPECT_TRUE(txt.ContainsWord(ordinary)) << ordinary;
    }
}

INSTANTIATE_TEST_SUITE_P(Dicts, ShippedDictionary,
                         ::testing::Values(std::pair<const char*, int>{"General_rus", 1},
                                           std::pair<const char*, int>{"General_eng", 2}));

}  // namespace
}  // namespace tq
