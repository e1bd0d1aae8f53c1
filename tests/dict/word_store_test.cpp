#include "dict/word_store.h"

#include <gtest/gtest.h>

#include "base/letters.h"
#include "test_support.h"

namespace tq {
namespace {

using test::EnglishWords;
using test::PlainList;
using test::TempDir;
using test::WriteFile;

struct Loaded {
    LoadResult result;
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
    EXPECT_EQ(LoadDictionary(dir / "Dicts", store, info).status, LoadStatus::Failed);

    std::filesystem::create_directories(dir / "Dicts" / "Folder.txt");
    info.DictName = "Folder";
    LoadResult r = LoadDictionary(dir / "Dicts", store, info);
    EXPECT_EQ(r.status, LoadStatus::IoError);
    EXPECT_FALSE(r.message.empty());
}

TEST(AppendToWordList, JoinsALastLineWithoutLineEnd) {
    TempDir dir;
    WriteFile(dir / "Dicts/Test.txt", "{eng}\r\nLAST");
    TDictInfo info;
    info.DictName = "Test";
    info.Language = 2;
    EXPECT_EQ(AppendToWordList(dir / "Dicts", info, "NEW"), "");
    EXPECT_EQ(test::ReadFile(dir / "Dicts/Test.txt"), "{eng}\r\nLASTNEW\r\n");
}

TEST(AppendToWordList, CreatesTheListWithItsMarker) {
    for (int language : {1, 2}) {
        TempDir dir;
        std::filesystem::create_directories(dir / "Dicts");
        TDictInfo info;
        info.DictName = "Fresh";
        info.Language = static_cast<uint8_t>(language);
        EXPECT_EQ(AppendToWordList(dir / "Dicts", info, "WORD"), "");
        EXPECT_EQ(test::ReadFile(dir / "Dicts/Fresh.txt"),
                  std::string(language == 1 ? "{rus}" : "{eng}") + "\r\nWORD\r\n");
    }
}

TEST(AppendToWordList, ReportsAFolderItCannotWrite) {
    TempDir dir;  // no Dicts folder inside
    TDictInfo info;
    info.DictName = "Test";
    EXPECT_NE(AppendToWordList(dir / "Dicts", info, "WORD"), "");
}

TEST(ShippedDictionaries, LoadWithTheirLanguages) {
    for (auto [name, language] : {std::pair{"General_rus", 1}, std::pair{"General_eng", 2}}) {
        WordStore store;
        TDictInfo info;
        info.DictName = name;
        LoadResult r =
            LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts", store, info);
        ASSERT_TRUE(r.ok()) << name;
        EXPECT_EQ(info.Language, language);
        EXPECT_GT(store.TotalWords(), 30000u);
        EXPECT_GE(info.ShortestLen, 2);
    }
}

}  // namespace
}  // namespace tq
