// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/word_store.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "base/letters.h"
#include "test_support.h"

namespace tq {
namespace {

using test::EnglishWords;
using test::PlainList;
using test::TempDir;
using test::WriteFile;

struct Loaded {
    Status result;
    WordStore store;
    TDictInfo info;
};

Loaded LoadFrom(const TempDir& dir, std::string_view listText, std::string name = "Test") {
    WriteFile(dir / ("Dicts/" + name + ".txt"), listText);
    Loaded l;
    l.info.DictName = name;
    l.result = LoadDictionary(dir / "Dicts", l.store, l.info);
    return l;
}

TEST(WordStoreLoad, NeedsAHundredWords) {
    for (int n : {99, 100}) {
        TempDir dir;
        Loaded l = LoadFrom(dir, PlainList("{eng}", EnglishWords(n)));
        EXPECT_EQ(l.result.ok(), n == 100) << n << " words";
    }
}

TEST(WordStoreLoad, MarkerLineDecidesTheLanguage) {
    struct Case {
        std::string marker;
        bool ok;
        int language;
    };
    for (const Case& c :
         {Case{"{eng}", true, 2}, Case{"{rus}", true, 1}, Case{" {eng}", false, 0},
          Case{"{ENG}", false, 0}, Case{"BAAA", false, 0}, Case{"{eng}\r junk", true, 2}}) {
        TempDir dir;
        std::vector<std::string> words = EnglishWords(120);
        if (c.language == 1)
            for (auto& w : words)
                for (char& ch : w) ch = static_cast<char>(static_cast<unsigned char>(ch) + 127);
        Loaded l = LoadFrom(dir, PlainList(c.marker, words));
        EXPECT_EQ(l.result.ok(), c.ok) << c.marker;
        if (c.ok) {
            EXPECT_EQ(l.info.Language, c.language);
            EXPECT_EQ(l.info.FirstLetter, c.language == 1 ? 192 : 65);
            EXPECT_EQ(l.info.LetterCount, c.language == 1 ? 32 : 26);
        }
    }
}

TEST(WordStoreLoad, LineRules) {
    TempDir dir;
    std::string text = PlainList("{eng}", EnglishWords(100));
    text += "  \tTRIMMED \t\r\n";     // blanks and controls around a word are dropped
    text += "BARE\nLINEFEED\n";       // a bare LF ends a line
    text += "CUT\rIGNORED TEXT\r\n";  // a CR ends the line's text
    text += "A\r\n";                  // one letter
    text += std::string(31, 'Q') + "\r\n";
    text += std::string(30, 'R') + "\r\n";
    text += "LOWEr\r\nDIG1T\r\nHY-PHEN\r\nTWO WORDS\r\n\r\n";
    text += "{eng}\r\n";
    text +=
        "BEFOREEOF\x1a"
        "AFTEREOF\r\n";  // Ctrl-Z ends the file
    Loaded l = LoadFrom(dir, text);
    ASSERT_TRUE(l.result.ok());
    for (const char* w : {"TRIMMED", "BARE", "LINEFEED", "CUT", "BEFOREEOF"})
        EXPECT_TRUE(l.store.ContainsWord(w)) << w;
    EXPECT_TRUE(l.store.ContainsWord(std::string(30, 'R')));
    for (const char* w : {"IGNORED TEXT", "LOWER", "DIG1T", "HY-PHEN", "TWO WORDS", "AFTEREOF"})
        EXPECT_FALSE(l.store.ContainsWord(w)) << w;
    EXPECT_EQ(l.store.TotalWords(), 100u + 6u);
    EXPECT_EQ(l.info.ShortestLen, 3);
    EXPECT_EQ(l.info.LongestLen, 30);
}

TEST(WordStoreLoad, RussianAlphabetExcludesYoAndSmallLetters) {
    TempDir dir;
    std::vector<std::string> words;
    for (int i = 0; i < 100; ++i)
        words.push_back({char(0xC0 + i % 32), char(0xC0 + i / 32), char(0xC1)});
    words.push_back("\xC0\xA8\xC0");  // holds the letter with code 168
    words.push_back("\xE0\xE1\xE2");  // small letters
    words.push_back("ABC");           // Latin letters in a Russian list
    Loaded l = LoadFrom(dir, PlainList("{rus}", words));
    ASSERT_TRUE(l.result.ok());
    EXPECT_EQ(l.store.TotalWords(), 100u);
    // Lookup ignores letter case in both alphabets.
    EXPECT_TRUE(l.store.ContainsWord("\xE0\xE0\xE1"));
    EXPECT_TRUE(l.store.ContainsWord("\xC0\xC0\xC1"));
}

TEST(WordStore, SortedCaseInsensitiveWithoutDuplicates) {
    WordStore store;
    store.AddWord("DOG");
    store.AddWord("CAT");
    store.AddWord("cat");
    store.AddWords({"ANT", "EEL", "Dog", "bee"});
    ASSERT_EQ(store.WordCount(3), 5);
    EXPECT_EQ(store.WordAt(3, 0), "ANT");
    EXPECT_EQ(store.WordAt(3, 1), "bee");
    EXPECT_EQ(store.WordAt(3, 2), "CAT");
    EXPECT_EQ(store.WordAt(3, 3), "DOG");
    EXPECT_EQ(store.WordAt(3, 4), "EEL");
    EXPECT_TRUE(store.ContainsWord("Eel"));
    EXPECT_FALSE(store.ContainsWord("E"));
    EXPECT_FALSE(store.ContainsWord(std::string(31, 'E')));
}

TEST(WordStoreLoad, DuplicatesAreHeldOnce) {
    TempDir dir;
    std::vector<std::string> words = EnglishWords(100);
    words.push_back(words[5]);
    words.push_back(words[7]);
    Loaded l = LoadFrom(dir, PlainList("{eng}", words));
    ASSERT_TRUE(l.result.ok());
    EXPECT_EQ(l.store.TotalWords(), 100u);
}

TEST(WordStoreLoad, MissingFilesFailAndUnreadableListIsAnIoError) {
    TempDir dir;
    WordStore store;
    TDictInfo info;
    info.DictName = "Nothing";
    EXPECT_TRUE(LoadDictionary(dir / "Dicts", store, info).Is(LoadFailure::Unusable));

    std::filesystem::create_directories(dir / "Dicts" / "Folder.txt");
    info.DictName = "Folder";
    const Status r = LoadDictionary(dir / "Dicts", store, info);
    EXPECT_TRUE(r.Is(LoadFailure::IoError));
    EXPECT_FALSE(r.message().empty());
}

// A confirmed word is found at the next start and nothing else changes: an unended last line is
// ended first (not glued to the word), the word goes before a Ctrl-Z mark, and a list with no
// marker line gets one.
TEST(AppendToWordList, TheWordIsReadBackAndNothingElseChanges) {
    struct Case {
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"{eng}\r\nLAST\r\n", "{eng}\r\nLAST\r\nNEW\r\n"},
        {"{eng}\r\nLAST", "{eng}\r\nLAST\r\nNEW\r\n"},
        {"{eng}\r\nLAST\r", "{eng}\r\nLAST\r\nNEW\r\n"},
        {"{eng}\nLAST\n", "{eng}\nLAST\nNEW\r\n"},
        {"{eng}\r\nLAST\r\n\x1a", "{eng}\r\nLAST\r\nNEW\r\n\x1a"},
        {"{eng}\r\nLAST\x1a\r\nJUNK\r\n", "{eng}\r\nLAST\r\nNEW\r\n\x1a\r\nJUNK\r\n"},
        {"", "{eng}\r\nNEW\r\n"},
        {"{eng}", "{eng}\r\nNEW\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        TempDir dir;
        WriteFile(dir / "Dicts/Test.txt", c.before);
        TDictInfo info;
        info.DictName = "Test";
        info.Language = 2;
        EXPECT_EQ(AppendToWordList(dir / "Dicts", info, "NEW").message(), "");
        EXPECT_EQ(test::ReadFile(dir / "Dicts/Test.txt"), c.after);
        WordStore store;
        TDictInfo read;
        ASSERT_TRUE(ReadPlainWordList(dir / "Dicts/Test.txt", store, read).ok());
        EXPECT_TRUE(store.ContainsWord("NEW"));
        EXPECT_EQ(store.ContainsWord("LAST"), c.before.find("LAST") != std::string::npos);
        EXPECT_FALSE(store.ContainsWord("LASTNEW"));
    }
}

// A write that fails part-way (the file-size limit fails it as a full disk does) leaves the list
// byte for byte as it was: no half word without a line end to glue the next one to.
TEST(AppendToWordList, AFailedWriteLeavesTheListAsItWas) {
    TempDir dir;
    const std::string before = PlainList("{eng}", EnglishWords(300));
    ASSERT_GT(before.size(), 1000u);
    WriteFile(dir / "Dicts/Test.txt", before);
    TDictInfo info;
    info.DictName = "Test";
    info.Language = 2;
    std::string error;
    {
        test::FileSizeLimit limit(1000);
        error = AppendToWordList(dir / "Dicts", info, "NEWWORD").message();
    }
    EXPECT_NE(error.find("Cannot write the word list"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(dir / "Dicts/Test.txt"), before);
    EXPECT_EQ(test::FolderNames(dir / "Dicts"), std::vector<std::string>{"Test.txt"});
}

// Hostile things in the plain list's place are refused at once with a message (a FIFO hung the
// start-up, /dev/zero and a huge list filled memory), both when loading and when adding a word.
// In the compressed file's place they count as no compressed file.
TEST(WordStoreLoad, HostileListsAreRefusedWithAMessage) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Dicts" / "Folder.txt");
    ASSERT_EQ(mkfifo((dir / "Dicts/Fifo.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "Dicts/Zero.txt");
    WriteFile(dir / "Dicts/Huge.txt", "{eng}\r\n");
    std::filesystem::resize_file(dir / "Dicts/Huge.txt", kMaxWordListSize + 1);
    struct Case {
        const char* name;
        const char* message;
    };
    for (const Case& c :
         {Case{"Folder", "is not a regular file"}, Case{"Fifo", "is not a regular file"},
          Case{"Zero", "is not a regular file"}, Case{"Huge", "is larger than 16 MB"}}) {
        SCOPED_TRACE(c.name);
        WordStore store;
        TDictInfo info;
        info.DictName = c.name;
        const Status r = LoadDictionary(dir / "Dicts", store, info);
        EXPECT_TRUE(r.Is(LoadFailure::IoError));
        EXPECT_NE(r.message().find(c.message), std::string::npos) << r.message();
        info.Language = 2;
        EXPECT_NE(AppendToWordList(dir / "Dicts", info, "WORD").message().find(c.message),
                  std::string::npos);
    }
    EXPECT_EQ(std::filesystem::file_size(dir / "Dicts/Huge.txt"), kMaxWordListSize + 1);
    EXPECT_EQ(std::filesystem::status(dir / "Dicts/Fifo.txt").type(),
              std::filesystem::file_type::fifo);

    ASSERT_EQ(mkfifo((dir / "Dicts/Plain.tqd").c_str(), 0600), 0);
    WriteFile(dir / "Dicts/Plain.txt", PlainList("{eng}", EnglishWords(100)));
    WordStore store;
    TDictInfo info;
    info.DictName = "Plain";
    EXPECT_TRUE(LoadDictionary(dir / "Dicts", store, info).ok());
    EXPECT_EQ(store.TotalWords(), 100u);
}

TEST(AppendToWordList, CreatesTheListWithItsMarker) {
    for (int language : {1, 2}) {
        TempDir dir;
        std::filesystem::create_directories(dir / "Dicts");
        TDictInfo info;
        info.DictName = "Fresh";
        info.Language = static_cast<uint8_t>(language);
        EXPECT_EQ(AppendToWordList(dir / "Dicts", info, "WORD").message(), "");
        EXPECT_EQ(test::ReadFile(dir / "Dicts/Fresh.txt"),
                  std::string(language == 1 ? "{rus}" : "{eng}") + "\r\nWORD\r\n");
    }
}

TEST(AppendToWordList, ReportsAFolderItCannotWrite) {
    TempDir dir;  // no Dicts folder inside
    TDictInfo info;
    info.DictName = "Test";
    EXPECT_NE(AppendToWordList(dir / "Dicts", info, "WORD").message(), "");
}

TEST(ShippedDictionaries, LoadWithTheirLanguages) {
    for (auto [name, language] : {std::pair{"General_rus", 1}, std::pair{"General_eng", 2}}) {
        WordStore store;
        TDictInfo info;
        info.DictName = name;
        const Status r =
            LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts", store, info);
        ASSERT_TRUE(r.ok()) << name;
        EXPECT_EQ(info.Language, language);
        EXPECT_GT(store.TotalWords(), 30000u);
        EXPECT_GE(info.ShortestLen, 2);
    }
}

// The Russian list's filter takes the vulgar words and keeps their decent look-alikes.
TEST(ShippedDictionaries, RussianListHoldsNoVulgarWords) {
    WordStore store;
    TDictInfo info;
    ASSERT_TRUE(ReadPlainWordList(
                    std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts" / "General_rus.txt",
                    store, info)
                    .ok());
    // Code page 1251 capitals.
    for (const char* word : {"\xD8\xCB\xDE\xD8\xCA\xC0",               // ШЛЮШКА
                             "\xCA\xD3\xD0\xC2\xC0",                   // КУРВА
                             "\xD8\xC0\xCB\xC0\xC2\xC0",               // ШАЛАВА
                             "\xC4\xC5\xD0\xDC\xCC\xCE",               // ДЕРЬМО
                             "\xC6\xC8\xC4\xC5\xCD\xC5\xCD\xCE\xCA"})  // ЖИДЕНЕНОК
        EXPECT_FALSE(store.ContainsWord(word)) << word;
    for (const char* word : {"\xCA\xD3\xD0\xC2\xC8\xCC\xC5\xD2\xD0",  // КУРВИМЕТР
                             "\xD8\xCB\xDE\xC7",                      // ШЛЮЗ
                             "\xCF\xD0\xCE\xCF\xC5\xD0\xC4\xC8\xCD",  // ПРОПЕРДИН
                             "\xC6\xC8\xC4\xCA\xCE\xD1\xD2\xDC"})     // ЖИДКОСТЬ
        EXPECT_TRUE(store.ContainsWord(word)) << word;
}

}  // namespace
}  // namespace tq
