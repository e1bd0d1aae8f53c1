// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <map>

#include <cstdio>

namespace tq::cli {

namespace {

// Arguments are bytes; Latin-1 carries every byte through QString and back unchanged.
QString Text(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// An argument as typed, its control bytes written visibly as "\xNN" (the argument's own code
// page, unlike the game's texts, is the terminal's).
std::string Visible(const std::string& arg) {
    std::string out;
    for (const char ch : arg) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += ch;
        }
    }
    return out;
}

// "--name" of "--name=value", "-x" of "-x".
std::string OptionPart(const std::string& arg) {
    return arg.substr(0, arg.find('='));
}

}  // namespace

Result<Arguments> ParseArguments(const std::vector<std::string>& args,
                                 const std::vector<OptionSpec>& specs) {
    QCommandLineParser parser;
    // "-abc" is the option "abc", not -a -b -c; the commands have long options only.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    std::map<std::string, bool> valued;
    for (const OptionSpec& spec : specs) {
        const std::string name = std::string(spec.name).substr(2);
        valued[name] = spec.valued;
        parser.addOption(spec.valued ? QCommandLineOption(Text(name), QString(), Text("value"))
                                     : QCommandLineOption(Text(name)));
    }
    QStringList list{QStringLiteral("tessaroon-cli")};  // the parser skips the program's name
    for (const std::string& arg : args) list << Text(arg);

    if (!parser.parse(list)) {
        const QStringList unknown = parser.unknownOptionNames();
        // Named as given, in the order given.
        for (const std::string& arg : args) {
            if (arg.size() < 2 || arg[0] != '-') continue;
            const std::string option = OptionPart(arg);
            const std::string name = option.substr(option.starts_with("--") ? 2 : 1);
            if (unknown.contains(Text(name)))
                return Result<Arguments>::Error("unknown option \"" + Visible(option) + "\"");
        }
        // Otherwise a flag was given a value, or a valued option came last without one.
        for (const std::string& arg : args) {
            const std::string option = OptionPart(arg);
            const auto it = valued.find(option.starts_with("--") ? option.substr(2) : "");
            if (it != valued.end() && !it->second && option != arg)
                return Result<Arguments>::Error(option + " takes no value");
        }
        const std::string last = args.empty() ? std::string() : OptionPart(args.back());
        if (!last.empty() && valued.count(last.substr(last.starts_with("--") ? 2 : 1)))
            return Result<Arguments>::Error(last + " needs a value");
        return Result<Arguments>::Error(Bytes(parser.errorText()));
    }

    Arguments out;
    std::map<std::string, int> seen;  // how many of an option's values are taken
    for (const QString& name : parser.optionNames()) {
        const std::string key = Bytes(name);
        const QStringList values = parser.values(name);
        const int index = seen[key]++;
        out.options.emplace_back("--" + key, valued[key] ? Bytes(values.value(index)) : "");
    }
    for (const QString& arg : parser.positionalArguments()) out.positional.push_back(Bytes(arg));
    return out;
}

}  // namespace tq::cli
