// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help file Tessaroon.chm, a compiled HTML help file read with chmlib: its pages, pictures
// and style sheets by path, its title, default topic and table of contents. Plain C++; the help
// window shows what it reads.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace tq::help {

// One line of the table of contents: its caption, the page (and anchor) it opens, relative to
// the file's root ("1_playing.htm#word"), and its depth, 0 for the top level.
struct HelpContentsEntry {
    std::string Name;
    std::string Local;
    int Depth = 0;
};

class HelpFile {
  public:
    // Objects larger than this are taken as damage and not read.
    static constexpr uint64_t kMaxObjectSize = 16u << 20;

    // Opens the file; nullptr when it is missing or not a readable help file (a file without
    // the system object that every compiled help file carries counts as damaged).
    static std::unique_ptr<HelpFile> Open(const std::filesystem::path& file);
    ~HelpFile();
    HelpFile(const HelpFile&) = delete;
    HelpFile& operator=(const HelpFile&) = delete;

    // Paths are absolute inside the file, "/5_options.htm"; a path without the leading "/" is
    // taken from the root. Letter case matters.
    bool Has(std::string_view path) const;
    // The whole object, or nullopt when it is missing, too large or cannot be read whole.
    std::optional<std::string> Read(std::string_view path) const;
    // Every ordinary object of the file (pages, pictures, style sheets, the contents), sorted.
    std::vector<std::string> Paths() const;

    // From the file's system object: the window title, the page shown first and the contents
    // file (each empty when the compiler left it out; the contents file then is the first
    // *.hhc object).
    const std::string& Title() const { return title_; }
    const std::string& DefaultTopic() const { return defaultTopic_; }
    const std::string& ContentsFile() const { return contentsFile_; }
    // The table of contents; empty when the file has none.
    std::vector<HelpContentsEntry> Contents() const;

  private:
    explicit HelpFile(chmFile* handle) : handle_(handle) {}
    void ReadSystem();

    chmFile* handle_;
    std::string title_;
    std::string defaultTopic_;
    std::string contentsFile_;
};

// The entries of a sitemap (a contents or index file): every <OBJECT type="text/sitemap"> with
// its "Name" and "Local" parameters, the depth being the number of <UL> lists around it minus 1.
// Entries without a page are kept (a heading); broken markup yields what could be read.
std::vector<HelpContentsEntry> ParseSitemap(std::string_view html);

// A help target as the help viewer takes it: "Tessaroon.chm" (the file, its default topic) or
// "Tessaroon.chm::/5_options.htm" (one topic).
struct HelpTarget {
    std::string File;
    std::string Topic;  // "/5_options.htm", or empty for the default topic
};
HelpTarget ParseHelpTarget(std::string_view target);

}  // namespace tq::help
