// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_model.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tq {
namespace {

using test::EnglishWords;
using test::PlainList;
using test::TempDir;
using test::WriteFile;

TEST(StartUp, StopsWithTheDictionaryMessageBelowAHundredWords) {
    for (int n : {99, 100}) {
        TempDir dir;
        WriteFile(dir / "Tessaroon.ini", "[General]\nDict=Small\n");
        WriteFile(dir / "Dicts/Small.txt", PlainList("{eng}", EnglishWords(n)));
        GameModel model;
        Status r = StartUp(model, dir.path());
        EXPECT_EQ(r.ok(), n == 100);
        if (!r.ok()) {
            EXPECT_EQ(r.message(), "Error when opening the dictionary file.");
        }
    }
}

TEST(StartUp, ReadsTheRulesAfterTheDictionary) {
    TempDir dir;
    // MinWordLen and MaxWordLen are bounded by the loaded words (3 to 5 letters here).
    std::vector<std::string> words = EnglishWords(100);
    words.push_back("BCDEF");
    WriteFile(dir / "Dicts/General_rus.txt", PlainList("{eng}", words));
    WriteFile(dir / "Tessaroon.ini", "[Rules]\nMinWordLen=2\nMaxWordLen=9\n");
    GameModel model;
    ASSERT_TRUE(StartUp(model, dir.path()).ok());
    EXPECT_EQ(model.Dict.DictName, "General_rus");
    EXPECT_EQ(model.Settings.MinWordLen, 3);
    EXPECT_EQ(model.Settings.MaxWordLen, 5);
    EXPECT_EQ(model.State.Phase, GamePhase::Idle);
}

}  // namespace
}  // namespace tq
