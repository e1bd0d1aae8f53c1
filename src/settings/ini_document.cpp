// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_document.h"

#include <algorithm>

#include "dict/cp1251.h"

namespace tq {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

// [begin, end) without the blanks at either end.
void Trim(const std::string& s, std::size_t& begin, std::size_t& end) {
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
}

bool Quoted(std::string_view v) {
    return v.size() >= 2 && v.front() == '"' && v.back() == '"';
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
    Index();
}

void IniDocument::Index() {
    lines_.clear();
    std::size_t pos = text_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int section = -1;
    while (pos < text_.size()) {
        Line line;
        line.begin = pos;
        const std::size_t lf = text_.find('\n', pos);
        line.next = lf == std::string::npos ? text_.size() : lf + 1;
        line.end = lf == std::string::npos ? text_.size() : lf;
        if (line.end > line.begin && text_[line.end - 1] == '\r') --line.end;
        std::size_t b = line.begin;
        std::size_t e = line.end;
        Trim(text_, b, e);
        line.section = section;
        if (b < e && text_[b] == '[') {
            const std::size_t close = text_.find(']', b + 1);
            if (close != std::string::npos && close < e) {
                line.kind = Kind::Section;
                line.nameBegin = b + 1;
                line.nameEnd = close;
                Trim(text_, line.nameBegin, line.nameEnd);
                section = static_cast<int>(lines_.size());
                line.section = section;
            }
        } else if (b < e) {
            const std::size_t eq = text_.find('=', b);
            if (eq != std::string::npos && eq < e) {
                line.nameBegin = b;
                line.nameEnd = eq;
                Trim(text_, line.nameBegin, line.nameEnd);
                line.valueBegin = eq + 1;
                line.valueEnd = e;
                Trim(text_, line.valueBegin, line.valueEnd);
                if (line.nameEnd > line.nameBegin) line.kind = Kind::Key;
            }
        }
        lines_.push_back(line);
        pos = line.next;
    }
}

std::string_view IniDocument::SectionName(int headerLine) const {
    if (headerLine < 0) return {};
    const Line& h = lines_[static_cast<std::size_t>(headerLine)];
    return std::string_view(text_).substr(h.nameBegin, h.nameEnd - h.nameBegin);
}

std::string_view IniDocument::KeyName(const Line& line) const {
    return std::string_view(text_).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string IniDocument::ValueOf(const Line& line) const {
    std::string_view v =
        std::string_view(text_).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (Quoted(v)) v = v.substr(1, v.size() - 2);
    std::string value(v);
    // A CR or NUL inside a line reads as a blank, as Set writes it.
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\0'; }, ' ');
    return value;
}

int IniDocument::FindLine(std::string_view section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && line.section >= 0 && SameName(KeyName(line), key) &&
            SameName(SectionName(line.section), section))
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const int i = FindLine(section, key);
    if (i < 0) return std::nullopt;
    return ValueOf(lines_[static_cast<std::size_t>(i)]);
}

std::string IniDocument::LineEnd() const {
    const std::size_t lf = text_.find('\n');
    return lf != std::string::npos && lf > 0 && text_[lf - 1] == '\r' ? "\r\n" : "\n";
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string v(value);
    std::replace_if(
        v.begin(), v.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; }, ' ');
    if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || Quoted(v))) v = '"' + v + '"';
    const std::string eol = LineEnd();

    if (const int i = FindLine(section, key); i >= 0) {
        const Line& line = lines_[static_cast<std::size_t>(i)];
        text_.replace(line.nameEnd, line.end - line.nameEnd, "=" + v);
        Index();
        return;
    }
    // The first section of that name: the new line follows its last line that is not blank.
    int header = -1;
    for (std::size_t i = 0; i < lines_.size() && header < 0; ++i)
        if (lines_[i].kind == Kind::Section && SameName(SectionName(static_cast<int>(i)), section))
            header = static_cast<int>(i);
    std::string insert;
    std::size_t at;
    if (header >= 0) {
        std::size_t last = static_cast<std::size_t>(header);
        for (std::size_t i = last + 1; i < lines_.size() && lines_[i].section == header; ++i) {
            std::size_t b = lines_[i].begin;
            std::size_t e = lines_[i].end;
            Trim(text_, b, e);
            if (b < e) last = i;
        }
        at = lines_[last].next;
    } else {
        at = text_.size();
    }
    // A last line without its line end gets one before the new line. A CR that ends it is no
    // part of its text: it goes, or the next read would take it as a blank inside the line and
    // the next save would drop it, so that saving twice would not write the same bytes.
    if (at == text_.size() && !text_.empty() && text_.back() != '\n') {
        if (text_.back() == '\r' && !lines_.empty() && lines_.back().end < text_.size()) {
            text_.pop_back();
            --at;
        }
        insert += eol;
    }
    if (header < 0) {
        if (!lines_.empty()) insert += eol;  // a blank line before the new section
        insert.append("[").append(section).append("]").append(eol);
    }
    insert.append(key).append("=").append(v).append(eol);
    text_.insert(at, insert);
    Index();
}

bool IniDocument::HoldsUtf8() const {
    const bool high = std::any_of(text_.begin(), text_.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return high && IsValidUtf8(text_);
}

std::string TextFromIni(std::string_view value) {
    const bool high = std::any_of(value.begin(), value.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    std::string text;
    if (high && Utf8ToCp1251(value, text)) return text;
    return std::string(value);
}

}  // namespace tq
