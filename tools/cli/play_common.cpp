// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_common.h"
#include "printable.h"

#include <algorithm>
#include <iostream>

#include "base/chain_rules.h"
#include "base/messages.h"
#include "dict/cp1251.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"

namespace tq::cli {

const char* const kGameOptionsUsage =
    "  --games N             number of games (default 1)\n"
    "  --seed N              seed of game 1; game i uses seed + i - 1 (default: the clock)\n"
    "  --seats S1,S2,...     2 to 5 seats given by their skills 1..7\n"
    "  --size CxR            field of C columns and R rows, 3..10 each\n"
    "  --words-per-move N    1..5\n"
    "  --min-len N, --max-len N   word lengths\n"
    "  --directions FLAGS    eight 0/1 flags: left right up down, then the four diagonals\n"
    "  --crossings 0|1       chains may cross their own diagonal steps\n"
    "  --joker 0|1           one letter of the initial word becomes '?'\n"
    "  --ex-words 0|1        words already readable on the field may be formed again\n"
    "  --json                one JSON object per game and line instead of the tables\n";

Result<long> ParseInt(const std::string& text, long lo, long hi) {
    std::size_t used = 0;
    long value = 0;
    bool read = !text.empty();
    if (read) {
        try {
            value = std::stol(text, &used);
        } catch (...) {
            read = false;
        }
    }
    if (!read || used != text.size() || value < lo || value > hi)
        return Result<long>::Error("must be a whole number from " + std::to_string(lo) + " to " +
                                   std::to_string(hi) + ", not \"" + text + "\"");
    return value;
}

const std::vector<OptionSpec> kGameOptions = {
    {"--games", true},          {"--seed", true},    {"--seats", true},    {"--size", true},
    {"--words-per-move", true}, {"--min-len", true}, {"--max-len", true},  {"--directions", true},
    {"--crossings", true},      {"--joker", true},   {"--ex-words", true}, {"--json", false}};

namespace {

std::string Span(SettingRange range) {
    return std::to_string(range.min) + ".." + std::to_string(range.max);
}

}  // namespace

Status TakeGameOption(const std::string& name, const std::string& value, Options& o) {
    if (name == "--json") {
        o.json = true;
        return Status::Ok();
    }
    long n = 0;
    auto number = [&](long lo, long hi) {
        const Result<long> parsed = ParseInt(value, lo, hi);
        if (!parsed.ok()) return Status::Error(name + " " + parsed.message());
        n = *parsed;
        return Status::Ok();
    };
    // The settings' own ranges: those of the file, the options dialog and the network.
    auto numberIn = [&](Setting setting) {
        return number(RangeOf(setting).min, RangeOf(setting).max);
    };
    const SettingRange skill = RangeOf(Setting::Skill), count = RangeOf(Setting::Count);
    const SettingRange cols = RangeOf(Setting::ColCount), rows = RangeOf(Setting::RowCount);
    auto flag = [&](std::optional<bool>& target) {
        if (value != "0" && value != "1") return Status::Error(name + " must be 0 or 1");
        target = value == "1";
        return Status::Ok();
    };
    Status status;
    if (name == "--games") {
        if ((status = number(1, 10000000)).ok()) o.games = static_cast<int>(n);
    } else if (name == "--seed") {
        const Result<long> seed = ParseInt(value, 0, 0x7FFFFFFFFFFFFFFFL);
        if (!seed.ok()) return Status::Error("--seed must be a whole number");
        o.seed = static_cast<uint64_t>(*seed);
    } else if (name == "--seats") {
        std::vector<int> skills;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = value.find(',', start);
            const std::string part = value.substr(start, comma - start);
            const Result<long> seat = ParseInt(part, skill.min, skill.max);
            if (!seat.ok())
                return Status::Error("--seats takes skills " + Span(skill) +
                                     " separated by commas");
            skills.push_back(static_cast<int>(*seat));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (!count.Contains(static_cast<long>(skills.size())))
            return Status::Error("--seats takes " + std::to_string(count.min) + " to " +
                                 std::to_string(count.max) + " seats");
        o.skills = skills;
    } else if (name == "--size") {
        const std::size_t x = value.find_first_of("xX");
        const Result<long> c = x == std::string::npos
                                   ? Result<long>::Error("")
                                   : ParseInt(value.substr(0, x), cols.min, cols.max);
        const Result<long> r =
            c.ok() ? ParseInt(value.substr(x + 1), rows.min, rows.max) : c.status();
        if (!r.ok())
            return Status::Error("--size takes CxR with " + Span(cols) +
                                 " columns and rows, for example 5x5");
        o.cols = static_cast<int>(*c);
        o.rows = static_cast<int>(*r);
    } else if (name == "--words-per-move") {
        if ((status = numberIn(Setting::WordsPerMove)).ok()) o.wordsPerMove = static_cast<int>(n);
    } else if (name == "--min-len") {
        if ((status = numberIn(Setting::MinWordLen)).ok()) o.minLen = static_cast<int>(n);
    } else if (name == "--max-len") {
        if ((status = numberIn(Setting::MaxWordLen)).ok()) o.maxLen = static_cast<int>(n);
    } else if (name == "--directions") {
        if (value.size() != 8 || value.find_first_not_of("01") != std::string::npos ||
            value == "00000000")
            return Status::Error("--directions takes eight 0/1 flags with at least one 1");
        o.directions = value;
    } else if (name == "--crossings") {
        status = flag(o.crossings);
    } else if (name == "--joker") {
        status = flag(o.joker);
    } else if (name == "--ex-words") {
        status = flag(o.exWords);
    } else {
        return Status::Error("unknown option \"" + name + "\"");
    }
    return status;
}

Status ParseOptions(const std::vector<std::string>& args, Options& o) {
    const Result<Arguments> parsed = ParseArguments(args, kGameOptions);
    if (!parsed.ok()) return parsed.status();
    if (!parsed->positional.empty())
        return Status::Error("unexpected argument \"" + parsed->positional.front() + "\"");
    for (const auto& [name, value] : parsed->options)
        if (Status taken = TakeGameOption(name, value, o); !taken.ok()) return taken;
    return Status::Ok();
}

// Settings from the file, options over them; every seat a computer seat, no rating.
Status ApplyOptions(const Options& o, const TDictInfo& dict, GameSettings& s) {
    s.Mode = GameMode::General;
    s.RatedGame = false;
    s.InitialWord.clear();
    if (o.skills) {
        s.Count = static_cast<uint8_t>(o.skills->size());
        for (int seat = 1; seat <= s.Count; ++seat)
            s.Seat(seat).Skill = static_cast<uint8_t>((*o.skills)[seat - 1]);
    }
    for (int seat = 1; seat <= kMaxSeats; ++seat) s.Seat(seat).Type = PlayerType::Computer;
    if (o.cols) s.ColCount = static_cast<uint8_t>(*o.cols);
    if (o.rows) s.RowCount = static_cast<uint8_t>(*o.rows);
    if (o.wordsPerMove) s.WordsPerMove = static_cast<uint8_t>(*o.wordsPerMove);
    if (o.minLen) s.MinWordLen = static_cast<uint8_t>(*o.minLen);
    if (o.maxLen) s.MaxWordLen = static_cast<uint8_t>(*o.maxLen);
    if (o.directions) s.Directions = *o.directions;
    if (o.crossings) s.AllowCrossings = *o.crossings;
    if (o.joker) s.UseJoker = *o.joker;
    if (o.exWords) s.AllowExWords = *o.exWords;

    if (s.MinWordLen < dict.ShortestLen)
        return Status::Error("the shortest word length is " + std::to_string(dict.ShortestLen) +
                             " with this dictionary");
    if (s.MaxWordLen > dict.LongestLen)
        return Status::Error("the longest word length is " + std::to_string(dict.LongestLen) +
                             " with this dictionary");
    if (s.MinWordLen > s.MaxWordLen) return Status::Error("--min-len is above --max-len");
    if (!FairTurn(s.ColCount, s.RowCount, s.Count, s.WordsPerMove))
        return Status::Error("a " + std::to_string(s.ColCount) + "x" + std::to_string(s.RowCount) +
                             " field has " + std::to_string(s.ColCount * (s.RowCount - 1)) +
                             " free cells, which do not divide into turns of " +
                             std::to_string(s.Count) + " seats x " +
                             std::to_string(s.WordsPerMove) + " words");
    return Status::Ok();
}

void GameRecorder::GameStarted(const GameStartedEvent& e) {
    moves.clear();
    drawnWord = e.DrawnWord;
    placedWord = e.PlacedWord;
}

void GameRecorder::MovePlayed(const MovePlayedEvent& e) {
    PlayedMove m;
    m.round = e.Round;
    m.seat = e.Seat;
    m.moveWord = e.MoveWord;
    if (e.FormsWord()) m.word = e.Report.Word;
    m.letter = e.Report.Letter;
    m.cell = Cell{e.Report.Col, e.Report.Row};
    m.chain = ChainText(e.Path);
    m.points = e.Points;
    moves.push_back(std::move(m));
}

std::string Utf8(std::string_view text) {
    return Cp1251ToUtf8(text);
}

// Seats sharing the top total; one seat when there is a single winner.
std::vector<int> TopSeats(const GameModel& model) {
    const GameSettings& s = model.Settings;
    std::vector<int> top;
    int32_t best = 0;
    for (int seat = 1; seat <= s.Count; ++seat) {
        const int32_t total = model.State.Score(seat).Total();
        if (top.empty() || total > best) {
            top = {seat};
            best = total;
        } else if (total == best) {
            top.push_back(seat);
        }
    }
    return top;
}

nlohmann::json GameJson(int number, uint64_t seed, const GameModel& model,
                        const GameRecorder& game) {
    const GameSettings& s = model.Settings;
    using nlohmann::json;
    json seats = json::array();
    for (int seat = 1; seat <= s.Count; ++seat)
        seats.push_back(
            {{"seat", seat}, {"name", Utf8(s.Seat(seat).Name)}, {"skill", s.Seat(seat).Skill}});
    json settings = {{"dictionary", Utf8(model.Dict.DictName)},
                     {"language", model.Dict.Language == 1 ? "rus" : "eng"},
                     {"seats", seats},
                     {"cols", s.ColCount},
                     {"rows", s.RowCount},
                     {"wordsPerMove", s.WordsPerMove},
                     {"minWordLen", s.MinWordLen},
                     {"maxWordLen", s.MaxWordLen},
                     {"directions", s.Directions},
                     {"useJoker", s.UseJoker},
                     {"allowCrossings", s.AllowCrossings},
                     {"allowExWords", s.AllowExWords}};
    json moves = json::array();
    for (const PlayedMove& m : game.moves)
        moves.push_back({{"round", m.round},
                         {"seat", m.seat},
                         {"moveWord", m.moveWord},
                         {"word", Utf8(m.word)},
                         {"letter", Utf8(std::string(1, m.letter))},
                         {"column", m.cell.col},
                         {"row", m.cell.row},
                         {"chain", m.chain},
                         {"points", m.points}});
    json totals = json::array();
    for (int seat = 1; seat <= s.Count; ++seat) {
        const SeatScore& p = model.State.Score(seat);
        totals.push_back({{"seat", seat},
                          {"wordPoints", p.WordPoints},
                          {"bonusPoints", p.BonusPoints},
                          {"finePoints", p.FinePoints},
                          {"total", p.Total()}});
    }
    return {{"game", number},
            {"seed", seed},
            {"settings", settings},
            {"initialWord", Utf8(game.drawnWord)},
            {"initialWordPlaced", Utf8(game.placedWord)},
            {"moves", moves},
            {"totals", totals},
            {"winners", TopSeats(model)}};
}

// Pads to a width in characters, not bytes: Cyrillic letters take two bytes in UTF-8.
std::size_t Chars(const std::string& utf8) {
    std::size_t n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}
std::string PadRight(const std::string& utf8, std::size_t width) {
    const std::size_t n = Chars(utf8);
    return utf8 + std::string(width > n ? width - n : 0, ' ');
}
std::string PadLeft(const std::string& utf8, std::size_t width) {
    const std::size_t n = Chars(utf8);
    return std::string(width > n ? width - n : 0, ' ') + utf8;
}

void PrintGame(int number, uint64_t seed, const GameModel& model, const GameRecorder& game) {
    const GameSettings& s = model.Settings;
    std::cout << "Game " << number << " (seed " << seed << "), initial word "
              << Utf8(game.placedWord) << "\n";
    std::size_t nameWidth = 4;
    for (int seat = 1; seat <= s.Count; ++seat)
        nameWidth = std::max(nameWidth, Chars(Printable(s.Seat(seat).Name)));
    std::cout << "  " << PadLeft("#", 3) << "  " << PadRight("Seat", nameWidth) << "  "
              << PadRight("Word", 16) << " " << PadLeft("Points", 6) << "  Letter\n";
    int row = 0;
    for (const PlayedMove& m : game.moves) {
        std::cout << "  " << PadLeft(std::to_string(++row), 3) << "  "
                  << PadRight(Printable(s.Seat(m.seat).Name), nameWidth) << "  "
                  << PadRight(m.word.empty() ? std::string(msg::NoWord) : Utf8(m.word), 16) << " "
                  << PadLeft(std::to_string(m.points), 6) << "  " << Utf8(std::string(1, m.letter))
                  << "\n";
    }
    std::cout << "  Totals:\n";
    for (int seat = 1; seat <= s.Count; ++seat) {
        const SeatScore& p = model.State.Score(seat);
        std::cout << "    " << Printable(s.Seat(seat).Name) << ": words " << p.WordPoints
                  << ", bonus " << p.BonusPoints << ", fine " << p.FinePoints << ", total "
                  << p.Total() << "\n";
    }
    const std::vector<int> top = TopSeats(model);
    if (top.size() == 1)
        std::cout << "  Winner: " << Printable(s.Seat(top[0]).Name) << "\n\n";
    else
        std::cout << "  Draw\n\n";
}

}  // namespace tq::cli
