// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the records file reader and the rating arithmetic. Every input is read as it
// is, and again with its eleventh line replaced by the right check line, so that arbitrary entry
// lines reach the insertion and the writing. A file that reads as valid must survive an
// insertion and a write unchanged in every other line, and the rating of any settings must stay
// free of overflow.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "records/records.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Settings from the first bytes of the input: extreme totals, skills and field sizes included.
tq::GameSettings SettingsFrom(const uint8_t* data, std::size_t size, tq::GameState& st) {
    tq::GameSettings s;
    if (size < 2 + 5 * 13) return s;
    s.RatedGame = true;
    s.Count = static_cast<uint8_t>(1 + data[0] % 5);
    s.ColCount = data[1];
    s.RowCount = static_cast<uint8_t>(data[1] >> 4);
    s.Directions = (data[0] & 0x80) ? "11111111" : "11110000";
    const uint8_t* p = data + 2;
    for (int seat = 1; seat <= tq::kMaxSeats; ++seat, p += 13) {
        tq::TPlayers& pl = s.Seat(seat);
        pl.Type = static_cast<tq::PlayerType>(p[0] % 3);
        tq::SeatScore& score = st.Score(seat);
        std::memcpy(&score.WordPoints, p + 1, 4);
        std::memcpy(&score.BonusPoints, p + 5, 4);
        std::memcpy(&score.FinePoints, p + 9, 4);
        pl.Skill = p[12];
        pl.Name = std::string(reinterpret_cast<const char*>(p), 4);
    }
    return s;
}

// The first ten lines as the reader splits them: a line ends at LF, a CR ends its text.
std::vector<std::string> FirstTenLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size() && lines.size() < 10) {
        std::size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) lf = text.size();
        std::string_view line = text.substr(pos, lf - pos);
        lines.emplace_back(line.substr(0, line.find('\r')));
        pos = lf + 1;
    }
    return lines;
}

void CheckFile(std::string_view text, const tq::GameSettings& s, const tq::GameState& st,
               int language) {
    auto lines = tq::ParseRecordsText(text, language, 5);
    if (!lines) return;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const tq::RecordEntry e = tq::SplitRecordLine((*lines)[i], static_cast<int>(i) + 1);
        Require(e.Value.find(' ') == std::string::npos);
    }
    const int human = tq::HumanSeat(s);
    const int32_t value = tq::RecordValue(tq::WeightedSum(s, st, human), s);
    const std::string name = human ? s.Seat(human).Name : std::string(text.substr(0, 12));
    tq::RecordLines updated = *lines;
    const int place = tq::InsertRecord(updated, value, tq::GameSummary(s, st), name);
    Require(place >= 0 && place <= 10);
    if (place == 0) Require(updated == *lines);
    const std::string written = tq::RecordsFileText(updated, language, 5);
    const auto reread = tq::ParseRecordsText(written, language, 5);
    Require(reread.has_value() && *reread == updated);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    tq::GameState st;
    const tq::GameSettings s = SettingsFrom(data, size, st);
    // The value is the quotient rounded to within one half, unless it had to be limited.
    const int64_t w = tq::WeightedSum(s, st, tq::HumanSeat(s));
    const int32_t value = tq::RecordValue(w, s);
    const long double exact = static_cast<long double>(w) * s.ColCount * s.RowCount /
                              (s.Directions == "11111111" ? 25 : 50);
    if (value != INT32_MAX && value != INT32_MIN) Require(std::fabs(exact - value) <= 0.5L);
    Require(tq::GameSummary(s, st).find(' ') == std::string::npos);

    for (int language = 1; language <= 2; ++language) CheckFile(text, s, st, language);

    const std::vector<std::string> ten = FirstTenLines(text);
    if (ten.size() == 10) {
        tq::RecordLines lines;
        std::string fixed;
        for (std::size_t i = 0; i < 10; ++i) {
            lines[i] = ten[i];
            fixed += ten[i] + "\n";
        }
        fixed += tq::CheckLine(lines, 2, 5);
        Require(tq::ParseRecordsText(fixed, 2, 5) == lines);
        CheckFile(fixed, s, st, 2);
    }
    return 0;
}
