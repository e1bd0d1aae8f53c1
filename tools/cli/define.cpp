// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli define: what a word of the dictionary means, from the explanations file beside
// it, or where to look it up.

#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "core/game_model.h"
#include "dict/cp1251.h"
#include "dict/explanations.h"
#include "printable.h"

namespace tq::cli {

namespace {

const char* const kUsage = "usage: tessaroon-cli define WORD [--dict NAME] [--json]\n";

const char* const kHelp =
    "usage: tessaroon-cli define WORD [--dict NAME] [--json]\n"
    "Prints what WORD means, from the explanations beside the dictionary (Dicts/NAME.tqe), or\n"
    "says there is none and gives the word's page in Wiktionary to look it up.\n"
    "  --dict NAME   the dictionary in Dicts (default: the one Tessaroon.ini names)\n"
    "  --json        one JSON object: word, dict, in_dictionary, glosses, look_up\n"
    "Exit status: 0 explained, 1 no explanation (or not a word of the dictionary),\n"
    "2 wrong use, 3 the dictionary cannot be read.\n";

int Usage(const std::string& why) {
    std::cerr << "tessaroon-cli define: " << why << "\n" << kUsage;
    return 2;
}

// A dictionary's name as Dicts holds it: no folder, nothing hidden.
bool PlainName(const std::string& name) {
    return !name.empty() && name.size() <= 64 && name.front() != '.' &&
           name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

// The word as typed, in the terminal's UTF-8, with control bytes and malformed bytes written
// visibly as "\xNN".
std::string Typed(const std::string& text) {
    const bool utf8 = IsValidUtf8(text);
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
            static const char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

int Define(const std::vector<std::string>& args) {
    const Result<Arguments> parsed = ParseArguments(args, {{"--dict", true}, {"--json", false}});
    if (!parsed.ok()) return Usage(parsed.message());
    if (parsed->positional.size() != 1)
        return Usage(parsed->positional.empty() ? "which word?" : "one word at a time");
    bool json = false;
    std::string dictName;
    for (const auto& [name, value] : parsed->options) {
        if (name == "--json") json = true;
        if (name == "--dict") dictName = value;  // the last one counts
    }
    if (!dictName.empty() && !PlainName(dictName))
        return Usage("--dict takes the name of a dictionary in Dicts, such as General_eng");

    GameModel model;
    if (dictName.empty()) {
        if (!StartModel(model, std::cerr)) return 3;
    } else {
        model.StartFolder = StartFolder();
        model.Dict.DictName = dictName;
        const Status loaded = LoadDictionary(model.DictsFolder(), model.Words, model.Dict);
        if (!loaded.ok()) {
            std::cerr << PrintableLines(loaded.message().empty()
                                            ? "No dictionary " + dictName + " in " +
                                                  model.DictsFolder().string() + "."
                                            : loaded.message())
                      << "\n";
            return 3;
        }
    }
    const std::string& typed = parsed->positional.front();
    const uint8_t language = model.Dict.Language;
    const std::string word = DictionaryWord(language, typed);
    const std::string shown = word.empty() ? Typed(typed) : Cp1251ToUtf8(word);
    const bool inDictionary = !word.empty() && model.Words.ContainsWord(word);
    std::vector<std::string> glosses;
    if (inDictionary) {
        const Result<std::vector<std::string>> found =
            ReadExplanation(ExplanationsFile(model.DictsFolder(), model.Dict.DictName), word);
        // A missing file simply explains nothing; a damaged one is worth a note.
        if (found.ok())
            glosses = *found;
        else if (std::filesystem::exists(
                     ExplanationsFile(model.DictsFolder(), model.Dict.DictName)))
            std::cerr << "tessaroon-cli define: " << PrintableLines(found.message()) << "\n";
    }
    const std::string lookUp = word.empty() ? std::string() : LookUpAddress(language, word);

    if (json) {
        nlohmann::json out = {{"word", shown},
                              {"dict", model.Dict.DictName},
                              {"in_dictionary", inDictionary},
                              {"glosses", glosses},
                              {"look_up", lookUp}};
        std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else if (!glosses.empty()) {
        std::cout << shown << "\n";
        for (std::size_t i = 0; i < glosses.size(); ++i)
            std::cout << "  " << i + 1 << ". " << glosses[i] << "\n";
    } else if (word.empty()) {
        std::cout << "\"" << shown << "\" is not a word of " << model.Dict.DictName
                  << "'s alphabet: 2 to 30 letters.\n";
    } else if (!inDictionary) {
        std::cout << shown << " is not a word of " << model.Dict.DictName
                  << ". Look it up: " << lookUp << "\n";
    } else {
        std::cout << "No explanation of " << shown << " in " << model.Dict.DictName
                  << ". Look it up: " << lookUp << "\n";
    }
    std::cout.flush();
    if (!std::cout) return 1;
    return glosses.empty() ? 1 : 0;
}

const CommandRegistrar kDefine("define",
                               "define WORD          what a word means, or where to look it up",
                               Define, kHelp);

}  // namespace

}  // namespace tq::cli
