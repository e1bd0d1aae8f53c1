// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli review: the games that "selfplay --json" wrote, every move beside the best word
// the field offered at that move, and per seat the points made of the points possible.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "base/chain_rules.h"
#include "coach/review.h"
#include "commands.h"
#include "dict/cp1251.h"
#include "dict/word_store.h"
#include "play_common.h"
#include "printable.h"

namespace tq::cli {

namespace {

using nlohmann::json;

const char* const kUsage =
    "usage: tessaroon-cli review [--json] [FILE...]\n"
    "Reviews the games written by \"tessaroon-cli selfplay --json\" (one game a line; standard\n"
    "input without a FILE or for \"-\"): every move of every seat with its word and points beside\n"
    "the best word the field offered before it (the choice of a skill-7 computer seat) and its\n"
    "word points (10 a letter), and per seat its points and the word points its words made of\n"
    "those possible. A move's points are those of the results table: its word points with the\n"
    "clock's bonus or fine. The dictionary each game names is read from the start folder's Dicts.\n"
    "  --json   one JSON object per game; its \"moves\" hold seat, word, points, wordPoints,\n"
    "           bestWord and bestPoints\n";

// A dictionary of the start folder with its computer player, loaded once per name.
struct Dictionary {
    WordStore words;
    TDictInfo info;
    std::unique_ptr<ComputerPlayer> computer;
};

class Dictionaries {
  public:
    // The dictionary of this name, or an error text.
    const Dictionary* Get(const std::string& name, std::string& error) {
        auto it = loaded_.find(name);
        if (it != loaded_.end()) return it->second.get();
        // The name becomes a file name in Dicts: nothing that leaves the folder.
        if (name.empty() || name.find_first_of("/\\") != std::string::npos || name[0] == '.') {
            error = "the dictionary name \"" + Printable(name) + "\" is not a file name";
            return nullptr;
        }
        auto d = std::make_unique<Dictionary>();
        d->info.DictName = name;
        const std::filesystem::path folder = StartFolder() / "Dicts";
        const std::string files = Printable((folder / (name + ".tqd")).string()) + " or " +
                                  Printable((folder / (name + ".txt")).string());
        std::error_code ec;
        if (!std::filesystem::exists(folder / (name + ".tqd"), ec) &&
            !std::filesystem::exists(folder / (name + ".txt"), ec)) {
            error = "dictionary \"" + Printable(name) + "\": there is no " + files;
            return nullptr;
        }
        const Status r = LoadDictionary(folder, d->words, d->info);
        if (!r.ok()) {
            error = "dictionary \"" + Printable(name) + "\": " +
                    (r.Is(LoadFailure::Unusable) ? files + " hold too few words" : r.message());
            return nullptr;
        }
        d->computer = std::make_unique<ComputerPlayer>(d->words);
        return (loaded_[name] = std::move(d)).get();
    }

