// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// INI text read as the platform's profile functions read it, and edited so that every line the
// edit does not touch keeps its bytes.
//
// Reading: a line is trimmed of blanks and tabs; "[name]" starts a section (text after the "]"
// is ignored; a line with no "]" is not a header); any other line holding "=" is a key line,
// its key the trimmed text before the first "=", its value the trimmed text after it. Section
// and key names compare without regard to ASCII case. A key given twice (in one section, or in
// two sections of the same name) takes its first value; a value enclosed in double quotes is
// read without them. Lines before the first section, lines without "=" and comment lines (";")
// name no key anyone asks for. A UTF-8 byte order mark before the first line is skipped. Lines
// end at LF; a CR before it is not part of the line, and a CR or NUL inside it reads as a blank.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string text);

    const std::string& Text() const { return text_; }

    // The value of the key's first line, or nothing when no section of that name holds it.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Gives the key a value: the key's first line takes it (keeping how the key is spelt),
    // else a new line ends the first section of that name, else a new section ends the text.
    // Lines end as the text's first line does (CR LF or LF). A value that would not read back
    // as itself is written in double quotes (blanks at either end, or quotes at both ends); a
    // line break or a NUL in a value becomes a blank, so a value never makes a line of its own.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Calls f(section, key, value) for every key line of a section in text order, duplicates
    // included, with the names as written and the value as Find would read it.
    template <class F>
    void ForEachKey(F&& f) const {
        for (const Line& line : lines_)
            if (line.kind == Kind::Key && line.section >= 0)
                f(SectionName(line.section), KeyName(line), ValueOf(line));
    }

    // Whether the text holds a byte above 127 and is valid UTF-8 throughout.
    bool HoldsUtf8() const;

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        std::size_t begin = 0;  // the line's first byte (after a byte order mark)
        std::size_t end = 0;    // where its text ends (before CR LF or LF)
        std::size_t next = 0;   // where the next line begins
        // Sections: the name's bytes. Keys: the key's and the value's bytes, trimmed.
        std::size_t nameBegin = 0, nameEnd = 0;
        std::size_t valueBegin = 0, valueEnd = 0;
        int section = -1;  // index of the section header line this line follows; -1 before any
    };

    void Index();
    std::string_view SectionName(int headerLine) const;
    std::string_view KeyName(const Line& line) const;
    std::string ValueOf(const Line& line) const;
    // The first key line of the key in a section of that name, or -1.
    int FindLine(std::string_view section, std::string_view key) const;
    std::string LineEnd() const;

    std::string text_;
    std::vector<Line> lines_;
};

// Text values: a value that holds a byte above 127 and is valid UTF-8 is read as UTF-8 and
// turned into code page 1251, a character the code page lacks becoming "?"; any other value is
// taken as code page 1251 bytes already.
std::string TextFromIni(std::string_view value);

}  // namespace tq
