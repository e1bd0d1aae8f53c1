// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/protocol.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "base/chain_rules.h"

namespace tq::net {

namespace {

// Reads the fields of one line from the front, each removed with the ',' behind it.
class FieldReader {
  public:
    explicit FieldReader(std::string_view fields) : rest_(fields) {}

    // A field running to the next ',' (or to the end of the line).
    std::optional<std::string_view> Text() {
        if (done_) return std::nullopt;
        const std::size_t comma = rest_.find(',');
        std::string_view field = rest_.substr(0, comma);
        if (comma == std::string_view::npos) {
            done_ = true;
            rest_ = {};
        } else {
            rest_.remove_prefix(comma + 1);
        }
        return field;
    }

    // The rest of the line, ',' included (a chat text).
    std::optional<std::string_view> Rest() {
        if (done_) return std::nullopt;
        done_ = true;
        std::string_view field = rest_;
        rest_ = {};
        return field;
    }

    // A one-character field: exactly one character, then ',' or the end of the line.
    std::optional<char> Char() {
        const auto field = Text();
        if (!field || field->size() != 1) return std::nullopt;
        return (*field)[0];
    }

    // A one-character field holding a digit.
    std::optional<int> Digit() {
        const auto c = Char();
        if (!c || *c < '0' || *c > '9') return std::nullopt;
        return *c - '0';
    }

    // "1" is true; any other single character is false.
    std::optional<bool> Bool() {
        const auto c = Char();
        if (!c) return std::nullopt;
        return *c == '1';
    }

    // A decimal integer: an optional '-' and at least one digit, nothing else, within the bounds.
    std::optional<int64_t> Integer(int64_t lo, int64_t hi) {
        const auto field = Text();
        if (!field || field->empty()) return std::nullopt;
        std::string_view digits = *field;
        if (digits.front() == '-') digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-' || digits.front() == '+') return std::nullopt;
        int64_t value = 0;
        const char* end = field->data() + field->size();
        const auto [ptr, ec] = std::from_chars(field->data(), end, value);
        if (ec != std::errc() || ptr != end || value < lo || value > hi) return std::nullopt;
        return value;
    }

