// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "base/names.h"
#include "dict/cp1251.h"
#include "fileio/read_limited.h"
#include "fileio/safe_write.h"
#include "settings/options.h"
#include "settings/settings_schema.h"

namespace tq {

namespace fs = std::filesystem;

IniFile::IniFile(fs::path path) : path_(std::move(path)) {
    Result<std::string> read = ReadFileLimited(path_, kMaxIniFileSize);
    if (read.ok()) {
        doc_ = IniDocument(std::move(read).value());
    } else if (!read.Is(ReadFailure::Missing)) {
        readError_ = read.message();
    }
}

IniFile::~IniFile() = default;

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return doc_.Find(section, key).has_value();
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    std::optional<std::string> v = doc_.Find(section, key);
    return v ? std::move(*v) : std::string(def);
}

std::string IniFile::ReadText(std::string_view section, std::string_view key,
                              std::string_view def) const {
    const std::optional<std::string> v = doc_.Find(section, key);
    return v ? TextFromIni(*v) : std::string(def);
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long def) const {
    const std::optional<std::string> v = doc_.Find(section, key);
    if (!v) return def;
    std::string_view text(*v);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return def;
    return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

namespace {

// A code page 1251 text as a value that reads back as the same text: in UTF-8 when the file
// holds UTF-8, else as it is; but bytes that happen to form UTF-8 (say "\xD0\xA8") would read
// back as other letters, so they are written in UTF-8 too.
std::string EncodeText(std::string_view text, bool fileInUtf8) {
    const std::string utf8 = Cp1251ToUtf8(text);
    const bool utf8ReadsBack = TextFromIni(utf8) == text;  // not for the unassigned byte 0x98
    if (!utf8ReadsBack) return std::string(text);
    if (fileInUtf8 || TextFromIni(text) != text) return utf8;
    return std::string(text);
}

}  // namespace

void IniFile::Apply(IniDocument& doc, const Write& w) const {
    doc.Set(w.section, w.key, w.text ? EncodeText(w.value, doc.HoldsUtf8()) : w.value);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    pending_.push_back({std::string(section), std::string(key), std::string(value), false});
    Apply(doc_, pending_.back());
}

void IniFile::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    pending_.push_back({std::string(section), std::string(key), std::string(text), true});
    Apply(doc_, pending_.back());
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
    WriteString(section, key, std::to_string(value));
}

Status IniFile::Save(std::string_view what) {
    // A file that is there but could not be read is never replaced by what little is known.
    if (!readError_.empty()) return Status::Error(readError_);
    Result<std::string> read = ReadFileLimited(path_, kMaxIniFileSize);
    if (!read.ok() && !read.Is(ReadFailure::Missing)) return read.status();
    IniDocument fresh(read.ok() ? std::move(read).value() : std::string());
    for (const Write& w : pending_) Apply(fresh, w);
    if (Status written = WriteFileSafely(path_, fresh.Text(), what); !written.ok()) return written;
    doc_ = std::move(fresh);
    pending_.clear();
    return Status::Ok();
}

std::string NormaliseDirections(std::string_view value) {
    std::string d(value);
    if (d.size() != 8 || d == "00000000") d = "11111111";
    for (char& c : d)
        if (c != '0') c = '1';
    return d;
}

int RatedMoveTime(int cols, int rows) {
    return static_cast<int>(std::lround(std::sqrt(double(cols) * rows) * 4.0 / 5.0)) * 30;
}

bool FairTurn(int cols, int rows, int count, int wordsPerMove) {
    return (cols * (rows - 1)) % (count * wordsPerMove) == 0;
}

void ApplyRatedRules(GameSettings& s, const TDictInfo& dict) {
    int human = 0;
    for (int seat = 1; seat <= s.Count; ++seat) {
        if (s.Seat(seat).Type != PlayerType::Human) continue;
        if (human == 0)
            human = seat;
        else
            s.Seat(seat).Type = PlayerType::Computer;
    }
    if (human == 0) s.Seat(1).Type = PlayerType::Human;
    if (s.Directions != "11110000" && s.Directions != "11111111") s.Directions = "11110000";
    ImposeRatedRuleValues(s, dict);
}

