// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_window.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace tq::help {

namespace {

constexpr char kScheme[] = "chm";

std::filesystem::path ToPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

}  // namespace

QUrl HelpUrl(const QString& topic) {
    QString t = topic;
    if (!t.startsWith('/')) t.prepend('/');
    QUrl url;
    url.setScheme(kScheme);
    const qsizetype hash = t.indexOf('#');
    url.setPath(hash < 0 ? t : t.left(hash));
    if (hash >= 0) url.setFragment(t.mid(hash + 1));
    return url;
}

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (!file_ || name.scheme() != kScheme) return QVariant();
    const std::optional<std::string> data = file_->Read(name.path().toStdString());
    if (!data) return QVariant();
    const QByteArray bytes(data->data(), static_cast<qsizetype>(data->size()));
    if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(bytes);
    return bytes;
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(tr("Tessaroon Help"));
    splitter_ = new QSplitter(this);
    QSplitter* splitter = splitter_;
    tree_ = new QTreeWidget(splitter);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    browser_ = new HelpBrowser(splitter);
    splitter->addWidget(tree_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kContentsWidth, 1000 - kContentsWidth});
    tree_->setAccessibleName(tr("Topics"));
    browser_->setAccessibleName(tr("Help page"));
    setCentralWidget(splitter);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(tr("Back"), browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction(tr("Forward"), browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    bar->addAction(tr("Contents"), this, [this] {
        ShowTopic(QString::fromStdString(file_ ? file_->DefaultTopic() : std::string()));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SourceChanged);
    connect(tree_, &QTreeWidget::itemActivated, this, &HelpWindow::ItemActivated);
    connect(tree_, &QTreeWidget::itemClicked, this, &HelpWindow::ItemActivated);
    resize(1000, 700);
}

HelpWindow::~HelpWindow() {
    browser_->SetFile(nullptr);
}

bool HelpWindow::OpenTarget(const QString& target, const std::filesystem::path& fallbackFolder) {
    const HelpTarget t = ParseHelpTarget(target.toStdString());
    if (t.File.empty()) return false;
    // The file as given, then the copy beside the program: the first one from which the page
    // can be read. A copy that opens but is cut short or damaged is passed over like a missing
    // one.
    const std::filesystem::path given = ToPath(QString::fromStdString(t.File));
    std::vector<std::filesystem::path> candidates = {given};
    if (!fallbackFolder.empty() && given.is_relative())
        candidates.push_back(fallbackFolder / given);
    for (const std::filesystem::path& path : candidates) {
        std::unique_ptr<HelpFile> file = HelpFile::Open(path);
        if (!file) continue;
        std::string topic = t.Topic.empty() ? file->DefaultTopic() : t.Topic;
        if (topic.empty() && file->Has("/index.htm")) topic = "index.htm";
        const std::string page = topic.substr(0, topic.find('#'));
        if (page.empty() || !file->Read(page)) continue;

        browser_->SetFile(file.get());
        browser_->clearHistory();
        file_ = std::move(file);
        if (!file_->Title().empty()) setWindowTitle(QString::fromStdString(file_->Title()));
        FillContents();
        return ShowTopic(QString::fromStdString(topic));
    }
    return false;
}

bool HelpWindow::ShowTopic(const QString& topic) {
    if (!file_ || topic.isEmpty()) return false;
    const QUrl url = HelpUrl(topic);
    if (!file_->Read(url.path().toStdString())) return false;
    browser_->setSource(url, QTextDocument::HtmlResource);
    return true;
}

QString HelpWindow::CurrentTopic() const {
    const QUrl url = browser_->source();
    return url.scheme() == kScheme ? url.path() : QString();
}

void HelpWindow::FillContents() {
    tree_->clear();
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpContentsEntry& e : file_->Contents()) {
        const int depth = std::min<int>(e.Depth, static_cast<int>(parents.size()));
        parents.resize(static_cast<std::size_t>(depth));
        auto* item =
            parents.empty() ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(e.Name));
        item->setData(0, Qt::UserRole, QString::fromStdString(e.Local));
        parents.push_back(item);
    }
    tree_->expandAll();
    // The pane as wide as its longest title needs, indentation included, so that no title is
    // cut; the page keeps the rest, and never less than half the window.
    const int frame = 2 * tree_->frameWidth();
    const int scrollBar = tree_->verticalScrollBar()->sizeHint().width();
    const int need =
        static_cast<const QAbstractItemView*>(tree_)->sizeHintForColumn(0) + frame + scrollBar + 4;
    // The splitter's own sizes mean nothing before the window is first laid out; the window's
    // width does, and the splitter shares out any change in the proportion set here.
    const int total = std::max(width(), 2 * kContentsWidth);
    const int pane = std::min(std::max(need, kContentsWidth), total / 2);
    splitter_->setSizes({pane, total - pane});
}

void HelpWindow::ItemActivated(QTreeWidgetItem* item) {
    if (!item) return;
    const QString local = item->data(0, Qt::UserRole).toString();
    if (!local.isEmpty()) ShowTopic(local);
}

void HelpWindow::SourceChanged(const QUrl& url) {
    // Select the contents line of the page showing: the one with the same anchor if there is
    // one, else the page's own line.
    const QString page = url.path();
    QTreeWidgetItem* best = nullptr;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const QUrl itemUrl = HelpUrl((*it)->data(0, Qt::UserRole).toString());
        if (itemUrl.path() != page) continue;
        if (url.hasFragment() && itemUrl.fragment() == url.fragment()) {
            best = *it;
            break;
        }
        if (!best && !itemUrl.hasFragment()) best = *it;
    }
    if (best) {
        const QSignalBlocker block(tree_);
        tree_->setCurrentItem(best);
    }
}

}  // namespace tq::help