    std::optional<int32_t> Int32() {
        const auto v =
            Integer(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
        if (!v) return std::nullopt;
        return static_cast<int32_t>(*v);
    }

    // Whether every field has been taken.
    bool AtEnd() const { return done_; }

  private:
    std::string_view rest_;
    bool done_ = false;
};

// The nine move fields.
std::optional<MoveReport> ReadMove(FieldReader& f) {
    MoveReport m;
    const auto word = f.Int32();
    const auto bonus = f.Int32();
    const auto fine = f.Int32();
    const auto award =
        f.Integer(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
    const auto text = f.Text();
    const auto chain = f.Text();
    const auto letter = f.Text();
    const auto col = f.Int32();
    const auto row = f.Int32();
    if (!word || !bonus || !fine || !award || !text || !chain || !letter || !col || !row ||
        !f.AtEnd())
        return std::nullopt;
    if (text->empty() || letter->empty()) return std::nullopt;
    const auto cells = ParseChain(*chain);
    if (!cells) return std::nullopt;
    m.WordPoints = *word;
    m.BonusPoints = *bonus;
    m.FinePoints = *fine;
    m.TimeAward = static_cast<int16_t>(*award);
    m.Word = std::string(*text);
    m.Chain = std::move(*cells);
    m.Letter = (*letter)[0];  // only the first character counts
    m.Col = *col;
    m.Row = *row;
    return m;
}

std::optional<NewGameContent> ReadNewGame(FieldReader& f) {
    NewGameContent g;
    const auto count = f.Digit();
    if (!count || *count < 2 || *count > kMaxSeats) return std::nullopt;
    g.Count = static_cast<uint8_t>(*count);
    for (int seat = 0; seat < *count; ++seat) {
        const auto name = f.Text();
        // A colour travels as a signed 32-bit number; its unsigned form is read as well.
        const auto colour =
            f.Integer(std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max());
        const auto type = f.Digit();
        const auto skill = f.Digit();
        if (!name || !colour || !type || !skill || *type > 2) return std::nullopt;
        g.Seats.push_back({std::string(*name), static_cast<uint32_t>(*colour),
                           static_cast<PlayerType>(*type), static_cast<uint8_t>(*skill)});
    }
    const auto cols = f.Int32();
    const auto rows = f.Int32();
    const auto word = f.Text();
    const auto wordsPerMove = f.Digit();
    const auto minLen = f.Digit();
    const auto maxLen = f.Int32();
    const auto directions = f.Text();
    const auto joker = f.Bool();
    const auto crossings = f.Bool();
    const auto exWords = f.Bool();
    const auto secMove = f.Int32();
    const auto secFine = f.Int32();
    const auto secBonus = f.Int32();
    const auto acceptAll = f.Bool();
    if (!cols || !rows || !word || !wordsPerMove || !minLen || !maxLen || !directions || !joker ||
        !crossings || !exWords || !secMove || !secFine || !secBonus || !acceptAll || !f.AtEnd())
        return std::nullopt;
    // Sizes and lengths are bytes in the game model; larger values cannot be any game's.
    if (*cols < 0 || *cols > 255 || *rows < 0 || *rows > 255 || *maxLen < 0 || *maxLen > 255)
        return std::nullopt;
    g.ColCount = static_cast<uint8_t>(*cols);
    g.RowCount = static_cast<uint8_t>(*rows);
    g.InitialWord = std::string(*word);
    g.WordsPerMove = static_cast<uint8_t>(*wordsPerMove);
    g.MinWordLen = static_cast<uint8_t>(*minLen);
    g.MaxWordLen = static_cast<uint8_t>(*maxLen);
    g.Directions = std::string(*directions);
    g.UseJoker = *joker;
    g.AllowCrossings = *crossings;
    g.AllowExWords = *exWords;
    g.SecMove = *secMove;
    g.SecFine = *secFine;
    g.SecBonus = *secBonus;
    g.AcceptAllWords = *acceptAll;
    return g;
}

// The command word of a line and its fields, or nothing when the line is shorter than a word.
bool Split(std::string_view line, std::string_view& word, std::string_view& fields) {
    if (line.size() < kCommandLength) return false;
    word = line.substr(0, kCommandLength);
    fields = line.substr(kCommandLength);
    return true;
}

std::string Line(std::string_view word, std::initializer_list<std::string_view> fields) {
    std::string line(word);
    bool first = true;
    for (const std::string_view f : fields) {
        if (!first) line += ',';
        line += f;
        first = false;
    }
    line += kLineEnd;
    return line;
}

std::string MoveLine(std::string_view word, const MoveReport& m) {
    const std::string letter(1, m.Letter);
    std::string chain = ChainText(m.Chain);
    if (m.BareChain && !chain.empty()) chain.pop_back();
    return Line(word, {std::to_string(m.WordPoints), std::to_string(m.BonusPoints),
                       std::to_string(m.FinePoints), std::to_string(m.TimeAward), m.Word, chain,
                       letter, std::to_string(m.Col), std::to_string(m.Row)});
}

}  // namespace

std::optional<ClientMessage> ParseClientLine(std::string_view line) {
    std::string_view word, fields;
    if (!Split(line, word, fields)) return std::nullopt;
    FieldReader f(fields);
    if (word == cmd::Connect) return ConnectMsg{std::string(fields)};
    if (word == cmd::Disconnect) return DisconnectMsg{std::string(fields)};
    if (word == cmd::GetMyMove) {
        if (auto move = ReadMove(f)) return MyMoveMsg{std::move(*move)};
        return std::nullopt;
    }
    if (word == cmd::GetMessage) {
        const auto sender = f.Text();
        const auto recipient = f.Text();
        const auto text = f.Rest();
        if (!sender || !recipient || !text) return std::nullopt;
        return ChatToServerMsg{std::string(*sender), std::string(*recipient), std::string(*text)};
    }
    return std::nullopt;
}

std::optional<ServerMessage> ParseServerLine(std::string_view line) {
    std::string_view word, fields;
    if (!Split(line, word, fields)) return std::nullopt;
    FieldReader f(fields);
    // Commands without fields take none: text behind them is not theirs to ignore.
    if (word == cmd::ChangeName)
        return fields.empty() ? std::optional(ServerMessage(ChangeNameMsg{})) : std::nullopt;
    if (word == cmd::YourMove)
        return fields.empty() ? std::optional(ServerMessage(YourMoveMsg{})) : std::nullopt;
    if (word == cmd::EndGame)
        return fields.empty() ? std::optional(ServerMessage(EndGameMsg{})) : std::nullopt;
    if (word == cmd::NewGame) {
        if (auto game = ReadNewGame(f)) return NewGameMsg{std::move(*game)};
        return std::nullopt;
    }
    if (word == cmd::UpdateMove) {
        const auto round = f.Int32();
        const auto seat = f.Digit();
        const auto moveWord = f.Digit();
        if (!round || !seat || !moveWord || !f.AtEnd()) return std::nullopt;
        return UpdateMoveMsg{*round, *seat, *moveWord};
    }
    if (word == cmd::GetNewMove) {
        if (auto move = ReadMove(f)) return NewMoveMsg{std::move(*move)};
        return std::nullopt;
    }
    if (word == cmd::GetMessage) {
        const auto sender = f.Text();
        const auto text = f.Rest();
        if (!sender || !text) return std::nullopt;
        return ChatFromServerMsg{std::string(*sender), std::string(*text)};
    }
    return std::nullopt;
}

std::string ChatText(std::string_view text, std::size_t otherFields) {
    const std::size_t room =
        kMaxLineLength - std::min(kMaxLineLength, kCommandLength + 2 + otherFields);
    std::string safe(text.substr(0, room));
    for (char& c : safe)
        if (c == kLineEnd) c = ' ';
    return safe;
}

std::string ConnectLine(std::string_view name) {
    return Line(cmd::Connect, {name});
}
std::string DisconnectLine(std::string_view name) {
    return Line(cmd::Disconnect, {name});
}
std::string MyMoveLine(const MoveReport& move) {
    return MoveLine(cmd::GetMyMove, move);
}
std::string ChatToServerLine(std::string_view sender, std::string_view recipient,
                             std::string_view text) {
    return Line(cmd::GetMessage, {sender, recipient, text});
}
std::string ChangeNameLine() {
    return Line(cmd::ChangeName, {});
}
std::string UpdateMoveLine(int round, int seat, int moveWord) {
    return Line(cmd::UpdateMove,
                {std::to_string(round), std::to_string(seat), std::to_string(moveWord)});
}
std::string YourMoveLine() {
    return Line(cmd::YourMove, {});
}
std::string NewMoveLine(const MoveReport& move) {
    return MoveLine(cmd::GetNewMove, move);
}
std::string ChatFromServerLine(std::string_view sender, std::string_view text) {
    return Line(cmd::GetMessage, {sender, text});
}
std::string EndGameLine() {
    return Line(cmd::EndGame, {});
}

std::string NewGameLine(const NewGameContent& g) {
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    std::string line(cmd::NewGame);
    line += std::to_string(g.Count);
    for (const NewGameContent::Seat& seat : g.Seats) {
        line += ',' + seat.Name;
        line += ',' + std::to_string(static_cast<int32_t>(seat.Color));
        line += ',' + std::to_string(static_cast<int>(seat.Type));
        line += ',' + std::to_string(seat.Skill);
    }
    for (const std::string& field :
         {std::to_string(g.ColCount), std::to_string(g.RowCount), g.InitialWord,
          std::to_string(g.WordsPerMove), std::to_string(g.MinWordLen),
          std::to_string(g.MaxWordLen), g.Directions, flag(g.UseJoker), flag(g.AllowCrossings),
          flag(g.AllowExWords), std::to_string(g.SecMove), std::to_string(g.SecFine),
          std::to_string(g.SecBonus), flag(g.AcceptAllWords)})
        line += ',' + field;
    line += kLineEnd;
    return line;
}

bool LineBuffer::Append(std::string_view bytes) {
    if (overflowed_) return false;
    std::size_t start = 0;
    if (skipLineFeed_ && !bytes.empty()) {
        if (bytes.front() == '\n') start = 1;
        skipLineFeed_ = false;
    }
    while (start < bytes.size()) {
        const std::size_t end = bytes.find(kLineEnd, start);
        const std::string_view piece = bytes.substr(start, end - start);
        if (partial_.size() + piece.size() > maxLine_) {
            overflowed_ = true;
            partial_.clear();
            return false;
        }
        partial_ += piece;
        if (end == std::string_view::npos) break;
        lines_.push_back(std::move(partial_));
        partial_.clear();
        start = end + 1;
        if (start < bytes.size()) {
            if (bytes[start] == '\n') ++start;
        } else {
            skipLineFeed_ = true;
        }
    }
    return true;
}

std::optional<std::string> LineBuffer::NextLine() {
    if (lines_.empty()) return std::nullopt;
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}

void LineBuffer::Clear() {
    partial_.clear();
    lines_.clear();
    overflowed_ = false;
    skipLineFeed_ = false;
}

}  // namespace tq::net
