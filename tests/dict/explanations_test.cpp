// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/explanations.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

namespace tq {
namespace {

namespace fs = std::filesystem;
using Glosses = std::vector<std::string>;

void Put32(std::string& out, uint32_t v) {
    for (int b = 0; b < 4; ++b) out += static_cast<char>(v >> (8 * b) & 0xFF);
}

// An explanations file of the given blocks, each a list of lines without their line ends.
std::string MakeFile(const std::vector<std::vector<std::string>>& blocks) {
    std::string head = "TQEX", table, body;
    Put32(head, kExplanationsVersion);
    Put32(head, static_cast<uint32_t>(blocks.size()));
    std::size_t words = 0;
    for (const auto& b : blocks) words += b.size();
    Put32(head, static_cast<uint32_t>(words));
    const std::size_t start = 16 + 44 * blocks.size();
    for (const auto& b : blocks) {
        std::string plain;
        for (const std::string& line : b) plain += line + "\n";
        std::string packed(compressBound(plain.size()), '\0');
        uLongf size = packed.size();
        compress(reinterpret_cast<Bytef*>(packed.data()), &size,
                 reinterpret_cast<const Bytef*>(plain.data()), plain.size());
        packed.resize(size);
        std::string first = b.front().substr(0, b.front().find('\t'));
        first.resize(32, '\0');
        table += first;
        Put32(table, static_cast<uint32_t>(start + body.size()));
        Put32(table, static_cast<uint32_t>(packed.size()));
        Put32(table, static_cast<uint32_t>(plain.size()));
        body += packed;
    }
    return head + table + body;
}

const std::vector<std::vector<std::string>> kBlocks = {
    {"BASS\tthe lowest part of the musical range\tthe lowest part in polyphonic music",
     "CAT\tfeline mammal"},
    {"MOTET\tan unaccompanied choral composition", "TYRE\thoop that covers a wheel"},
};

Result<Glosses> Find(const std::string& file, std::string_view word) {
    return FindExplanation(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()),
                           word);
}

TEST(Explanations, FindsTheGlossesOfAWordInAnyBlock) {
    const std::string file = MakeFile(kBlocks);
    struct Case {
        const char* word;
        Glosses glosses;
    };
    const Case cases[] = {
        {"BASS", {"the lowest part of the musical range", "the lowest part in polyphonic music"}},
        {"CAT", {"feline mammal"}},
        {"MOTET", {"an unaccompanied choral composition"}},
        {"TYRE", {"hoop that covers a wheel"}},
        // Before the first word, between words, after the last: none.
        {"AB", {}},
        {"CATS", {}},
        {"DOG", {}},
        {"ZEBRA", {}},
        {"", {}},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGH", {}},
    };
    for (const Case& c : cases) {
        const Result<Glosses> found = Find(file, c.word);
        ASSERT_TRUE(found.ok()) << c.word << ": " << found.message();
        EXPECT_EQ(*found, c.glosses) << c.word;
    }
}

TEST(Explanations, ADamagedFileFailsSayingSoAndNeverReadsOutside) {
    const std::string good = MakeFile(kBlocks);
    const auto with = [&](const std::function<void(std::string&)>& change) {
        std::string file = good;
        change(file);
        return file;
    };
    const std::string cases[] = {
        "",
        "TQEX",
        with([](std::string& f) { f[0] = 'X'; }),                       // not the magic
        with([](std::string& f) { f[4] = 2; }),                         // another version
        with([](std::string& f) { f[8] = 0; }),                         // no blocks
        with([](std::string& f) { f[9] = 0x7F; }),                      // too many blocks
        good.substr(0, 16 + 44),                                        // table cut off
        good.substr(0, good.size() - 5),                                // last block cut off
        with([](std::string& f) { f[16 + 44 + 32 + 3] = 0x70; }),       // offset far outside
        with([](std::string& f) { f[16 + 44 + 36 + 2] = 0x70; }),       // packed size too large
        with([](std::string& f) { f[16 + 44 + 40] ^= 1; }),             // plain size wrong
        with([](std::string& f) { f[f.size() - 8] ^= 0x55; }),          // packed bytes changed
        MakeFile({{"MOTET\tx", "CAT\ty"}}),                             // out of order
        MakeFile({{"TYRE\t"}}),                                         // an empty gloss
        MakeFile({{"CAT\tfeline", "TYRE hoop"}}),                       // no tab
        MakeFile({{"TYRE\ta\tb\tc\td\te"}}),                            // too many glosses
        MakeFile({{"TYRE\t" + std::string(kMaxGlossBytes + 1, 'x')}}),  // gloss too long
        MakeFile({{"TYRE\t\xFF\xFE"}}),                                 // not UTF-8
        MakeFile({{"TYRE\ta \x1B[2J"}}),                                // a control character
    };
    for (const std::string& file : cases) {
        const Result<Glosses> found = Find(file, "TYRE");
        ASSERT_FALSE(found.ok()) << testing::PrintToString(file);
        EXPECT_NE(found.message().find("explanations"), std::string::npos) << found.message();
    }
}

TEST(Explanations, ReadsTheFileOnDemandAndAMissingOrOddFileFailsNamingIt) {
    test::TempDir dir;
    const fs::path file = ExplanationsFile(dir.path(), "General_eng");
    EXPECT_EQ(file.filename(), "General_eng.tqe");
    const Result<Glosses> missing = ReadExplanation(file, "TYRE");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find(file.string()), std::string::npos);

