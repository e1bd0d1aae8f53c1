// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help viewer's window: the table of contents of Tessaroon.chm on the left and the pages in
// a text browser on the right, with links between pages, back and forward. The program
// tessaroon-help shows it maximised.

#include <QMainWindow>
#include <QTextBrowser>

#include <filesystem>
#include <memory>

#include "help/help_file.h"

class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace tq::help {

// A text browser that reads its pages, pictures and style sheets from the help file. Pages are
// addressed as chm:/<path inside the file>.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    explicit HelpBrowser(QWidget* parent);
    void SetFile(const HelpFile* file) { file_ = file; }
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    const HelpFile* file_ = nullptr;
};

class HelpWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Opens a target ("Tessaroon.chm" or "Tessaroon.chm::/5_options.htm"): the file is looked
    // for as given, relative to the current directory, then in `fallbackFolder`. Returns false
    // when no readable help file is found or the topic is not in it; nothing is shown then.
    bool OpenTarget(const QString& target, const std::filesystem::path& fallbackFolder = {});
    // Shows a page of the open file ("/5_options.htm", with or without "#anchor").
    bool ShowTopic(const QString& topic);

    // The page showing, without its anchor ("/5_options.htm"); empty when none.
    QString CurrentTopic() const;
    HelpBrowser* Browser() const { return browser_; }
    QTreeWidget* ContentsTree() const { return tree_; }
    // The width of the contents pane at least.
    static constexpr int kContentsWidth = 240;
    const HelpFile* File() const { return file_.get(); }

  private:
    void FillContents();
    void SourceChanged(const QUrl& url);
    void ItemActivated(QTreeWidgetItem* item);

    std::unique_ptr<HelpFile> file_;
    QSplitter* splitter_;
    QTreeWidget* tree_;
    HelpBrowser* browser_;
};

// The address of a page inside the file: chm:/5_options.htm#anchor.
QUrl HelpUrl(const QString& topic);

}  // namespace tq::help