void ApplyConsistencyRules(GameSettings& s, const TDictInfo& dict) {
    if (s.MinWordLen > s.MaxWordLen) s.MinWordLen = s.MaxWordLen;
    if (!FairTurn(s.ColCount, s.RowCount, s.Count, s.WordsPerMove)) {
        s.Count = 2;
        s.ColCount = 5;
        s.RowCount = 5;
        s.WordsPerMove = 1;
    }
    if (s.RatedGame) ApplyRatedRules(s, dict);
}

namespace {

// A whole-number key as read: its value when within its range with this dictionary, its default
// otherwise.
long ReadRanged(const IniFile& ini, Setting setting, const TDictInfo& dict, int seat = 0) {
    const long def = DefaultOf(setting, dict);
    const long v = ini.ReadInteger(SectionOf(setting), KeyOf(setting, seat), def);
    return RangeOf(setting, dict).Contains(v) ? v : def;
}

bool ReadFlag(const IniFile& ini, Setting setting) {
    return ini.ReadBool(SectionOf(setting), KeyOf(setting), SpecOf(setting).def != 0);
}

std::string ReadKey(const IniFile& ini, Setting setting) {
    return ini.ReadString(SectionOf(setting), KeyOf(setting), SpecOf(setting).text);
}

void WriteNumber(IniFile& ini, Setting setting, long value, int seat = 0) {
    ini.WriteInteger(SectionOf(setting), KeyOf(setting, seat), value);
}

}  // namespace

std::string ReadDictName(const IniFile& ini) {
    std::string name = ReadKey(ini, Setting::Dict);
    return name.empty() ? std::string(SpecOf(Setting::Dict).text) : name;
}

std::string ReadStyleName(const IniFile& ini) {
    return ReadKey(ini, Setting::Style);
}

std::optional<double> ParseScale(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    // Digits, and at most one point followed by digits: no sign, exponent, "inf" or "nan".
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto digits = [](std::string_view s) {
        return !s.empty() && s.size() <= 8 &&
               s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(whole) || (point != std::string_view::npos && !digits(fraction)))
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < kMinScale || value > kMaxScale) return std::nullopt;
    // Quarters are exact in binary: a value between them is off the steps.
    if (value * 4 != std::floor(value * 4)) return std::nullopt;
    return value;
}

double ReadScale(const IniFile& ini) {
    return ParseScale(ReadKey(ini, Setting::Scale)).value_or(1.0);
}

std::string MendedRelay(std::string_view text) {
    // An address: printable ASCII without blanks, as long as a server name may be.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() > kServerNameLimit) return {};
    for (const char c : text)
        if (c <= ' ' || c > '~') return {};
    return std::string(text);
}

GameSettings ReadSettings(const IniFile& ini, const TDictInfo& dict) {
    GameSettings s;
    s.RatedGame = ReadFlag(ini, Setting::RatedGame);

    s.Count = static_cast<uint8_t>(ReadRanged(ini, Setting::Count, dict));
    for (int seat = 1; seat <= kMaxSeats; ++seat) {
        TPlayers& p = s.Seat(seat);
        const std::string def = std::string(SpecOf(Setting::Name).text) + std::to_string(seat);
        // Read as code page 1251, one byte per character, so 12 bytes are 12 characters.
        // A name typed into the file may hold what no name may: a ',' would break the network
        // line that carries the seats, a control character the lists that show them.
        p.Name = MendedName(ini.ReadText(SectionOf(Setting::Name), KeyOf(Setting::Name, seat), def),
                            def);
        p.Type = ini.ReadInteger(SectionOf(Setting::Type), KeyOf(Setting::Type, seat),
                                 SpecOf(Setting::Type).def) == 0
                     ? PlayerType::Human
                     : PlayerType::Computer;
        p.Skill = static_cast<uint8_t>(ReadRanged(ini, Setting::Skill, dict, seat));
        p.Color = static_cast<uint32_t>(ini.ReadInteger(
            SectionOf(Setting::Color), KeyOf(Setting::Color, seat), kDefaultSeatColors[seat - 1]));
    }

    s.ColCount = static_cast<uint8_t>(ReadRanged(ini, Setting::ColCount, dict));
    s.RowCount = static_cast<uint8_t>(ReadRanged(ini, Setting::RowCount, dict));

    s.WordsPerMove = static_cast<uint8_t>(ReadRanged(ini, Setting::WordsPerMove, dict));
    s.MinWordLen = static_cast<uint8_t>(ReadRanged(ini, Setting::MinWordLen, dict));
    s.MaxWordLen = static_cast<uint8_t>(ReadRanged(ini, Setting::MaxWordLen, dict));
    s.Directions = ini.HasKey(SectionOf(Setting::Directions), KeyOf(Setting::Directions))
                       ? NormaliseDirections(ReadKey(ini, Setting::Directions))
                       : std::string(SpecOf(Setting::Directions).text);
    s.UseJoker = ReadFlag(ini, Setting::UseJoker);
    s.AllowCrossings = ReadFlag(ini, Setting::AllowCrossings);
    s.AllowExWords = ReadFlag(ini, Setting::AllowExWords);

    s.SecMove = static_cast<int32_t>(ReadRanged(ini, Setting::SecMove, dict));
    s.SecBonus = static_cast<int32_t>(ReadRanged(ini, Setting::SecBonus, dict));
    s.SecFine = static_cast<int32_t>(ReadRanged(ini, Setting::SecFine, dict));
    s.AcceptAllWords = ReadFlag(ini, Setting::AcceptAllWords);
    s.ComputerPace = static_cast<int32_t>(ReadRanged(ini, Setting::ComputerPace, dict));
    s.ClientMoveLimit = static_cast<int32_t>(ReadRanged(ini, Setting::ClientMoveLimit, dict));
    s.UseRelay = ReadFlag(ini, Setting::UseRelay);
    s.Relay = MendedRelay(ReadKey(ini, Setting::Relay));

    s.InitialWord.clear();
    ApplyConsistencyRules(s, dict);
    return s;
}

