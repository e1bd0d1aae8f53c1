// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/explain.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "core/game_model.h"
#include "dict/explanations.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

WordMeaning MeaningOf(const GameModel& model, const std::string& word) {
    WordMeaning m;
    m.word = ToQString(word);
    const Result<std::vector<std::string>> found =
        ReadExplanation(ExplanationsFile(model.DictsFolder(), model.Dict.DictName), word);
    if (found.ok())
        for (const std::string& gloss : *found) m.glosses << QString::fromStdString(gloss);
    m.lookUp = QUrl(QString::fromStdString(LookUpAddress(model.Dict.Language, word)));
    return m;
}

QPoint ExplainPlace(const QRect& screen, const QRect& field, const QPoint& anchor,
                    const QSize& size) {
    constexpr int kGap = 12;
    const int y = std::clamp(anchor.y() - size.height() / 2, screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int x = std::clamp(anchor.x() - size.width() / 2, screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width()));
    const QPoint candidates[] = {
        {anchor.x() + kGap, y},
        {anchor.x() - kGap - size.width(), y},
        {x, field.bottom() + 1 + kGap},
        {x, field.top() - kGap - size.height()},
    };
    for (const QPoint& at : candidates) {
        const QRect place(at, size);
        if (screen.contains(place) && !place.intersects(field)) return at;
    }
    return {std::max(screen.left(), screen.right() + 1 - size.width()), y};
}

ExplainWindow::ExplainWindow(std::function<bool(const QUrl&)> openUrl, QWidget* parent)
    : QFrame(parent, Qt::Popup), openUrl_(std::move(openUrl)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAccessibleName(tr("Meaning of the word"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setFont(SansSerif(12, true));
    title_->setTextFormat(Qt::PlainText);
    layout->addWidget(title_);
    text_ = new QLabel(this);
    text_->setFont(SansSerif(11));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_);
    auto* buttons = new QHBoxLayout;
    lookUp_ = new QPushButton(tr("Look it up"), this);
    lookUp_->setToolTip(tr("Opens the word's page in Wiktionary in your browser."));
    buttons->addWidget(lookUp_);
    buttons->addStretch();
    auto* close = new QPushButton(tr("Close"), this);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(lookUp_, &QPushButton::clicked, this, [this] {
        if (openUrl_ && meaning_.lookUp.isValid()) openUrl_(meaning_.lookUp);
        hide();
    });
}

void ExplainWindow::ShowMeaning(const WordMeaning& meaning, const QPoint& anchor,
                                const QRect& field) {
    meaning_ = meaning;
    title_->setText(meaning.word);
    if (meaning.glosses.isEmpty()) {
        text_->setText(tr("No explanation of this word comes with the game."));
    } else {
        QStringList lines;
        for (int i = 0; i < meaning.glosses.size(); ++i)
            lines << (meaning.glosses.size() == 1
                          ? meaning.glosses[i]
                          : tr("%1. %2").arg(i + 1).arg(meaning.glosses[i]));
        text_->setText(lines.join('\n'));
    }
    // Wide enough for a line of text at the window's scale, and no wider.
    const int width = fontMetrics().averageCharWidth() * 48;
    text_->setFixedWidth(width);
    adjustSize();
    const QScreen* s = screen();
    const QRect screenRect = s ? s->availableGeometry() : QRect(QPoint(0, 0), QSize(1920, 1080));
    move(ExplainPlace(screenRect, field, anchor, size()));
    show();
    lookUp_->setFocus();
}

void AddWordActions(QMenu& menu, const QString& word, const std::function<void()>& explain,
                    const std::function<void()>& lookUp) {
    QObject::connect(menu.addAction(ExplainWindow::tr("What does %1 mean?").arg(word)),
                     &QAction::triggered, &menu, explain);
    QObject::connect(menu.addAction(ExplainWindow::tr("Look %1 up in Wiktionary").arg(word)),
                     &QAction::triggered, &menu, lookUp);
}

}  // namespace tq::ui
