// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/records.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <iterator>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/game_model.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// Seat 1 human with total h; the other seats computers given as {skill, total}.
// A rated game's settings and the state at its end.
struct Game {
    GameSettings s;
    GameState st;
};

Game Rated(int h, std::vector<std::pair<int, int>> computers, int cols = 5, int rows = 5,
           const std::string& directions = "11110000") {
    Game g;
    GameSettings& s = g.s;
    s.RatedGame = true;
    s.Count = static_cast<uint8_t>(1 + computers.size());
    s.ColCount = static_cast<uint8_t>(cols);
    s.RowCount = static_cast<uint8_t>(rows);
    s.Directions = directions;
    s.Seat(1).Type = PlayerType::Human;
    s.Seat(1).Name = "Ann";
    g.st.Score(1).WordPoints = h;
    for (std::size_t i = 0; i < computers.size(); ++i) {
        TPlayers& p = s.Seat(static_cast<int>(i) + 2);
        p.Type = PlayerType::Computer;
        p.Skill = static_cast<uint8_t>(computers[i].first);
        g.st.Score(static_cast<int>(i) + 2).WordPoints = computers[i].second;
    }
    return g;
}

int32_t ValueOf(const Game& g) {
    return RecordValue(WeightedSum(g.s, g.st, HumanSeat(g.s)), g.s);
}

// A settings value giving weighted sum w on a 5 x 5 field: a lead of w over a skill-1 seat.
Game WithSum(int w, const std::string& directions = "11110000") {
    return Rated(w, {{1, 0}}, 5, 5, directions);
}

TEST(RecordValue, FollowsTheWeightsAndRoundsHalvesToEven) {
    struct Case {
        const char* what;
        Game s;
        int32_t value;
    };
    const std::vector<Case> cases = {
        {"skill 3, ahead by 7, all directions", Rated(17, {{3, 10}}, 5, 5, "11111111"), 84},
        {"ahead of skill 7 and behind skill 1 by 10", Rated(50, {{7, 40}, {1, 60}}), 0},
        {"level with a computer seat", Rated(30, {{5, 30}}), 0},
        {"behind a weak seat costs much", Rated(0, {{1, 10}}), -500},  // -10 x 100 x 25 / 50
        {"behind a strong seat costs little", Rated(0, {{7, 10}}), -5},
        {"21.5 goes to 22", WithSum(43), 22},
        {"22.5 goes to 22", WithSum(45), 22},
        {"-21.5 goes to -22", Rated(0, {{7, 43}}), -22},
        {"-22.5 goes to -22", Rated(0, {{7, 45}}), -22},
        {"10 on 10 x 10, diagonals", Rated(20, {{1, 10}}, 10, 10, "11111111"), 40},
        // A lead that overflows 16 bits: 40000 x 100 x 100 / 50 = 8000000, no wrap-around.
        {"large lead", Rated(40000, {{7, 0}}, 10, 10), 8000000},
    };
    for (const Case& c : cases) EXPECT_EQ(ValueOf(c.s), c.value) << c.what;
}

TEST(GameSummary, ListsSeatsFieldAndDiagonalFlag) {
    const Game plain = Rated(140, {{3, 90}});
    EXPECT_EQ(GameSummary(plain.s, plain.st), "H-140,C3-90,55,0");
    Game g = Rated(0, {{7, 25}, {2, 0}}, 10, 8, "11111111");
    g.st.Score(1).FinePoints = 5;
    EXPECT_EQ(GameSummary(g.s, g.st), "H--5,C7-25,C2-0,108,1");
    // With several human seats the last one is rated.
    g.s.Seat(3).Type = PlayerType::Human;
    EXPECT_EQ(HumanSeat(g.s), 3);
}

// The eleven lines of a file over `lines`, the check computed over the given text.
std::string FileText(const RecordLines& lines, const std::string& check,
                     const std::string& extra = "") {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text + check + "\r\n" + extra;
}