Status SaveSettings(IniFile& ini, const GameSettings& s) {
    WriteNumber(ini, Setting::RatedGame, s.RatedGame ? 1 : 0);
    WriteNumber(ini, Setting::Count, s.Count);
    for (int seat = 1; seat <= s.Count; ++seat)
        ini.WriteText(SectionOf(Setting::Name), KeyOf(Setting::Name, seat), s.Seat(seat).Name);
    for (int seat = 1; seat <= s.Count; ++seat)
        WriteNumber(ini, Setting::Color,
                    static_cast<long>(static_cast<int32_t>(s.Seat(seat).Color)), seat);
    for (int seat = 1; seat <= s.Count; ++seat)
        WriteNumber(ini, Setting::Type, s.Seat(seat).Type == PlayerType::Human ? 0 : 1, seat);
    for (int seat = 1; seat <= s.Count; ++seat)
        WriteNumber(ini, Setting::Skill, s.Seat(seat).Skill, seat);
    WriteNumber(ini, Setting::ColCount, s.ColCount);
    WriteNumber(ini, Setting::RowCount, s.RowCount);
    WriteNumber(ini, Setting::WordsPerMove, s.WordsPerMove);
    WriteNumber(ini, Setting::MinWordLen, s.MinWordLen);
    WriteNumber(ini, Setting::MaxWordLen, s.MaxWordLen);
    ini.WriteString(SectionOf(Setting::Directions), KeyOf(Setting::Directions), s.Directions);
    WriteNumber(ini, Setting::UseJoker, s.UseJoker ? 1 : 0);
    WriteNumber(ini, Setting::AllowCrossings, s.AllowCrossings ? 1 : 0);
    WriteNumber(ini, Setting::AllowExWords, s.AllowExWords ? 1 : 0);
    WriteNumber(ini, Setting::SecMove, s.SecMove);
    WriteNumber(ini, Setting::SecBonus, s.SecBonus);
    WriteNumber(ini, Setting::SecFine, s.SecFine);
    WriteNumber(ini, Setting::AcceptAllWords, s.AcceptAllWords ? 1 : 0);
    // Off unless set: a file that never had a limit does not get the key.
    if (s.ClientMoveLimit != 0 ||
        ini.HasKey(SectionOf(Setting::ClientMoveLimit), KeyOf(Setting::ClientMoveLimit)))
        WriteNumber(ini, Setting::ClientMoveLimit, s.ClientMoveLimit);
    // Likewise the relay, which only a host who chose one has.
    if (s.UseRelay || ini.HasKey(SectionOf(Setting::UseRelay), KeyOf(Setting::UseRelay)))
        WriteNumber(ini, Setting::UseRelay, s.UseRelay ? 1 : 0);
    if (!s.Relay.empty() || ini.HasKey(SectionOf(Setting::Relay), KeyOf(Setting::Relay)))
        ini.WriteString(SectionOf(Setting::Relay), KeyOf(Setting::Relay), s.Relay);
    return ini.Save();
}

}  // namespace tq
