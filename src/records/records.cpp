// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/records.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <system_error>

#include "base/messages.h"
#include "dict/digest.h"
#include "fileio/read_limited.h"
#include "fileio/safe_write.h"

namespace tq {

namespace fs = std::filesystem;

RecordLines DefaultRecordTable(const RecordTitles& titles) {
    const auto line = [](const char* value, std::string_view title) {
        return std::string(value) + " - " + std::string(title);
    };
    return {line("1000", titles.Champion), line("400", titles.Expert), line("300", titles.Expert),
            line("200", titles.Expert),    line("100", titles.Expert), line("50", titles.Novice),
            line("40", titles.Novice),     line("30", titles.Novice),  line("20", titles.Novice),
            line("10", titles.Novice)};
}

namespace {

int64_t SeatTotal(const SeatScore& p) {
    return int64_t{p.WordPoints} + p.BonusPoints - p.FinePoints;
}

int ClampSkill(int skill) {
    return skill < 1 ? 1 : skill > 7 ? 7 : skill;
}

std::string HexWord(uint32_t v) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08X", v);
    return buf;
}

std::string Joined(const RecordLines& lines) {
    std::string text;
    for (const std::string& l : lines) text += l;
    return text;
}

// The value of an entry line; lines whose value is not a whole number count as the lowest.
int64_t EntryValue(std::string_view line) {
    const std::string_view text = line.substr(0, line.find(' '));
    int64_t v = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last || first == last)
        return std::numeric_limits<int64_t>::min();
    return v;
}

}  // namespace

std::string GameSummary(const GameSettings& s, const GameState& state) {
    std::string out;
    for (int seat = 1; seat <= s.Count && seat <= kMaxSeats; ++seat) {
        const TPlayers& p = s.Seat(seat);
        if (p.Type == PlayerType::Human) {
            out += "H-";
        } else {
            out += 'C';
            out += static_cast<char>('0' + ClampSkill(p.Skill));
            out += '-';
        }
        out += std::to_string(SeatTotal(state.Score(seat))) + ",";
    }
    out += std::to_string(int(s.ColCount)) + std::to_string(int(s.RowCount)) + ",";
    out += s.Directions.size() >= 8 ? s.Directions[7] : '0';
    return out;
}

int HumanSeat(const GameSettings& s) {
    int human = 0;
    for (int seat = 1; seat <= s.Count && seat <= kMaxSeats; ++seat)
        if (s.Seat(seat).Type == PlayerType::Human) human = seat;
    return human;
}

int64_t WeightedSum(const GameSettings& s, const GameState& state, int humanSeat) {
    if (humanSeat < 1 || humanSeat > kMaxSeats) return 0;
    const int64_t h = SeatTotal(state.Score(humanSeat));
    int64_t w = 0;
    for (int seat = 1; seat <= s.Count && seat <= kMaxSeats; ++seat) {
        if (seat == humanSeat) continue;
        const int k = ClampSkill(s.Seat(seat).Skill);
        const int64_t lead = h - SeatTotal(state.Score(seat));
        w += lead * (lead > 0 ? SkillWeights[k] : SkillWeights[8 - k]);
    }
    return w;
}

int32_t RecordValue(int64_t weightedSum, const GameSettings& s) {
    const int64_t num = weightedSum * s.ColCount * s.RowCount;
    const int64_t den = s.Directions == "11111111" ? 25 : 50;
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) {  // floor division: 0 <= r < den
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
    if (q > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (q < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(q);
}

std::string CheckLine(const RecordLines& lines, int language, int edition) {
    const std::string text = std::to_string(language) + std::to_string(edition) + Joined(lines);
    return HexWord(Digest128(text)[1]);
}

std::string CheckLineOfLines(const RecordLines& lines) {
    return HexWord(Digest128(Joined(lines))[1]);
}

std::optional<RecordLines> ParseRecordsText(std::string_view text, int language, int edition) {
    std::array<std::string_view, 11> read;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size() && count < read.size()) {
        std::size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) lf = text.size();
        std::string_view line = text.substr(pos, lf - pos);
        if (auto cr = line.find('\r'); cr != std::string_view::npos) line = line.substr(0, cr);
        read[count++] = line;
        pos = lf + 1;
    }
    if (count != read.size() || read[10].size() != 8) return std::nullopt;
    RecordLines lines;
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = std::string(read[i]);
    if (read[10] != CheckLineOfLines(lines) && read[10] != CheckLine(lines, language, edition))
        return std::nullopt;
    return lines;
}

Result<std::optional<RecordLines>> LoadRecordsFile(const fs::path& file, int language,
                                                   int edition) {
    // Only the first eleven lines count: reading stops at the eleventh line end.
    const Result<std::string> read = ReadFileLinesLimited(file, 11, kMaxRecordsFileSize);
    if (read.Is(ReadFailure::Missing)) return std::optional<RecordLines>();
    if (!read.ok()) return read.status();
    return ParseRecordsText(*read, language, edition);
}