TEST(ReadRecords, AcceptsBothCheckFormsAndNothingElse) {
    RecordLines lines = DefaultRecordTable();
    lines[3] = "250 H-100,C4-20,55,0 Mary Ann Smith";
    lines[4] = "120 H-60,C2-30,55,1 ";
    const std::string full = CheckLine(lines, 1, 3);
    const std::string bare = CheckLineOfLines(lines);
    ASSERT_NE(full, bare);
    EXPECT_EQ(full.size(), 8u);

    std::string lower = full;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string tenLines;
    for (const auto& l : lines) tenLines += l + "\r\n";

    struct Case {
        const char* what;
        std::string text;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"check with language and edition", FileText(lines, full), true},
        {"check over the lines alone", FileText(lines, bare), true},
        {"LF line ends", "1000 - Champion\n" + FileText(lines, full).substr(17), true},
        {"a twelfth line", FileText(lines, full, "junk\r\nmore\r\n"), true},
        {"another language", FileText(lines, CheckLine(lines, 2, 3)), false},
        {"lower-case digits", FileText(lines, lower), false},
        {"check of 7 characters", FileText(lines, full.substr(1)), false},
        {"ten lines", tenLines, false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        const auto read = ParseRecordsText(c.text, 1, 3);
        EXPECT_EQ(read.has_value(), c.valid) << c.what;
        if (read && c.valid) {
            EXPECT_EQ(*read, lines) << c.what;
        }
    }
}

TEST(ReadRecords, SplitsValueAndNameAfterTheFirstTwoTokens) {
    const std::vector<std::pair<std::string, RecordEntry>> cases = {
        {"1000 - Champion", {1, "Champion", "1000"}},
        {"250 H-100,C4-20,55,0 Mary Ann  Smith", {1, "Mary Ann  Smith", "250"}},
        {"120 H-60,C2-30,55,1 ", {1, "", "120"}},
        {"77", {1, "", "77"}},
    };
    for (const auto& [line, want] : cases) {
        const RecordEntry e = SplitRecordLine(line, 1);
        EXPECT_EQ(e.Value, want.Value) << line;
        EXPECT_EQ(e.Name, want.Name) << line;
    }
}

TEST(InsertRecord, EqualValueStaysAboveAndTheEleventhDrops) {
    RecordLines lines = DefaultRecordTable();
    EXPECT_EQ(InsertRecord(lines, 400, "S", "Bob"), 3);
    EXPECT_EQ(lines[1], "400 - Expert");
    EXPECT_EQ(lines[2], "400 S Bob");
    EXPECT_EQ(lines[3], "300 - Expert");
    EXPECT_EQ(lines[9], "20 - Novice");

    RecordLines high;
    high.fill("500 x y");
    const RecordLines before = high;
    EXPECT_EQ(InsertRecord(high, 500, "S", "Bob"), 0);
    EXPECT_EQ(high, before);
    // An entry whose value is not a number counts as the lowest.
    high[9] = "abc x y";
    EXPECT_EQ(InsertRecord(high, 11, "S", ""), 10);
    EXPECT_EQ(high[9], "11 S ");
}

class UpdateRecordsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model_.StartFolder =
            fs::temp_directory_path() /
            ("tq_records_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(model_.StartFolder);
        fs::create_directories(model_.RecordsFolder());
        model_.Dict.DictName = "General_rus";
        model_.Dict.Language = 1;
        model_.Dict.Edition = 0;
    }
    void TearDown() override { fs::remove_all(model_.StartFolder); }

    fs::path File() const { return RecordsFilePath(model_.RecordsFolder(), model_.Dict); }
    std::array<RecordEntry, 10> Table() const {
        return RecordTableForDisplay(model_.RecordsFolder(), model_.Dict);
    }
    Result<int> Update() {
        return UpdateRecords(model_.RecordsFolder(), model_.Dict, model_.Settings, model_.State);
    }
    std::string ReadAll() const {
        std::ifstream in(File(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    Result<int> Play(int sum, const std::string& name = "Ann") {
        const Game g = WithSum(sum);
        model_.Settings = g.s;
        model_.State = g.st;
        model_.Settings.Seat(1).Name = name;
        return Update();
    }

    GameModel model_;
};

// The place an update entered, 0 for none, -1 when it failed.
int PlaceOf(const Result<int>& update) {
    return update.ok() ? *update : -1;
}

TEST_F(UpdateRecordsTest, ValueOfTenMakesNoEntryAndElevenEntersAFreshTable) {
    // 21 x 25 / 50 = 10.5 -> 10; 22 x 25 / 50 = 11.
    EXPECT_EQ(PlaceOf(Play(21)), 0);
    EXPECT_FALSE(fs::exists(File()));

    EXPECT_EQ(PlaceOf(Play(22, "Ann Lee")), 10);
    EXPECT_EQ(model_.State.NewRecordPlace, 10);
    RecordLines want = DefaultRecordTable();
    want[9] = "11 H-22,C1-0,55,0 Ann Lee";
    EXPECT_EQ(ReadAll(), RecordsFileText(want, 1, 0));
    // The check text is "1", "0" and the ten lines; every line ends CR LF.
    EXPECT_EQ(ReadAll(), FileText(want, CheckLine(want, 1, 0)));
    EXPECT_EQ(Table()[9].Name, "Ann Lee");
}

TEST_F(UpdateRecordsTest, NoPlaceLeavesTheFileAlone) {
    RecordLines high;
    high.fill("5000 - Old");
    { std::ofstream(File(), std::ios::binary) << FileText(high, CheckLineOfLines(high), "x\r\n"); }
    const std::string before = ReadAll();
    model_.State.NewRecordPlace = 0;
    EXPECT_EQ(PlaceOf(Play(1000)), 0);  // value 500
    EXPECT_EQ(ReadAll(), before);
    EXPECT_EQ(model_.State.NewRecordPlace, 0);

    // Above the last entry: the twelfth line goes and the check takes the full form.
    high[9] = "400 - Old";
    { std::ofstream(File(), std::ios::binary) << FileText(high, CheckLineOfLines(high), "x\r\n"); }
    EXPECT_EQ(PlaceOf(Play(1000, "")), 10);
    high[9] = "500 H-1000,C1-0,55,0 ";
    EXPECT_EQ(ReadAll(), RecordsFileText(high, 1, 0));
    EXPECT_EQ(Table()[9].Name, "");
}

TEST_F(UpdateRecordsTest, DamagedFileIsReplacedByTheDefaultTable) {
    { std::ofstream(File(), std::ios::binary) << "1 2 3\r\n"; }
    EXPECT_EQ(Table()[0].Name, "Champion");
    EXPECT_EQ(Table()[0].Value, "1000");
    EXPECT_EQ(PlaceOf(Play(800)), 3);  // 400: below the default 400
    EXPECT_EQ(model_.State.NewRecordPlace, 3);
    EXPECT_EQ(Table()[2].Value, "400");
    EXPECT_EQ(Table()[2].Name, "Ann");
}

TEST_F(UpdateRecordsTest, LongLinesAreReadWhole) {
    // Reading stops after eleven lines, but never inside one of them.
    RecordLines lines = DefaultRecordTable();
    lines[0] = "9000 - " + std::string(5000, 'N');
    {
        std::ofstream(File(), std::ios::binary)
            << FileText(lines, CheckLine(lines, 1, 0), std::string(100000, 'x'));
    }
    EXPECT_EQ(Table()[0].Name, std::string(5000, 'N'));
}

TEST_F(UpdateRecordsTest, UnwritableFileOrMissingFolderGivesAnError) {
    fs::create_directory(File());  // a folder where the file should be
    Result<int> out = Play(1000);
    EXPECT_FALSE(out.ok());
    EXPECT_NE(out.message().find("General_rus.tqr"), std::string::npos) << out.message();
    EXPECT_EQ(model_.State.NewRecordPlace, 0);

    fs::remove_all(model_.RecordsFolder());
    out = Play(1000);
    EXPECT_FALSE(out.ok());
    EXPECT_NE(out.message().find("Records"), std::string::npos) << out.message();
    EXPECT_FALSE(fs::exists(model_.RecordsFolder()));  // never created
}

// A file that is there but cannot be read may hold every earlier record: it is never replaced
// by the default table. Each case leaves the file as it was and gives an error naming it.
TEST_F(UpdateRecordsTest, AFileThatCannotBeReadIsLeftAlone) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"a FIFO", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); },
         "is not a regular file"},
        {"a link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
         "is not a regular file"},
        {"1 MB without a line break",
         [](const fs::path& f) {
             std::ofstream(f, std::ios::binary) << std::string(kMaxRecordsFileSize + 1, 'x');
         },
         "is larger than 1 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(File());
        c.make(File());
        const auto type = fs::symlink_status(File()).type();
        const Result<int> out = Play(1000);
        EXPECT_FALSE(out.ok());
        EXPECT_NE(out.message().find(c.message), std::string::npos) << out.message();
        EXPECT_NE(out.message().find("General_rus.tqr"), std::string::npos) << out.message();
        EXPECT_EQ(fs::symlink_status(File()).type(), type);
        EXPECT_EQ(model_.State.NewRecordPlace, 0);
    }
    EXPECT_EQ(fs::file_size(File()), kMaxRecordsFileSize + 1);

    if (geteuid() != 0) {  // permissions do not stop root
        fs::remove(File());
        RecordLines lines = DefaultRecordTable();
        lines[0] = "5000 H-1,C1-0,55,0 Early";
        { std::ofstream(File(), std::ios::binary) << RecordsFileText(lines, 1, 0); }
        fs::permissions(File(), fs::perms::none);
        EXPECT_NE(Play(1000).message(), "");
        fs::permissions(File(), fs::perms(0600));
        EXPECT_EQ(ReadRecordsFile(File(), 1, 0), lines);
    }
}

