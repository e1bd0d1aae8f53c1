// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Player names: the seats' names and the names network clients announce. A name travels as a
// field of comma-separated network lines and is shown in lists where names are told apart by
// eye, so only names that read clearly and differ in more than blanks are accepted.

#include <cstddef>
#include <string>
#include <string_view>

namespace tq {

constexpr std::size_t kMaxNameLength = 12;

// Whether the name may be a player's name: 1 to 12 bytes; no ',' (it would split the name in a
// network line), no control character and no byte code page 1251 leaves undefined; and no blank
// at either end or two blanks in a row, so that no two names differ only by blanks.
bool IsValidName(std::string_view name);

// The name made valid, as a name read from a file is: every ',', control character and undefined
// byte becomes a blank, then blanks at the ends are dropped and runs of blanks become one. A name
// longer than 12 bytes as read, or one that leaves nothing, becomes `fallback`.
std::string MendedName(std::string_view name, std::string_view fallback);

}  // namespace tq
