// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the window tests: a game model held in memory, and a recorder for modal dialogs.

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <functional>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/game_model.h"
#include "ui/main_form.h"

namespace tq::test {

// An English model whose only five-letter word is STONE, so a 5 x 5 game always starts with
// S(0,2) T(1,2) O(2,2) N(3,2) E(4,2); two human seats. The styles are those of the start folder
// (the shipped one unless told otherwise).
inline void FillEnglishModel(GameModel& model,
                             const std::filesystem::path& startFolder = TESSAROON_START_FOLDER) {
    model.StartFolder = startFolder;
    model.StyleName = "Marble";
    model.Dict = TDictInfo{};
    model.Dict.DictName = "Test_eng";
    model.Dict.Language = 2;
    model.Dict.SetAlphabetFromLanguage();
    model.Words.Clear();
    for (const char* w : {"STONE", "AS", "TO", "ON", "NOTE", "TONE", "SET", "TEN", "NET"})
        model.Words.AddWord(w);
    model.Dict.ShortestLen = static_cast<uint8_t>(model.Words.ShortestLength());
    model.Dict.LongestLen = static_cast<uint8_t>(model.Words.LongestLength());
    model.Rng.Seed(11);
    GameSettings& s = model.Settings;
    s = GameSettings{};
    s.Count = 2;
    s.Seat(1).Name = "Ann";
    s.Seat(2).Name = "Bob";
    s.Seat(1).Type = PlayerType::Human;
    s.Seat(2).Type = PlayerType::Human;
    s.ColCount = 5;
    s.RowCount = 5;
    s.WordsPerMove = 1;
    s.MinWordLen = 2;
    s.MaxWordLen = 10;
    s.Directions = "11110000";
    s.ComputerPace = 0;  // tests are never paced unless they ask for it
}

// Records every modal dialog the window would run, and answers it without a loop.
struct ModalRecorder {
    std::vector<QString> shown;  // class names
    int answer = QDialog::Accepted;
    std::function<void(QDialog&)> onShow;

    std::function<int(QDialog&)> Runner() {
        return [this](QDialog& d) {
            shown.push_back(d.metaObject()->className());
            if (onShow) onShow(d);
            return answer;
        };
    }
    int Count(const char* className) const {
        int n = 0;
        for (const QString& s : shown) n += s == className;
        return n;
    }
};

}  // namespace tq::test