// The new table takes the old file's mode; a read-only file stays as it is.
TEST_F(UpdateRecordsTest, KeepsTheModeAndLeavesAReadOnlyFile) {
    ASSERT_GT(PlaceOf(Play(1000)), 0);
    fs::permissions(File(), fs::perms(0640));
    ASSERT_GT(PlaceOf(Play(1002)), 0);
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms(0640));

    fs::permissions(File(), fs::perms(0444));
    const std::string before = ReadAll();
    const Result<int> out = Play(1004);
    EXPECT_FALSE(out.ok());
    EXPECT_NE(out.message().find("General_rus.tqr"), std::string::npos) << out.message();
    EXPECT_EQ(ReadAll(), before);
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms(0444));
    EXPECT_EQ(std::distance(fs::directory_iterator(model_.RecordsFolder()), {}), 1);
}

// Two programs entering records into one file at once: every entry is read by the next update,
// so the table ends with the ten best values of both and no update is lost.
TEST_F(UpdateRecordsTest, TwoProgramsAtOnceLoseNoRecord) {
    constexpr int kGames = 40;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            int failures = 0;
            for (int i = 0; i < kGames; ++i) {
                // Value 2000 + 2i + k: every game's value differs, later games' are higher.
                if (!Play(2 * (2000 + 2 * i + k), k ? "Two" : "One").ok()) ++failures;
            }
            _exit(failures);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const std::optional<RecordLines> table = ReadRecordsFile(File(), 1, 0);
    ASSERT_TRUE(table);
    for (int place = 0; place < 10; ++place)
        EXPECT_EQ(SplitRecordLine((*table)[place], place + 1).Value,
                  std::to_string(2000 + 2 * kGames - 1 - place));
    EXPECT_EQ(std::distance(fs::directory_iterator(model_.RecordsFolder()), {}), 1);
}

TEST_F(UpdateRecordsTest, OnlyRatedGeneralGamesAreRated) {
    const Game g = WithSum(1000);
    model_.Settings = g.s;
    model_.State = g.st;
    model_.Settings.RatedGame = false;
    EXPECT_EQ(PlaceOf(Update()), 0);
    model_.Settings.RatedGame = true;
    model_.Settings.Mode = GameMode::Server;
    EXPECT_EQ(PlaceOf(Update()), 0);
    EXPECT_FALSE(fs::exists(File()));
}

}  // namespace
}  // namespace tq