  private:
    std::map<std::string, std::unique_ptr<Dictionary>> loaded_;
};

// The member `key` of the object `j` (named `what` in messages).
const json& Member(const json& j, const char* key, const std::string& what) {
    if (!j.is_object()) throw std::invalid_argument(what + " is not a JSON object");
    const auto it = j.find(key);
    if (it == j.end()) throw std::invalid_argument(what + " has no \"" + key + "\"");
    return *it;
}

std::string String(const json& j, const char* what) {
    if (!j.is_string()) throw std::invalid_argument(std::string(what) + " is not a text");
    return j.get<std::string>();
}

bool Bool(const json& j, const char* what) {
    if (!j.is_boolean()) throw std::invalid_argument(std::string(what) + " is not true or false");
    return j.get<bool>();
}

// A game text of the JSON (UTF-8) in the game's own code page.
std::string GameText(const json& j, const char* what) {
    std::string out;
    if (!Utf8ToCp1251(String(j, what), out))
        throw std::invalid_argument(std::string(what) + " holds a letter the game does not know");
    return out;
}

int Whole(const json& j, int lo, int hi, const char* what) {
    if (!j.is_number_integer() || j.get<int64_t>() < lo || j.get<int64_t>() > hi)
        throw std::invalid_argument(std::string(what) + " is not a whole number from " +
                                    std::to_string(lo) + " to " + std::to_string(hi));
    return static_cast<int>(j.get<int64_t>());
}

// The game of one line of selfplay's output; throws with the reason when it is not one.
ReviewGame ReadGame(const json& g, std::string& dictName) {
    ReviewGame game;
    const json& s = Member(g, "settings", "the game");
    auto setting = [&s](const char* key) -> const json& { return Member(s, key, "settings"); };
    dictName = GameText(setting("dictionary"), "dictionary");
    GameSettings& rules = game.Settings;
    rules.ColCount = static_cast<uint8_t>(Whole(setting("cols"), 3, kMaxFieldSide, "cols"));
    rules.RowCount = static_cast<uint8_t>(Whole(setting("rows"), 3, kMaxFieldSide, "rows"));
    rules.WordsPerMove =
        static_cast<uint8_t>(Whole(setting("wordsPerMove"), 1, 100, "wordsPerMove"));
    rules.MinWordLen = static_cast<uint8_t>(Whole(setting("minWordLen"), 1, 100, "minWordLen"));
    rules.MaxWordLen = static_cast<uint8_t>(Whole(setting("maxWordLen"), 1, 100, "maxWordLen"));
    rules.Directions = String(setting("directions"), "directions");
    if (rules.Directions.size() != 8 ||
        rules.Directions.find_first_not_of("01") != std::string::npos)
        throw std::invalid_argument("directions is not eight 0s and 1s");
    rules.UseJoker = Bool(setting("useJoker"), "useJoker");
    rules.AllowCrossings = Bool(setting("allowCrossings"), "allowCrossings");
    rules.AllowExWords = Bool(setting("allowExWords"), "allowExWords");
    const json& seats = setting("seats");
    if (!seats.is_array() || seats.empty() || seats.size() > kMaxSeats)
        throw std::invalid_argument("seats is not a list of 1 to 5 seats");
    rules.Count = static_cast<uint8_t>(seats.size());
    for (int seat = 1; seat <= rules.Count; ++seat) {
        const std::string what = "seat " + std::to_string(seat);
        TPlayers& p = rules.Seat(seat);
        p.Name = GameText(Member(seats[seat - 1], "name", what), "a seat's name");
        p.Skill =
            static_cast<uint8_t>(Whole(Member(seats[seat - 1], "skill", what), 1, 7, "skill"));
        p.Type = PlayerType::Computer;
    }
    game.DrawnWord = GameText(Member(g, "initialWord", "the game"), "initialWord");
    game.PlacedWord = GameText(Member(g, "initialWordPlaced", "the game"), "initialWordPlaced");
    if (game.PlacedWord.size() != rules.ColCount)
        throw std::invalid_argument("initialWordPlaced does not fill the middle row");
    const json& moves = Member(g, "moves", "the game");
    if (!moves.is_array()) throw std::invalid_argument("moves is not a list");
    for (const json& m : moves) {
        const std::string what = "move " + std::to_string(game.Moves.size() + 1);
        ReviewGame::PlayedMove move;
        move.Seat = Whole(Member(m, "seat", what), 1, rules.Count, "a move's seat");
        move.Source = MoveSource::Computer;
        const std::string letter = GameText(Member(m, "letter", what), "a move's letter");
        if (letter.size() != 1) throw std::invalid_argument("a move's letter is not one letter");
        move.Made.Letter = letter[0];
        move.Made.Word = GameText(Member(m, "word", what), "a move's word");
        if (move.Made.Word.empty()) move.Made.Word = letter;  // a letter put without a word
        move.Made.NewCell =
            Cell{Whole(Member(m, "column", what), 0, rules.ColCount - 1, "a move's column"),
                 Whole(Member(m, "row", what), 0, rules.RowCount - 1, "a move's row")};
        ReadChain(move, String(Member(m, "chain", what), "a move's chain"));
        // Games written before moves carried their points score their words alone.
        move.Points = m.is_object() && m.contains("points")
                          ? Whole(m["points"], -100000, 100000, "a move's points")
                          : WordPointsOf(move.Made.Word);
        game.Moves.push_back(std::move(move));
    }
    return game;
}

std::string WordText(const Move& m) {
    return m.FormsWord() ? Printable(m.Word) : "----";
}

json ReviewJson(const json& g, const Review& review) {
    json moves = json::array();
    for (const ReviewRow& row : review.Rows)
        moves.push_back({{"move", row.Index + 1},
                         {"seat", row.Seat},
                         {"word", row.Played.FormsWord() ? Utf8(row.Played.Word) : ""},
                         {"points", row.Points},
                         {"wordPoints", row.WordPoints},
                         {"bestWord", Utf8(row.Best.Word)},
                         {"bestPoints", row.BestPoints},
                         {"bestChain", ChainText(row.Best.Chain)}});
    json seats = json::array();
    for (const SeatReview& seat : review.Seats)
        seats.push_back({{"seat", seat.Seat},
                         {"name", Utf8(seat.Name)},
                         {"points", seat.Points},
                         {"wordPoints", seat.WordPoints},
                         {"bestPoints", seat.BestPoints}});
    return {{"game", g.value("game", json())},
            {"seed", g.value("seed", json())},
            {"moves", moves},
            {"seats", seats}};
}

void PrintReview(const json& g, const Review& review) {
    std::cout << "Game";
    if (g.contains("game") && g["game"].is_number_integer()) std::cout << " " << g["game"];
    if (g.contains("seed") && g["seed"].is_number_integer())
        std::cout << " (seed " << g["seed"] << ")";
    std::cout << "\n";
    std::cout << "  move  seat  word                  points  best word        word points\n";
    for (const ReviewRow& row : review.Rows) {
        std::cout << "  " << PadLeft(std::to_string(row.Index + 1), 4) << "  "
                  << PadLeft(std::to_string(row.Seat), 4) << "  "
                  << PadRight(WordText(row.Played), 20) << "  "
                  << PadLeft(std::to_string(row.Points), 6) << "  "
                  << PadRight(WordText(row.Best), 20) << "  "
                  << PadLeft(std::to_string(row.BestPoints), 6) << "\n";
    }
    for (const SeatReview& seat : review.Seats)
        std::cout << "  " << Printable(seat.Name) << " (seat " << seat.Seat << "): " << seat.Points
                  << " points; " << MadeOfText(seat) << "\n";
}

int ReviewGames(const std::vector<std::string>& args) {
    bool asJson = false;
    std::vector<std::string> files;
    const Result<Arguments> parsed = ParseArguments(args, {{"--json", false}});
    if (!parsed.ok()) {
        std::cerr << "tessaroon-cli review: " << parsed.message() << "\n" << kUsage;
        return 2;
    }
    asJson = !parsed->options.empty();
    files = parsed->positional;
    if (files.empty()) {
        files.push_back("-");
        if (::isatty(STDIN_FILENO))
            std::cerr << "tessaroon-cli review: reading games from standard input (one game a "
                         "line, as selfplay --json writes them; end with Ctrl+D)\n";
    }

    Dictionaries dictionaries;
    int status = 0;
    for (const std::string& file : files) {
        const std::string name = file == "-" ? std::string("standard input") : Printable(file);
        std::ifstream opened;
        if (file != "-") {
            std::error_code ec;
            if (std::filesystem::is_directory(file, ec)) {
                std::cerr << "tessaroon-cli review: " << name
                          << " is a folder, not a file of games\n";
                status = 1;
                continue;
            }
            opened.open(file, std::ios::binary);
            if (!opened) {
                std::cerr << "tessaroon-cli review: cannot open " << name << "\n";
                status = 1;
                continue;
            }
        }
        std::istream& in = file == "-" ? std::cin : opened;
        int lineNumber = 0;
        int gameLines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lineNumber;
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            ++gameLines;
            const std::string where = name + ", line " + std::to_string(lineNumber);
            json g;
            try {
                g = json::parse(line);
            } catch (const json::parse_error& e) {
                std::cerr << "tessaroon-cli review: " << where
                          << ": not a line of JSON: it goes wrong at character " << e.byte
                          << " of the line\n";
                status = 1;
                continue;
            }
            try {
                std::string dictName;
                const ReviewGame game = ReadGame(g, dictName);
                std::string error;
                const Dictionary* dict = dictionaries.Get(dictName, error);
                if (!dict) {
                    std::cerr << "tessaroon-cli review: " << where << ": " << error << "\n";
                    status = 1;
                    continue;
                }
                const Review review = ReviewOf(*dict->computer, dict->info, game);
                if (review.Replayed != game.Moves.size()) {
                    std::cerr << "tessaroon-cli review: " << where << ": move "
                              << review.Replayed + 1
                              << " does not fit the field: " << PrintableLines(review.Misfit)
                              << "\n";
                    status = 1;
                    continue;
                }
                if (asJson)
                    std::cout << ReviewJson(g, review).dump() << "\n";
                else
                    PrintReview(g, review);
            } catch (const std::exception& e) {
                std::cerr << "tessaroon-cli review: " << where
                          << ": not a game of selfplay --json: " << PrintableLines(e.what())
                          << "\n";
                status = 1;
            }
        }
        if (in.bad()) {
            std::cerr << "tessaroon-cli review: cannot read " << name << "\n";
            status = 1;
        } else if (gameLines == 0) {
            std::cerr << "tessaroon-cli review: " << name << " holds no game\n";
            status = 1;
        }
    }
    std::cout.flush();
    return std::cout ? status : 1;
}

const CommandRegistrar kReview("review",
                               "review [--json] [FILE...]   the best word of every move of "
                               "selfplay --json games",
                               ReviewGames, kUsage);

}  // namespace

}  // namespace tq::cli
