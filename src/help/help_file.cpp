// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_file.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>

namespace tq::help {

namespace {

std::string Rooted(std::string_view path) {
    std::string p(path);
    if (p.empty() || p.front() != '/') p.insert(p.begin(), '/');
    return p;
}

// The system object: a 32-bit version, then entries of a 16-bit code, a 16-bit length and that
// many bytes of data, little-endian.
uint16_t Word16(const std::string& s, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 (static_cast<unsigned char>(s[at + 1]) << 8));
}

std::string CString(std::string_view data) {
    const std::size_t end = data.find('\0');
    return std::string(data.substr(0, end));
}

int CollectPath(chmFile*, chmUnitInfo* ui, void* context) {
    auto* paths = static_cast<std::vector<std::string>*>(context);
    const std::string path(ui->path);
    if (!path.empty() && path.back() != '/') paths->push_back(path);
    return CHM_ENUMERATOR_CONTINUE;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The value of attribute `name` inside one tag's text, or nullopt.
std::optional<std::string> Attribute(std::string_view tag, std::string_view name) {
    const std::string lower = Lower(tag);
    std::size_t at = 0;
    while ((at = lower.find(name, at)) != std::string::npos) {
        const bool startsWord = at > 0 && std::isspace(static_cast<unsigned char>(lower[at - 1]));
        std::size_t i = at + name.size();
        at = i;
        if (!startsWord) continue;
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        if (i >= lower.size() || lower[i] != '=') continue;
        ++i;
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        if (i >= lower.size()) return std::string();
        if (lower[i] == '"' || lower[i] == '\'') {
            const char quote = lower[i];
            const std::size_t end = tag.find(quote, i + 1);
            return std::string(tag.substr(
                i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1));
        }
        std::size_t end = i;
        while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) &&
               tag[end] != '>')
            ++end;
        return std::string(tag.substr(i, end - i));
    }
    return std::nullopt;
}

}  // namespace

std::unique_ptr<HelpFile> HelpFile::Open(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return nullptr;
    chmFile* handle = chm_open(file.c_str());
    if (!handle) return nullptr;
    std::unique_ptr<HelpFile> help(new HelpFile(handle));
    if (!help->Has("/#SYSTEM")) return nullptr;
    help->ReadSystem();
    return help;
}

HelpFile::~HelpFile() {
    chm_close(handle_);
}

bool HelpFile::Has(std::string_view path) const {
    chmUnitInfo ui{};
    const std::string p = Rooted(path);
    if (p.size() > CHM_MAX_PATHLEN) return false;
    return chm_resolve_object(handle_, p.c_str(), &ui) == CHM_RESOLVE_SUCCESS;
}

std::optional<std::string> HelpFile::Read(std::string_view path) const {
    chmUnitInfo ui{};
    const std::string p = Rooted(path);
    if (p.size() > CHM_MAX_PATHLEN) return std::nullopt;
    if (chm_resolve_object(handle_, p.c_str(), &ui) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    if (ui.length > kMaxObjectSize) return std::nullopt;
    std::string data(static_cast<std::size_t>(ui.length), '\0');
    if (ui.length == 0) return data;
    const LONGINT64 got =
        chm_retrieve_object(handle_, &ui, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(ui.length));
    if (got != static_cast<LONGINT64>(ui.length)) return std::nullopt;
    return data;
}

std::vector<std::string> HelpFile::Paths() const {
    std::vector<std::string> paths;
    chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectPath, &paths);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void HelpFile::ReadSystem() {
    const std::optional<std::string> system = Read("/#SYSTEM");
    if (system) {
        const std::string& s = *system;
        std::size_t at = 4;
        while (at + 4 <= s.size()) {
            const uint16_t code = Word16(s, at);
            const uint16_t length = Word16(s, at + 2);
            at += 4;
            if (at + length > s.size()) break;
            const std::string_view data(s.data() + at, length);
            switch (code) {
                case 0:
                    contentsFile_ = CString(data);
                    break;
                case 2:
                    defaultTopic_ = CString(data);
                    break;
                case 3:
                    title_ = CString(data);
                    break;
                default:
                    break;
            }
            at += length;
        }
    }
    if (contentsFile_.empty() || !Has(contentsFile_)) {
        contentsFile_.clear();
        for (const std::string& p : Paths()) {
            if (Lower(p).ends_with(".hhc")) {
                contentsFile_ = p.substr(1);
                break;
            }
        }
    }
}

std::vector<HelpContentsEntry> HelpFile::Contents() const {
    if (contentsFile_.empty()) return {};
    const std::optional<std::string> text = Read(contentsFile_);
    return text ? ParseSitemap(*text) : std::vector<HelpContentsEntry>{};
}

std::vector<HelpContentsEntry> ParseSitemap(std::string_view html) {
    std::vector<HelpContentsEntry> entries;
    int lists = 0;
    bool inObject = false;
    HelpContentsEntry entry;
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const std::size_t end = html.find('>', at);
        if (end == std::string_view::npos) break;
        const std::string_view tag = html.substr(at + 1, end - at - 1);
        at = end + 1;
        std::size_t nameEnd = 0;
        while (nameEnd < tag.size() && !std::isspace(static_cast<unsigned char>(tag[nameEnd])))
            ++nameEnd;
        const std::string name = Lower(tag.substr(0, nameEnd));
        if (name == "ul") {
            ++lists;
        } else if (name == "/ul") {
            lists = std::max(0, lists - 1);
        } else if (name == "object") {
            const std::optional<std::string> type = Attribute(tag, "type");
            inObject = type && Lower(*type) == "text/sitemap";
            entry = HelpContentsEntry{};
            entry.Depth = std::max(0, lists - 1);
        } else if (name == "param" && inObject) {
            const std::string param = Lower(Attribute(tag, "name").value_or(""));
            const std::string value = Attribute(tag, "value").value_or("");
            if (param == "name" && entry.Name.empty()) entry.Name = value;
            if (param == "local" && entry.Local.empty()) entry.Local = value;
        } else if (name == "/object" && inObject) {
            inObject = false;
            if (!entry.Name.empty() || !entry.Local.empty()) entries.push_back(entry);
        }
    }
    return entries;
}

HelpTarget ParseHelpTarget(std::string_view target) {
    HelpTarget t;
    const std::size_t sep = target.find("::");
    t.File = std::string(target.substr(0, sep));
    if (sep != std::string_view::npos) {
        t.Topic = std::string(target.substr(sep + 2));
        if (!t.Topic.empty() && t.Topic.front() != '/') t.Topic.insert(t.Topic.begin(), '/');
    }
    return t;
}

}  // namespace tq::help
