// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tq {
namespace {

TEST(IniDocument, ReadsKeysAsTheProfileFunctionsDo) {
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases = {
        {"[A]\nk=1\nk=2\n", "A", "k", "1"},                     // the first of a key given twice
        {"[A]\nk=1\n[B]\n[A]\nk=2\n", "A", "k", "1"},           // also across two sections
        {"[A]\n[B]\n[A]\nk=2\n", "A", "k", "2"},                // the second section is read too
        {"[a]\nKEY=v\n", "A", "key", "v"},                      // names ignore case
        {"[ A ]  ; note\n  k  =  v w  \r\n", "A", "k", "v w"},  // blanks around names, values
        {"[A]\nk=\"quoted value\"\n", "A", "k", "quoted value"},
        {"[A]\nk=\" padded \"\n", "A", "k", " padded "},
        {"[A]\nk=\"\n", "A", "k", "\""},  // one quote is no quoting
        {"[A]\nk=\"a\"b\n", "A", "k", "\"a\"b"},
        {"[A]\nk=a=b\n", "A", "k", "a=b"},  // the first = splits
        {"[A]\nk=\n", "A", "k", ""},
        {"k=1\n[A]\n", "A", "k", std::nullopt},  // before any section
        {"[A\nk=1\n", "A", "k", std::nullopt},   // no header without "]"
        {"[B]\n[A\nk=1\n", "B", "k", "1"},       // ... so the key stays in B
        {"[A]\n;k=1\n", "A", "k", std::nullopt},
        {"[A]\nk\n", "A", "k", std::nullopt},  // no "="
        {"[A]\n=1\n", "A", "", std::nullopt},
        {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},  // byte order mark, CR LF
        {"[A]\nk=1", "A", "k", "1"},                    // no final line end
        {"[A]\nk=x\ry\n", "A", "k", "x y"},             // a lone CR is part of the line
    };
    for (const Case& c : cases) {
        const IniDocument doc(c.text);
        EXPECT_EQ(doc.Find(c.section, c.key), c.value) << c.text;
    }
}

TEST(IniDocument, SetChangesOnlyTheKeysLine) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    const std::vector<Case> cases = {
        // The first line of the key takes the value, spelt as it was; later ones stay.
        {"; mine\n[A]\n  KEY = old \nkey=second\n\n[B]\nx = 1\n", "a", "key", "new",
         "; mine\n[A]\n  KEY=new\nkey=second\n\n[B]\nx = 1\n"},
        // A new key ends its section, before the blank lines that part it from the next.
        {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
         "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]", "A", "k", "v", "[A]\nk=v\n"},
        {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        // A CR that ends the last line is its line end, not text: it is not kept before a new one.
        {"[A]\r\nx=1\r", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n"},
        {"[A]\r", "B", "k", "v", "[A]\n\n[B]\nk=v\n"},
        // A new section ends the text.
        {"[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"", "B", "k", "v", "[B]\nk=v\n"},
        // Values that would not read back as themselves are quoted; line breaks never pass.
        {"[A]\n", "A", "k", " v ", "[A]\nk=\" v \"\n"},
        {"[A]\n", "A", "k", "\"v\"", "[A]\nk=\"\"v\"\"\n"},
        {"[A]\n", "A", "k", "a\r\n[B]", "[A]\nk=a  [B]\n"},
    };
    for (const Case& c : cases) {
        IniDocument doc(c.before);
        doc.Set(c.section, c.key, c.value);
        EXPECT_EQ(doc.Text(), c.after) << c.before;
        // What is written reads back.
        std::string expected = c.value;
        if (expected == "a\r\n[B]") expected = "a  [B]";
        EXPECT_EQ(IniDocument(doc.Text()).Find(c.section, c.key), expected) << c.before;
    }
}

TEST(IniDocument, ListsTheKeysOfSectionsOnly) {
    const IniDocument doc("k=0\n[A]\nk=1\nK=\"2\"\n[B\n[b]\nx = 3\n");
    std::string listed;
    doc.ForEachKey([&](std::string_view section, std::string_view key, const std::string& value) {
        listed.append(section).append("/").append(key).append("=").append(value).append(";");
    });
    EXPECT_EQ(listed, "A/k=1;A/K=2;b/x=3;");
}

TEST(IniDocument, TextsInUtf8BecomeCodePage1251) {
    EXPECT_EQ(TextFromIni("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), "\xC8\xE2\xE0\xED");  // Иван
    EXPECT_EQ(TextFromIni("\xD0\x81\xD0\xB6"), "\xA8\xE6");                          // Ёж
    EXPECT_EQ(TextFromIni("Zo\xC3\xAB \xE6\x97\xA5"), "Zo? ?");  // no ë or 日 in the code page
    EXPECT_EQ(TextFromIni("\xC8\xE2\xE0\xED"), "\xC8\xE2\xE0\xED");  // code page 1251 stays
    EXPECT_EQ(TextFromIni("\xC0\xAF"), "\xC0\xAF");                  // an overlong form is no UTF-8
    EXPECT_EQ(TextFromIni("\xED\xA0\x80"), "\xED\xA0\x80");          // nor is a surrogate
    EXPECT_EQ(TextFromIni("plain"), "plain");
    EXPECT_TRUE(IniDocument("[A]\nk=\xD0\x98\n").HoldsUtf8());
    EXPECT_FALSE(IniDocument("[A]\nk=\xC8\n").HoldsUtf8());
    EXPECT_FALSE(IniDocument("[A]\nk=v\n").HoldsUtf8());
}

}  // namespace
}  // namespace tq
