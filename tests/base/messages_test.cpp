// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/messages.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

// The numbered places are filled in one pass: what an argument brings is never filled again.
TEST(Messages, FillFillsEachPlaceOnce) {
    struct Case {
        std::string_view pattern;
        std::vector<std::string_view> args;
        std::string expected;
    };
    const Case cases[] = {
        {msg::Wins, {"Ann"}, "Ann wins"},
        {msg::Wins, {"%1"}, "%1 wins"},
        {msg::Wins, {"%2"}, "%2 wins"},
        {msg::MessageFrom, {"Bob", "hi"}, "Message from: Bob\r>hi"},
        {msg::MessageFrom, {"%2", "%1"}, "Message from: %2\r>%1"},
        {msg::MessageFrom, {"Bob"}, "Message from: Bob\r>%2"},  // a place without its text
        {"%0 %% 100% %", {"x"}, "%0 %% 100% %"},
        {"%1%1", {"ab"}, "abab"},
        {"", {"x"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern));
        std::string filled;
        switch (c.args.size()) {
            case 1:
                filled = msg::Fill(c.pattern, {c.args[0]});
                break;
            case 2:
                filled = msg::Fill(c.pattern, {c.args[0], c.args[1]});
                break;
        }
        EXPECT_EQ(filled, c.expected);
    }
}

}  // namespace
}  // namespace tq