std::optional<RecordLines> ReadRecordsFile(const fs::path& file, int language, int edition) {
    Result<std::optional<RecordLines>> contents = LoadRecordsFile(file, language, edition);
    if (!contents.ok()) return std::nullopt;
    return std::move(contents).value();
}

int InsertRecord(RecordLines& lines, int32_t value, std::string_view summary,
                 std::string_view name) {
    for (std::size_t place = 0; place < lines.size(); ++place) {
        if (EntryValue(lines[place]) >= value) continue;
        std::string clean(name);
        for (char& c : clean)
            if (c == '\r' || c == '\n') c = ' ';
        for (std::size_t i = lines.size() - 1; i > place; --i) lines[i] = std::move(lines[i - 1]);
        lines[place] = std::to_string(value) + " " + std::string(summary) + " " + clean;
        return static_cast<int>(place) + 1;
    }
    return 0;
}

std::string RecordsFileText(const RecordLines& lines, int language, int edition) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    text += CheckLine(lines, language, edition) + "\r\n";
    return text;
}

Status WriteRecordsFile(const fs::path& file, const RecordLines& lines, int language, int edition) {
    std::error_code ec;
    const fs::path folder = file.parent_path();
    if (!fs::is_directory(folder, ec))
        return Status::Error(msg::Fill(msg::RecordsFolderMissing, {folder.string()}));
    return WriteFileSafely(file, RecordsFileText(lines, language, edition), "the records file");
}

Status WriteFreshRecordsFile(const fs::path& file, const RecordLines& lines) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec))) return Status::Ok();
    const fs::path folder = file.parent_path();
    if (!fs::is_directory(folder, ec))
        return Status::Error(msg::Fill(msg::RecordsFolderMissing, {folder.string()}));
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    text += CheckLineOfLines(lines) + "\r\n";
    return WriteFileSafely(file, text, "the records file");
}

namespace {

// An exclusive lock on the folder Records for one read-modify-write of a records file, held
// until the object goes. The file itself cannot carry the lock: it is replaced by a rename.
class FolderLock {
  public:
    explicit FolderLock(const fs::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

}  // namespace

fs::path RecordsFilePath(const fs::path& recordsFolder, const TDictInfo& dict) {
    return recordsFolder / (dict.DictName + ".tqr");
}

Result<int> UpdateRecords(const fs::path& recordsFolder, const TDictInfo& dict,
                          const GameSettings& s, GameState& state) {
    if (s.Mode != GameMode::General || !s.RatedGame) return 0;
    const int human = HumanSeat(s);
    if (human == 0) return 0;
    const std::string summary = GameSummary(s, state);
    const int32_t value = RecordValue(WeightedSum(s, state, human), s);
    if (value <= 10) return 0;

    const fs::path file = RecordsFilePath(recordsFolder, dict);
    const int language = dict.Language;
    const int edition = dict.Edition;
    std::error_code ec;
    if (!fs::is_directory(file.parent_path(), ec)) {
        state.NewRecordPlace = 0;
        return Status::Error(msg::Fill(msg::RecordsFolderMissing, {file.parent_path().string()}));
    }
    const FolderLock lock(file.parent_path());
    Result<std::optional<RecordLines>> contents = LoadRecordsFile(file, language, edition);
    if (!contents.ok()) {
        // Earlier records may be in there: show why, and leave the file as it is.
        state.NewRecordPlace = 0;
        return Status::Error(contents.message() + " The records file is left as it is.");
    }
    RecordLines lines = contents->value_or(DefaultRecordTable());
    const int place = InsertRecord(lines, value, summary, s.Seat(human).Name);
    if (place == 0) return 0;
    if (Status written = WriteRecordsFile(file, lines, language, edition); !written.ok()) {
        state.NewRecordPlace = 0;  // nothing was entered, so nothing to highlight
        return written;
    }
    state.NewRecordPlace = static_cast<uint8_t>(place);
    return place;
}

RecordEntry SplitRecordLine(std::string_view line, int place) {
    RecordEntry e;
    e.Place = place;
    const std::size_t first = line.find(' ');
    e.Value = std::string(line.substr(0, first));
    if (first == std::string_view::npos) return e;
    const std::size_t second = line.find(' ', first + 1);
    if (second == std::string_view::npos) return e;
    e.Name = std::string(line.substr(second + 1));
    return e;
}

std::array<RecordEntry, 10> RecordTableForDisplay(const fs::path& recordsFolder,
                                                  const TDictInfo& dict) {
    const RecordLines lines =
        ReadRecordsFile(RecordsFilePath(recordsFolder, dict), dict.Language, dict.Edition)
            .value_or(DefaultRecordTable());
    std::array<RecordEntry, 10> table;
    for (std::size_t i = 0; i < lines.size(); ++i)
        table[i] = SplitRecordLine(lines[i], static_cast<int>(i) + 1);
    return table;
}

}  // namespace tq
