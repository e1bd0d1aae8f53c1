// SPDX-License-Identifier: GPL-3.0-or-later
// A soak of whole games between computer seats over random valid settings: every game must end
// with a full field, every word played once, and each seat's word points ten per letter played.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "base/letters.h"
#include "core/game_flow.h"
#include "fake_view.h"
#include "settings/settings_file.h"

namespace tq::test {
namespace {

// A random valid setting with fair turns.
GameSettings RandomSettings(std::mt19937& rng, const TDictInfo& dict) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    GameSettings s;
    do {
        s.Count = static_cast<uint8_t>(pick(2, 5));
        s.ColCount = static_cast<uint8_t>(pick(3, 10));
        s.RowCount = static_cast<uint8_t>(pick(3, 10));
        s.WordsPerMove = static_cast<uint8_t>(pick(1, 5));
    } while (!FairTurn(s.ColCount, s.RowCount, s.Count, s.WordsPerMove));
    for (int seat = 1; seat <= kMaxSeats; ++seat) {
        s.Seat(seat).Type = PlayerType::Computer;
        s.Seat(seat).Skill = static_cast<uint8_t>(pick(1, 7));
    }
    do {
        s.Directions.clear();
        for (int k = 0; k < 8; ++k) s.Directions += pick(0, 1) ? '1' : '0';
    } while (s.Directions == "00000000");
    s.AllowCrossings = pick(0, 1);
    s.UseJoker = pick(0, 1);
    s.AllowExWords = pick(0, 1);
    s.MinWordLen = static_cast<uint8_t>(pick(dict.ShortestLen, 4));
    s.MaxWordLen = static_cast<uint8_t>(pick(std::max(3, int(s.MinWordLen)), dict.LongestLen));
    return s;
}

class SelfPlaySoak : public testing::TestWithParam<const char*> {};

TEST_P(SelfPlaySoak, ThousandGamesEndFullWithDistinctWordsAndHonestPoints) {
    GameModel model;
    model.Dict.DictName = GetParam();
    const Status loaded = LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts",
                                         model.Words, model.Dict);
    ASSERT_TRUE(loaded.ok()) << loaded.message();

    FakeView view;
    NullSender sender;
    std::mt19937 settingsRng(20240611);
    model.Rng.Seed(99);
    GameFlow flow(model, view, sender);
    view.flow = &flow;

    // What each game tells its observers: the drawn word, the moves, the totals.
    struct Log : GameEvents {
        void GameStarted(const GameStartedEvent& e) override { drawn = e.DrawnWord; }
        void MovePlayed(const MovePlayedEvent& e) override { moves.push_back(e); }
        void GameEnded(const GameEndedEvent& e) override { ended.push_back(e); }
        std::string drawn;
        std::vector<MovePlayedEvent> moves;
        std::vector<GameEndedEvent> ended;
    } log;
    flow.Subscribe(log);

    for (int game = 0; game < 1000; ++game) {
        model.Settings = RandomSettings(settingsRng, model.Dict);
        const GameSettings& s = model.Settings;
        log = Log{};
        flow.StartNewGame();
        view.RunWakes();
        SCOPED_TRACE(testing::Message() << "game " << game << ": " << int(s.Count) << " seats, "
                                        << int(s.ColCount) << "x" << int(s.RowCount) << ", "
                                        << int(s.WordsPerMove) << " words, " << s.Directions);

        ASSERT_EQ(flow.Phase(), GamePhase::GameOver);
        ASSERT_EQ(view.statusDialogs, game + 1);
        ASSERT_EQ(model.State.LetterCountOnField, s.ColCount * s.RowCount);
        ASSERT_EQ(model.State.FieldLetters.size(), std::size_t(s.ColCount * s.RowCount));
        for (int c = 0; c < s.ColCount; ++c)
            for (int r = 0; r < s.RowCount; ++r) ASSERT_NE(model.Board.At(c, r), kEmptyCell);
        ASSERT_EQ(log.moves.size(), std::size_t(s.ColCount * (s.RowCount - 1)));
        ASSERT_EQ(log.ended.size(), 1u);

        SortedWordList seen;
        seen.Add(log.drawn);  // the drawn word counts as played
        std::vector<int> letters(kMaxSeats + 1, 0);
        for (const MovePlayedEvent& m : log.moves) {
            if (!m.FormsWord()) continue;
            const std::string& word = m.Report.Word;
            ASSERT_TRUE(model.Words.ContainsWord(word)) << word;
            ASSERT_TRUE(seen.Add(word)) << word << " played twice";
            ASSERT_GE(word.size(), s.MinWordLen);
            ASSERT_LE(word.size(), s.MaxWordLen);
            letters[m.Seat] += static_cast<int>(word.size());
        }
        for (int seat = 1; seat <= s.Count; ++seat) {
            ASSERT_EQ(model.State.Score(seat).WordPoints, 10 * letters[seat]) << "seat " << seat;
            ASSERT_EQ(model.State.Score(seat).BonusPoints, 0);
            ASSERT_EQ(model.State.Score(seat).FinePoints, 0);
            ASSERT_EQ(log.ended[0].Totals[seat - 1].Total, 10 * letters[seat]) << "seat " << seat;
        }
    }
    flow.Unsubscribe(log);
}

INSTANTIATE_TEST_SUITE_P(ShippedDictionaries, SelfPlaySoak,
                         testing::Values("General_eng", "General_rus"));

}  // namespace
}  // namespace tq::test
