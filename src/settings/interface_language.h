// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the window: Russian or English (the English texts are the source texts). The
// key Language in section [Additional] of Tessaroon.ini forces "ru" or "en"; empty or any other
// value follows the locale. Plain C++: the program hands in the locale's languages.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace tq {

class IniFile;

enum class InterfaceLanguage { English, Russian };

// The dictionary a player's new folder starts with when the interface is not Russian.
inline constexpr std::string_view kEnglishDictionary = "General_eng";

// The language for a Language key and the locale's languages in order of preference (as
// "ru-RU", "ru_RU.UTF-8", "en", "de-DE"): "ru" or "en" in the key (any case, blanks around
// ignored) decide; otherwise the first of the locale's languages that is Russian or English
// decides; none of them: English.
InterfaceLanguage ChooseInterfaceLanguage(std::string_view key,
                                          const std::vector<std::string>& localeLanguages);

// The value of [Additional] Language, or empty.
std::string ReadLanguageKey(const IniFile& ini);

// Whether a player's new folder with these settings speaks Russian: the interface's language
// for its Language key and the locale.
bool IsRussianFolder(const IniFile& ini, const std::vector<std::string>& localeLanguages);

// The default name of a seat (1 to 5) in a Russian folder, in code page 1251: "Игрок",
// "Компьютер", then "Игрок 3" and on.
std::string RussianSeatName(int seat);

// The first start of an installed game, on the player's new Tessaroon.ini before it is put in
// place. When the interface in that file's language is not Russian, its [General] Dict becomes
// kEnglishDictionary, so that the player meets letters of the own keyboard. When it is Russian,
// the seats' names the game ships or gives by default ("Player", "Computer", "Player 3"...)
// become the Russian ones, written for all five seats. Every other line stays as it is.
Status PrepareNewSettings(const std::filesystem::path& newSettings,
                          const std::vector<std::string>& localeLanguages);

}  // namespace tq
