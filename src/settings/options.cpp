// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/options.h"

#include "base/names.h"
#include "settings/settings_file.h"

namespace tq {

std::optional<OptionsRefusal> CheckOptions(const GameSettings& values) {
    if (!FairTurn(values.ColCount, values.RowCount, values.Count, values.WordsPerMove))
        return OptionsRefusal{msg::IncorrectParameters, std::nullopt};
    for (int seat = 1; seat <= values.Count; ++seat)
        // A blank, a name with blanks at its ends or a character no name may hold is no name.
        if (!IsValidName(values.Seat(seat).Name))
            return OptionsRefusal{msg::NamesMissing, OptionsPage::Players};
    if (values.Directions.find('1') == std::string::npos)
        return OptionsRefusal{msg::NoDirections, OptionsPage::Rules};
    if (values.Mode == GameMode::General && values.RatedGame) {
        int humans = 0;
        for (int seat = 1; seat <= values.Count; ++seat)
            humans += values.Seat(seat).Type == PlayerType::Human;
        if (humans == 0) return OptionsRefusal{msg::NoHuman, OptionsPage::Players};
        if (humans > 1) return OptionsRefusal{msg::OneHumanOnly, OptionsPage::Players};
    }
    return std::nullopt;
}

void ImposeRatedRuleValues(GameSettings& s, const TDictInfo& dict) {
    s.WordsPerMove = 1;
    s.MinWordLen = 3;
    s.MaxWordLen = dict.LongestLen;
    s.UseJoker = s.AllowCrossings = s.AllowExWords = s.AcceptAllWords = false;
    s.SecMove = RatedMoveTime(s.ColCount, s.RowCount);
    s.SecBonus = 40;
    s.SecFine = 40;
}

void TickRatedGame(GameSettings& values, const TDictInfo& dict, bool allEight) {
    ImposeRatedRuleValues(values, dict);
    values.Directions = allEight ? "11111111" : "11110000";
}

WordLengths MinLengthChanged(int newMin, int max) {
    return {newMin, max < newMin ? newMin : max};
}

WordLengths MaxLengthChanged(int min, int newMax) {
    return {newMax < min ? newMax : min, newMax};
}

bool KeyAccepted(TypedText field, std::size_t length, char key) {
    if (key == '\b') return true;
    if (field != TypedText::ServerName && key == ',') return false;
    const std::size_t limit = field == TypedText::ServerName ? kServerNameLimit : kSeatNameLimit;
    return length < limit;
}

ModeView ViewForMode(GameMode mode) {
    ModeView v;
    switch (mode) {
        case GameMode::General:
            v.ratedGame = true;
            v.seatsAndField = true;
            v.applyButton = true;
            v.saveButton = true;
            break;
        case GameMode::Client:
            v.connectionPanel = true;
            v.messagePanel = true;
            v.rulesAndTimes = false;
            v.clientType = true;
            break;
        case GameMode::Server:
            v.messagePanel = true;
            v.seatsAndField = true;
            v.rulesAndTimes = true;
            v.applyButton = true;
            v.clientType = true;
            break;
    }
    return v;
}

PreviewOrigin PreviewPlacement(int panelWidth, int panelHeight, int cols, int rows) {
    return {(panelWidth - cols * kPreviewPitch) / 2, (panelHeight - rows * kPreviewPitch) / 2};
}

void ApplyOptions(GameSettings& target, const GameSettings& values, const TDictInfo& dict) {
    target.Mode = values.Mode;
    target.RatedGame = values.RatedGame;
    target.Count = values.Count;
    for (int seat = 1; seat <= values.Count; ++seat) {
        TPlayers& to = target.Seat(seat);
        const TPlayers& from = values.Seat(seat);
        to.Name = from.Name;
        to.Color = from.Color;
        to.Type = from.Type;
        to.Skill = from.Skill;
    }
    target.ColCount = values.ColCount;
    target.RowCount = values.RowCount;
    target.InitialWord.clear();
    target.WordsPerMove = values.WordsPerMove;
    target.MaxWordLen = values.MaxWordLen;
    target.MinWordLen = values.MinWordLen;
    target.Directions = values.Directions;
    target.UseJoker = values.UseJoker;
    target.AllowCrossings = values.AllowCrossings;
    target.AllowExWords = values.AllowExWords;
    target.SecMove = values.SecMove;
    target.SecBonus = values.SecBonus;
    target.SecFine = values.SecFine;
    target.AcceptAllWords = values.AcceptAllWords;
    target.ClientMoveLimit = values.ClientMoveLimit;
    target.UseRelay = values.UseRelay;
    target.Relay = values.Relay;
    if (target.Mode == GameMode::General && target.RatedGame) ImposeRatedRuleValues(target, dict);
}

}  // namespace tq
