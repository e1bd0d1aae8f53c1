// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tq {
namespace {

using test::TempDir;
using test::WriteFile;

TDictInfo Dict(int shortest = 2, int longest = 24) {
    TDictInfo d;
    d.ShortestLen = static_cast<uint8_t>(shortest);
    d.LongestLen = static_cast<uint8_t>(longest);
    return d;
}

GameSettings Read(std::string_view iniText, const TDictInfo& dict = Dict()) {
    TempDir dir;
    WriteFile(dir / "Tessaroon.ini", iniText);
    IniFile ini(dir / "Tessaroon.ini");
    return ReadSettings(ini, dict);
}

TEST(Settings, MissingFileGivesEveryDefault) {
    TempDir dir;
    IniFile ini(dir / "Tessaroon.ini");
    GameSettings s = ReadSettings(ini, Dict(3, 17));
    EXPECT_EQ(ReadDictName(ini), "General_rus");
    EXPECT_EQ(ReadStyleName(ini), "Marble");
    EXPECT_FALSE(s.RatedGame);
    EXPECT_EQ(s.Count, 2);
    for (int seat = 1; seat <= 5; ++seat) {
        EXPECT_EQ(s.Seat(seat).Name, "Player " + std::to_string(seat));
        EXPECT_EQ(s.Seat(seat).Type, PlayerType::Computer);
        EXPECT_EQ(s.Seat(seat).Skill, 2);
    }
    EXPECT_EQ(s.Seat(1).Color, 128u);
    EXPECT_EQ(s.Seat(2).Color, 32768u);
    EXPECT_EQ(s.Seat(5).Color, 8388736u);
    EXPECT_EQ(s.ColCount, 5);
    EXPECT_EQ(s.RowCount, 5);
    EXPECT_EQ(s.WordsPerMove, 1);
    EXPECT_EQ(s.MinWordLen, 3);
    EXPECT_EQ(s.MaxWordLen, 17);
    EXPECT_EQ(s.Directions, "11110000");
    EXPECT_FALSE(s.UseJoker || s.AllowCrossings || s.AllowExWords || s.AcceptAllWords);
    EXPECT_EQ(s.SecMove, 0);
    EXPECT_EQ(s.SecBonus, 0);
    EXPECT_EQ(s.SecFine, 0);
}

TEST(Settings, EmptyDictNameIsTheDefault) {
    TempDir dir;
    WriteFile(dir / "Tessaroon.ini", "[General]\nDict=\nStyle=Granite\n");
    IniFile ini(dir / "Tessaroon.ini");
    EXPECT_EQ(ReadDictName(ini), "General_rus");
    EXPECT_EQ(ReadStyleName(ini), "Granite");
}

// One key's text and what the setting reads as.
struct ValueCase {
    const char* ini;
    std::function<std::string(const GameSettings&)> get;
    std::string expected;
};

std::string Num(long v) {
    return std::to_string(v);
}

TEST(Settings, RulesAndFallbacks) {
    const std::vector<ValueCase> cases = {
        {"[Players]\nCount=7", [](auto& s) { return Num(s.Count); }, "2"},
        {"[Players]\nCount=1", [](auto& s) { return Num(s.Count); }, "2"},
        {"[Players]\nCount=4", [](auto& s) { return Num(s.Count); }, "4"},
        {"[Players]\nCount=three", [](auto& s) { return Num(s.Count); }, "2"},
        {"[Players]\nName3=", [](auto& s) { return s.Seat(3).Name; }, "Player 3"},
        {"[Players]\nName3=ThirteenChars", [](auto& s) { return s.Seat(3).Name; }, "Player 3"},
        {"[Players]\nName3=TwelveChars!", [](auto& s) { return s.Seat(3).Name; }, "TwelveChars!"},
        {"[Players]\nName1=\xC8\xE3\xF0\xEE\xEA", [](auto& s) { return s.Seat(1).Name; },
         "\xC8\xE3\xF0\xEE\xEA"},
        // A name in UTF-8, as Linux editors save it, is counted in characters and converted.
        {"[Players]\nName1=\xD0\x98\xD0\xB3\xD0\xBE\xD1\x80\xD1\x8C",
         [](auto& s) { return s.Seat(1).Name; }, "\xC8\xE3\xEE\xF0\xFC"},
        {"[Players]\nName2=\xD0\x90\xD0\xBB\xD0\xB5\xD0\xBA\xD1\x81\xD0\xB0\xD0\xBD"
         "\xD0\xB4\xD1\x80\xD0\xB8\xD0\xBD\xD0\xB0",  // 12 letters, 24 bytes
         [](auto& s) { return s.Seat(2).Name; },
         "\xC0\xEB\xE5\xEA\xF1\xE0\xED\xE4\xF0\xE8\xED\xE0"},
        {"[Players]\nName2=\xD0\x90\xD0\xBB\xD0\xB5\xD0\xBA\xD1\x81\xD0\xB0\xD0\xBD"
         "\xD0\xB4\xD1\x80\xD0\xB8\xD0\xBD\xD0\xB0\xD0\xB0",  // 13 letters
         [](auto& s) { return s.Seat(2).Name; }, "Player 2"},
        {"[Players]\nName3=Zo\xC3\xAB", [](auto& s) { return s.Seat(3).Name; }, "Zo?"},
        // A key given twice takes its first value; double quotes are not part of the value.
        {"[Players]\nCount=4\nCount=3", [](auto& s) { return Num(s.Count); }, "4"},
        {"[Players]\nCount=4\n[Field]\n[Players]\nCount=3", [](auto& s) { return Num(s.Count); },
         "4"},
        {"[Players]\nName1=\"Ann Lee\"", [](auto& s) { return s.Seat(1).Name; }, "Ann Lee"},
        {"[Players]\nName1=\"\"", [](auto& s) { return s.Seat(1).Name; }, "Player 1"},
        // A name that would break the network line of the seats, or the lists that show them, is
        // mended: a ',', a control character or an undefined byte becomes a blank, and blanks at
        // the ends and twice in a row go.
        {"[Players]\nName1=Al,Bo", [](auto& s) { return s.Seat(1).Name; }, "Al Bo"},
        {"[Players]\nName1=Ann,", [](auto& s) { return s.Seat(1).Name; }, "Ann"},
        {"[Players]\nName1=,,,", [](auto& s) { return s.Seat(1).Name; }, "Player 1"},
        {"[Players]\nName1=\" Ann  Lee \"", [](auto& s) { return s.Seat(1).Name; }, "Ann Lee"},
        {"[Players]\nName1=\" \"", [](auto& s) { return s.Seat(1).Name; }, "Player 1"},
        {"[Players]\nName1=A\x01\x1B[2JB", [](auto& s) { return s.Seat(1).Name; }, "A [2JB"},
        {"[Players]\nName1=A\x98"
         "B",
         [](auto& s) { return s.Seat(1).Name; }, "A B"},
        {"[Players]\nCount=\"3\"\n[Field]\nColCount=4\nRowCount=4",
         [](auto& s) { return Num(s.Count); }, "3"},
        {"[players]\nCOUNT = 4 ", [](auto& s) { return Num(s.Count); }, "4"},
        {"[Players]\nType2=2", [](auto& s) { return Num(int(s.Seat(2).Type)); }, "1"},
        {"[Players]\nType2=0", [](auto& s) { return Num(int(s.Seat(2).Type)); }, "0"},
        {"[Players]\nSkill1=0", [](auto& s) { return Num(s.Seat(1).Skill); }, "2"},
        {"[Players]\nSkill1=8", [](auto& s) { return Num(s.Seat(1).Skill); }, "2"},
        {"[Players]\nSkill1=7", [](auto& s) { return Num(s.Seat(1).Skill); }, "7"},
        {"[Players]\nColor4=-16777192", [](auto& s) { return Num(int32_t(s.Seat(4).Color)); },
         "-16777192"},
        {"[Field]\nColCount=11", [](auto& s) { return Num(s.ColCount); }, "5"},
        {"[Field]\nRowCount=2", [](auto& s) { return Num(s.RowCount); }, "5"},
        {"[Field]\nColCount=10\nRowCount=3",
         [](auto& s) { return Num(s.ColCount * 100 + s.RowCount); }, "1003"},
        {"[Rules]\nWordsPerMove=6", [](auto& s) { return Num(s.WordsPerMove); }, "1"},
        {"[Rules]\nMinWordLen=7", [](auto& s) { return Num(s.MinWordLen); }, "2"},
        {"[Rules]\nMaxWordLen=2", [](auto& s) { return Num(s.MaxWordLen); }, "24"},
        {"[Rules]\nMinWordLen=6\nMaxWordLen=4",
         [](auto& s) { return Num(s.MinWordLen * 100 + s.MaxWordLen); }, "404"},
        {"[Rules]\nDirections=1111", [](auto& s) { return s.Directions; }, "11111111"},
        {"[Rules]\nDirections=00000000", [](auto& s) { return s.Directions; }, "11111111"},
        {"[Rules]\nDirections=0x0y0000", [](auto& s) { return s.Directions; }, "01010000"},
        {"[Rules]\nDirections=", [](auto& s) { return s.Directions; }, "11111111"},
        {"[Rules]\nUseJoker=5", [](auto& s) { return Num(s.UseJoker); }, "1"},
        {"[Rules]\nAllowCrossings=no", [](auto& s) { return Num(s.AllowCrossings); }, "0"},
        {"[Additional]\nSecMove=3601", [](auto& s) { return Num(s.SecMove); }, "0"},
        {"[Additional]\nSecMove=-1", [](auto& s) { return Num(s.SecMove); }, "0"},
        {"[Additional]\nSecMove=3600", [](auto& s) { return Num(s.SecMove); }, "3600"},
        {"[Additional]\nSecBonus=900", [](auto& s) { return Num(s.SecBonus); }, "900"},
        {"[Additional]\nSecFine=901", [](auto& s) { return Num(s.SecFine); }, "0"},
        {"[Additional]\nSecBonus=12abc", [](auto& s) { return Num(s.SecBonus); }, "0"},
        {"[Additional]\nSecMove=1", [](auto& s) { return Num(s.ComputerPace); }, "500"},
        {"[Additional]\nComputerPace=0", [](auto& s) { return Num(s.ComputerPace); }, "0"},
        {"[Additional]\nComputerPace=250", [](auto& s) { return Num(s.ComputerPace); }, "250"},
        {"[Additional]\nComputerPace=10000", [](auto& s) { return Num(s.ComputerPace); }, "10000"},
        {"[Additional]\nComputerPace=10001", [](auto& s) { return Num(s.ComputerPace); }, "500"},
        {"[Additional]\nSecMove=1", [](auto& s) { return Num(s.ClientMoveLimit); }, "0"},
        {"[Additional]\nClientMoveLimit=300", [](auto& s) { return Num(s.ClientMoveLimit); },
         "300"},
        {"[Additional]\nClientMoveLimit=86401", [](auto& s) { return Num(s.ClientMoveLimit); },
         "0"},
        {"[Additional]\nClientMoveLimit=-5", [](auto& s) { return Num(s.ClientMoveLimit); }, "0"},
        {"[Additional]\nComputerPace=-1", [](auto& s) { return Num(s.ComputerPace); }, "500"},
        {"[Additional]\nSecMove=1", [](auto& s) { return Num(s.UseRelay) + s.Relay; }, "0"},
        {"[Additional]\nUseRelay=1\nRelay= relay.example.org:4000 ",
         [](auto& s) { return Num(s.UseRelay) + s.Relay; }, "1relay.example.org:4000"},
        {"[Additional]\nRelay=two words", [](auto& s) { return s.Relay; }, ""},
        {"[Additional]\nRelay=a\x01b", [](auto& s) { return s.Relay; }, ""},
        {"[Additional]\nComputerPace=fast", [](auto& s) { return Num(s.ComputerPace); }, "500"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.get(Read(c.ini)), c.expected) << c.ini;
}

TEST(Settings, ScaleKeyTakesQuarterStepsFromOneToThree) {
    const struct {
        const char* value;  // nullptr: no key
        double expected;
    } cases[] = {
        {nullptr, 1},   {"1", 1},
        {"1.25", 1.25}, {"1.5", 1.5},
        {"2", 2},       {"2.75", 2.75},
        {"3", 3},       {"3.0", 3},
        {" 1.5 ", 1.5}, {"\"2\"", 2},
        {"0.75", 1},    {"3.25", 1},
        {"1.3", 1},     {"1.125", 1},
        {"-2", 1},      {"+2", 1},
        {"1,5", 1},     {"2e0", 1},
        {"inf", 1},     {"nan", 1},
        {"", 1},        {"big", 1},
        {".5", 1},      {"2.", 1},
        {"1.5x", 1},    {"00000002.500000000", 1},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string text =
            c.value ? std::string("[Additional]\nScale=") + c.value + "\n" : "[Additional]\n";
        WriteFile(dir / "Tessaroon.ini", text);
        IniFile ini(dir / "Tessaroon.ini");
        EXPECT_EQ(ReadScale(ini), c.expected) << (c.value ? c.value : "(none)");
    }
    // The command line's spelling is the file's.
    EXPECT_EQ(ParseScale("2.25"), 2.25);
    EXPECT_EQ(ParseScale("4"), std::nullopt);
    EXPECT_EQ(ParseScale("1.50"), 1.5);
}

TEST(Settings, FairTurnRule) {
    struct Case {
        const char* ini;
        int count, cols, rows, words;
    };
    const Case cases[] = {
        // 4 x 3 = 12 free cells do not divide among 5 seats: back to 2 seats on 5 x 5.
        {"[Players]\nCount=5\n[Field]\nColCount=4\nRowCount=4", 2, 5, 5, 1},
        {"[Players]\nCount=3\n[Field]\nColCount=4\nRowCount=4", 3, 4, 4, 1},
        {"[Players]\nCount=3", 2, 5, 5, 1},
        {"[Players]\nCount=4", 4, 5, 5, 1},
        {"[Players]\nCount=2\n[Field]\nColCount=6\nRowCount=6\n[Rules]\nWordsPerMove=3", 2, 6, 6,
         3},
        {"[Players]\nCount=3\n[Field]\nColCount=7\nRowCount=7\n[Rules]\nWordsPerMove=2", 3, 7, 7,
         2},
        {"[Players]\nCount=4\n[Field]\nColCount=7\nRowCount=7\n[Rules]\nWordsPerMove=2", 2, 5, 5,
         1},
    };
    for (const Case& c : cases) {
        GameSettings s = Read(std::string(c.ini) + "\n[Players]\nName4=Kept\n");
        EXPECT_EQ(s.Count, c.count) << c.ini;
        EXPECT_EQ(s.ColCount, c.cols) << c.ini;
        EXPECT_EQ(s.RowCount, c.rows) << c.ini;
        EXPECT_EQ(s.WordsPerMove, c.words) << c.ini;
        EXPECT_EQ(s.Seat(4).Name, "Kept") << "seat data stay";
    }
}

TEST(Settings, RatedGameRules) {
    const char* base =
        "[General]\nRatedGame=1\n[Players]\nCount=3\nType1=1\nType2=0\nType3=0\nSkill1=6\n"
        "[Rules]\nWordsPerMove=2\nMinWordLen=5\nMaxWordLen=6\nDirections=10101010\nUseJoker=1\n"
        "AllowCrossings=1\nAllowExWords=1\n[Additional]\nSecMove=10\nSecBonus=1\nSecFine=1\n"
        "AcceptAllWords=1\n[Field]\nColCount=6\nRowCount=4\n";
    GameSettings s = Read(base, Dict(2, 21));
    EXPECT_EQ(s.Seat(1).Type, PlayerType::Computer);
    EXPECT_EQ(s.Seat(2).Type, PlayerType::Human);
    EXPECT_EQ(s.Seat(3).Type, PlayerType::Computer);
    EXPECT_EQ(s.Seat(1).Skill, 6);
    EXPECT_EQ(s.WordsPerMove, 1);
    EXPECT_EQ(s.MinWordLen, 3);
    EXPECT_EQ(s.MaxWordLen, 21);
    EXPECT_EQ(s.Directions, "11110000");
    EXPECT_FALSE(s.UseJoker || s.AllowCrossings || s.AllowExWords || s.AcceptAllWords);
    EXPECT_EQ(s.SecMove, 120);  // 6 x 4: round(sqrt(24) * 4 / 5) = 4, times 30
    EXPECT_EQ(s.SecBonus, 40);
    EXPECT_EQ(s.SecFine, 40);

    GameSettings allComputers = Read("[General]\nRatedGame=1\n[Rules]\nDirections=11111111");
    EXPECT_EQ(allComputers.Seat(1).Type, PlayerType::Human);
    EXPECT_EQ(allComputers.Seat(2).Type, PlayerType::Computer);
    EXPECT_EQ(allComputers.Directions, "11111111");
}

TEST(Settings, RatedMoveTimeBySize) {
    const int table[][3] = {{3, 3, 60},  {4, 4, 90},  {5, 5, 120},   {6, 6, 150},  {7, 7, 180},
                            {8, 8, 180}, {9, 9, 210}, {10, 10, 240}, {3, 10, 120}, {5, 10, 180}};
    for (const auto& row : table)
        EXPECT_EQ(RatedMoveTime(row[0], row[1]), row[2]) << row[0] << "x" << row[1];
}

TEST(Settings, SaveWritesItsKeysInOrderAndKeepsTheRest) {
    TempDir dir;
    WriteFile(dir / "Tessaroon.ini",
              "; the player's own comment\n[General]\nDict=General_eng\nStyle=Granite\n"
              "[Players]\nName5=Fifth\nSkill5=7\nExtra=kept\n[Window]\nLeft=10\n");
    IniFile ini(dir / "Tessaroon.ini");
    GameSettings s;
    s.Count = 4;
    s.Seat(1).Name = "\xC8\xE3\xF0\xEE\xEA";  // a code page 1251 name
    s.Seat(2).Type = PlayerType::Human;
    s.Seat(3).Color = 0xFF000018;
    s.Directions = "10100000";
    s.SecMove = 90;
    s.ClientMoveLimit = 120;
    s.UseRelay = true;
    s.Relay = "relay.example.org";
    ASSERT_EQ(SaveSettings(ini, s).message(), "");

    const std::string text = test::ReadFile(dir / "Tessaroon.ini");
    EXPECT_NE(text.find("; the player's own comment"), std::string::npos);
    EXPECT_NE(text.find("Dict=General_eng"), std::string::npos);
    EXPECT_NE(text.find("Extra=kept"), std::string::npos);
    EXPECT_NE(text.find("[Window]\nLeft=10"), std::string::npos);
    EXPECT_NE(text.find("Color3=-16777192"), std::string::npos);
    EXPECT_EQ(text.find(" = "), std::string::npos) << "values are written key=value";
    // Names, then colours, then types, then skills, each for seats 1..Count.
    const char* order[] = {"RatedGame=0",      "Count=4",
                           "Name1=",           "Name4=",
                           "Color1=",          "Color4=",
                           "Type1=",           "Type4=",
                           "Skill1=",          "Skill4=",
                           "ColCount=5",       "RowCount=5",
                           "WordsPerMove=1",   "MinWordLen=",
                           "MaxWordLen=",      "Directions=10100000",
                           "UseJoker=0",       "AllowCrossings=0",
                           "AllowExWords=0",   "SecMove=90",
                           "SecBonus=0",       "SecFine=0",
                           "AcceptAllWords=0", "ClientMoveLimit=120",
                           "UseRelay=1",       "Relay=relay.example.org"};
    std::size_t at = 0;
    for (const char* key : order) {
        std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order in\n" << text;
        at = found;
    }

    // Read back: the saved values, seat 5 as it was in the file.
    IniFile again(dir / "Tessaroon.ini");
    GameSettings back = ReadSettings(again, Dict());
    EXPECT_EQ(back.Count, 4);
    EXPECT_EQ(back.Seat(1).Name, "\xC8\xE3\xF0\xEE\xEA");
    EXPECT_EQ(back.Seat(2).Type, PlayerType::Human);
    EXPECT_EQ(back.Seat(3).Color, 0xFF000018u);
    EXPECT_EQ(back.Seat(5).Name, "Fifth");
    EXPECT_EQ(back.Seat(5).Skill, 7);
    EXPECT_EQ(back.Directions, "10100000");
    EXPECT_EQ(back.SecMove, 90);
    EXPECT_EQ(back.ClientMoveLimit, 120);
    EXPECT_TRUE(back.UseRelay);
    EXPECT_EQ(back.Relay, "relay.example.org");
}

// The file is read again just before it is written: what was edited meanwhile stays, and only
// the keys of "Save" change, each in its line.
TEST(Settings, SaveKeepsEditsMadeWhileTheProgramRan) {
    TempDir dir;
    const auto file = dir / "Tessaroon.ini";
    WriteFile(file, "[General]\r\nDict=General_rus\r\n[Players]\r\nCount=2\r\n");
    IniFile ini(file);
    const GameSettings s = ReadSettings(ini, Dict());
    // Edited in a text editor while the game runs.
    const std::string edited =
        "; my settings\r\n[General]\r\nDict=General_eng\r\nStyle = Granite\r\n\r\n"
        "[Players]\r\nCount=2\r\nName5=Fifth\r\n\r\n[Window]\r\nLeft=10\r\n";
    WriteFile(file, edited);
    ASSERT_EQ(SaveSettings(ini, s).message(), "");
    const std::string text = test::ReadFile(file);
    for (const char* kept :
         {"; my settings\r\n[General]\r\nDict=General_eng\r\nStyle = Granite\r\n",
          "Name5=Fifth\r\n", "\r\n\r\n[Window]\r\nLeft=10\r\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from\n" << text;
    EXPECT_NE(text.find("[Players]\r\nCount=2\r\nName5=Fifth\r\nName1=Player 1\r\n"),
              std::string::npos)
        << "new keys end their section, in the file's line ends:\n"
        << text;
    IniFile again(file);
    EXPECT_EQ(ReadDictName(again), "General_eng");
    EXPECT_EQ(ReadStyleName(again), "Granite");
    // The in-memory file follows the saved one.
    EXPECT_EQ(ReadDictName(ini), "General_eng");
}

TEST(Settings, NamesAreWrittenInTheEncodingOfTheFile) {
    const std::string cp1251 = "\xC8\xE2\xE0\xED";                // Иван
    const std::string utf8 = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD";  // Иван
    struct Case {
        std::string before;
        std::string written;
    };
    const Case cases[] = {
        {"[Players]\nName2=\xD0\x9F\xD1\x91\xD1\x82\xD1\x80\n", utf8},  // UTF-8 already
        {"[Players]\nName2=\xCF\xB8\xF2\xF0\n", cp1251},                // code page 1251
        {"[Players]\nName2=Pete\n", cp1251},                            // as before
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto file = dir / "Tessaroon.ini";
        WriteFile(file, c.before);
        IniFile ini(file);
        GameSettings s = ReadSettings(ini, Dict());
        s.Seat(1).Name = cp1251;
        s.Seat(2).Name = " padded ";
        ASSERT_EQ(SaveSettings(ini, s).message(), "");
        EXPECT_NE(test::ReadFile(file).find("Name1=" + c.written + "\n"), std::string::npos)
            << c.before;
        IniFile again(file);
        const GameSettings back = ReadSettings(again, Dict());
        EXPECT_EQ(back.Seat(1).Name, cp1251) << c.before;
        // The blanks at the ends are written as they are, quoted; a name read back has none.
        EXPECT_NE(test::ReadFile(file).find("Name2=\" padded \"\n"), std::string::npos) << c.before;
        EXPECT_EQ(back.Seat(2).Name, "padded") << c.before;
    }
}

// Code page 1251 letters whose bytes happen to form UTF-8 ("\xD0\xA8" is both "РЁ" and "Ш")
// are written in UTF-8, so that they read back as themselves.
TEST(Settings, NamesThatLookLikeUtf8ReadBackAsThemselves) {
    TempDir dir;
    const auto file = dir / "Tessaroon.ini";
    WriteFile(file, "[Players]\nName2=\xCF\xB8\xF2\xF0\n");
    IniFile ini(file);
    GameSettings s = ReadSettings(ini, Dict());
    s.Seat(1).Name = "\xD0\xA8";
    ASSERT_EQ(SaveSettings(ini, s).message(), "");
    IniFile again(file);
    EXPECT_EQ(ReadSettings(again, Dict()).Seat(1).Name, "\xD0\xA8");
}

// Saving settings that did not change writes the same bytes again, whatever line ends the file
// came with; the first save adds the missing keys in the file's own line ends.
TEST(Settings, ASecondSaveChangesNoByte) {
    struct Case {
        const char* text;
        const char* firstSaveHolds;
    };
    const std::vector<Case> cases = {
        {"[Players]\nCount=4\n", "[Players]\nCount=4\nName1="},
        {"[Players]\r\nCount=4\r\n", "[Players]\r\nCount=4\r\nName1="},
        {"[Players]\r\nCount=4", "[Players]\r\nCount=4\r\nName1="},  // no final line end
        // A last line ended by a lone CR: the CR ends the line, it is no blank within it.
        {"[Players]\r\nCount=\r", "[Players]\r\nCount=2\r\nName1="},
        {"[Players]\nCount=4\r", "[Players]\nCount=4\nName1="},
        {"[Players]\r", "[Players]\nCount=2\nName1="},
        {"\r", "\n[General]\nRatedGame=0\n"},
        {"[Players]\r\r\nCount=4\r\r\n", "[Players]\r\r\nCount=4\r\nName1="},
        {"[Players]\nCount=x\ry\n", "[Players]\nCount=2\nName1="},  // a CR within a line
        {"", "[General]\nRatedGame=0\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto file = dir / "Tessaroon.ini";
        WriteFile(file, c.text);
        IniFile ini(file);
        const GameSettings s = ReadSettings(ini, Dict());
        ASSERT_EQ(SaveSettings(ini, s).message(), "");
        const std::string first = test::ReadFile(file);
        EXPECT_NE(first.find(c.firstSaveHolds), std::string::npos) << c.text << " gave\n" << first;
        IniFile again(file);
        ASSERT_EQ(SaveSettings(again, ReadSettings(again, Dict())).message(), "");
        EXPECT_EQ(test::ReadFile(file), first) << c.text;
    }
}

TEST(Settings, SaveReportsAFileItCannotWrite) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Tessaroon.ini");  // a folder in the file's place
    IniFile ini(dir / "Tessaroon.ini");
    EXPECT_NE(SaveSettings(ini, GameSettings{}).message(), "");
}

// A save that fails part-way (a write error, as on a full disk) reports it and leaves the file
// as it was; so does a save over a file that was there but could not be read.
TEST(Settings, AFailedSaveLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string old = "[General]\nDict=General_eng\n; " + std::string(600, 'c') + "\n";
    WriteFile(dir / "Tessaroon.ini", old);
    IniFile ini(dir / "Tessaroon.ini");
    GameSettings s;
    s.Seat(1).Name = "Changed";
    std::string error;
    {
        test::FileSizeLimit limit(200);
        error = SaveSettings(ini, s).message();
    }
    EXPECT_NE(error.find("Cannot write the settings file"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(dir / "Tessaroon.ini"), old);
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"Tessaroon.ini"});

    // Larger than any settings file: read as empty, and never replaced by the defaults.
    const std::string huge = "[General]\n; " + std::string(kMaxIniFileSize, 'x') + "\n";
    WriteFile(dir / "Tessaroon.ini", huge);
    IniFile big(dir / "Tessaroon.ini");
    EXPECT_NE(big.ReadError().find("is larger than 1 MB"), std::string::npos) << big.ReadError();
    EXPECT_EQ(ReadDictName(big), "General_rus");
    EXPECT_EQ(SaveSettings(big, s).message(), big.ReadError());
    EXPECT_EQ(test::ReadFile(dir / "Tessaroon.ini").size(), huge.size());
}

}  // namespace
}  // namespace tq