    std::ofstream(file, std::ios::binary) << MakeFile(kBlocks);
    ASSERT_TRUE(ReadExplanation(file, "TYRE").ok());
    EXPECT_EQ(ReadExplanation(file, "TYRE")->front(), "hoop that covers a wheel");

    std::ofstream(file, std::ios::binary) << "TQEX garbage";
    EXPECT_FALSE(ReadExplanation(file, "TYRE").ok());
    fs::remove(file);
    fs::create_directory(file);  // a folder in the file's place
    EXPECT_FALSE(ReadExplanation(file, "TYRE").ok());
}

// The shipped file explains every word of the English list by its common meanings.
TEST(Explanations, TheShippedFileExplainsTheListByItsCommonMeanings) {
    const fs::path file =
        ExplanationsFile(fs::path(TESSAROON_START_FOLDER) / "Dicts", "General_eng");
    struct Case {
        const char* word;
        const char* first;
    };
    const Case cases[] = {
        {"TYRE", "hoop that covers a wheel"},  // not the port in Lebanon
        {"ASPER", "20 aspers equal 1 kurus in Turkey"},
        {"MOTET", "an unaccompanied choral composition with sacred lyrics"},
        {"CAT", "feline mammal usually having thick soft fur"},
    };
    for (const Case& c : cases) {
        const Result<Glosses> found = ReadExplanation(file, c.word);
        ASSERT_TRUE(found.ok()) << found.message();
        ASSERT_FALSE(found->empty()) << c.word;
        EXPECT_TRUE(found->front().starts_with(c.first)) << c.word << ": " << found->front();
        EXPECT_LE(found->size(), 2u);
    }
    EXPECT_TRUE(ReadExplanation(file, "QQQQ")->empty());
    EXPECT_LT(fs::file_size(file), 1400u << 10);
}

TEST(Explanations, DictionaryWordAndLookUpAddress) {
    struct Case {
        uint8_t language;
        const char* typed;
        std::string word;
        const char* address;
    };
    const Case cases[] = {
        {2, "tyre", "TYRE", "https://en.wiktionary.org/wiki/tyre"},
        {2, "Motet", "MOTET", "https://en.wiktionary.org/wiki/motet"},
        {1, "ёлка", "\xC5\xCB\xCA\xC0", "https://ru.wiktionary.org/wiki/%D0%B5%D0%BB%D0%BA%D0%B0"},
        {1, "ЕВДОШКА", "\xC5\xC2\xC4\xCE\xD8\xCA\xC0",
         "https://ru.wiktionary.org/wiki/%D0%B5%D0%B2%D0%B4%D0%BE%D1%88%D0%BA%D0%B0"},
        {2, "a", "", nullptr},        // too short
        {2, "cat dog", "", nullptr},  // a space
        {2, "кот", "", nullptr},      // another alphabet
        {1, "cat", "", nullptr},
        {1, "\xFF", "", nullptr},  // not UTF-8
        {2, "../etc", "", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DictionaryWord(c.language, c.typed), c.word) << c.typed;
        if (c.address) {
            EXPECT_EQ(LookUpAddress(c.language, c.word), c.address) << c.typed;
        }
    }
}

}  // namespace
}  // namespace tq
