// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's language. The English texts in the code are the source texts; for a Russian
// interface the program's translation (built into the program) and Qt's own (standard buttons,
// the colour dialog), when the system has it, are installed before the first window. The texts
// of the game logic (base/messages.h) are translated where the window shows them; what goes over
// the network or into files stays English.

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/interface_language.h"

namespace tq::ui {

// The locale's languages in order of preference, as Qt reads them from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG.
std::vector<std::string> LocaleLanguages();

// The language for the settings file in folder (its [Additional] Language key) and the locale.
InterfaceLanguage LanguageFor(const std::filesystem::path& settingsFile);

// Installs the translations of a language (none for English), replacing those installed
// before, and returns the language now in force: English when the program's Russian
// translation cannot be loaded.
InterfaceLanguage InstallTranslations(InterfaceLanguage language);

// The language installed last (English before any).
InterfaceLanguage CurrentLanguage();

// A text of the game logic as the window shows it: a message of base/messages.h in the
// interface's language (a pattern such as "%1 wins" with its places filled in as they were;
// a message followed by further lines translated in its first line), any other text as it is.
// The text is in code page 1251.
QString ShownText(std::string_view text);

// The help file of the interface's language: "Tessaroon.ru.chm" for Russian, "Tessaroon.chm"
// otherwise.
QString HelpFileName(InterfaceLanguage language);

}  // namespace tq::ui
