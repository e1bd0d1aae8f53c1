// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/review_form.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "coach/score_chart.h"
#include "ui/coach_layer.h"
#include "ui/fonts.h"
#include "ui/score_chart_view.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

// A cell of the key under the table, drawn in a coaching look.
class LookSwatch : public QWidget {
  public:
    LookSwatch(CoachLook look, QWidget* parent) : QWidget(parent), look_(look) {
        setFixedSize(26, 26);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(246, 240, 222));
        p.setPen(QColor(160, 150, 130));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        PaintCoachCell(p, rect(), look_, 1);
    }

  private:
    CoachLook look_;
};

}  // namespace

QString ReviewWordText(const Move& move) {
    return move.FormsWord() ? ToQString(move.Word) : QStringLiteral("----");
}

QString SeatTotalText(const SeatReview& seat) {
    const QString text =
        seat.Hints == 0
            ? QCoreApplication::translate(
                  "tq::ui::TReviewForm",
                  "%1: you scored %2 points; your words made %3 of %4 possible word points")
        : seat.Hints == 1
            ? QCoreApplication::translate("tq::ui::TReviewForm",
                                          "%1: you scored %2 points; your words made %3 "
                                          "of %4 possible word points, 1 hint")
            : QCoreApplication::translate("tq::ui::TReviewForm",
                                          "%1: you scored %2 points; your words made %3 of %4 "
                                          "possible word points, %n hints",
                                          nullptr, seat.Hints);
    return text.arg(ToQString(seat.Name), QString::number(seat.Points),
                    QString::number(seat.WordPoints), QString::number(seat.BestPoints));
}

QPoint ReviewPlace(const QRect& screen, const QRect& mainFrame, const QRect& field,
                   const QSize& size) {
    constexpr int kGap = 8;
    const int rightRoom = screen.right() - mainFrame.right() - kGap;
    const int leftRoom = mainFrame.left() - screen.left() - kGap;
    int x = 0;
    if (rightRoom >= size.width())
        x = mainFrame.right() + 1 + kGap;
    else if (leftRoom >= size.width())
        x = mainFrame.left() - kGap - size.width();
    else
        x = std::max(screen.right() + 1 - size.width(), field.right() + 1 + kGap);
    const int lowest = std::max(screen.top(), screen.bottom() + 1 - size.height());
    const int y = std::clamp(mainFrame.top(), screen.top(), lowest);
    return {x, y};
}

TReviewForm::TReviewForm(std::function<void(const ReviewRow&)> showRow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      showRow_(std::move(showRow)) {
    setWindowTitle(tr("Review"));
    setFont(SansSerif(11));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, kColumns, this);
    table_->setAccessibleName(tr("Moves"));
    table_->setHorizontalHeaderLabels(
        {tr("Seat"), tr("Word"), tr("Points"), tr("Best word"), tr("Word points"), tr("Hint")});
    table_->horizontalHeaderItem(kPoints)->setToolTip(
        tr("The move's points as the results table shows them, the clock's bonus and fine "
           "included."));
    table_->horizontalHeaderItem(kBestPoints)
        ->setToolTip(tr("The best word's points: 10 a letter, without bonus or fine."));
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(table_, 3);
    totals_ = new QLabel(this);
    layout->addWidget(totals_);
    chart_ = new ScoreChartView(this);
    layout->addWidget(chart_, 2);
    // A point of the chart picks its move's row, which shows the move on the field.
    connect(chart_, &ScoreChartView::moveClicked, this, [this](int move) {
        if (const int row = RowOfMove(move); row >= 0) table_->setCurrentCell(row, kWord);
    });

    // The key of the field's looks.
    auto* key = new QHBoxLayout;
    key->addWidget(new LookSwatch(CoachLook::Played, this));
    key->addWidget(new QLabel(tr("Played word"), this));
    key->addSpacing(12);
    key->addWidget(new LookSwatch(CoachLook::Best, this));
    key->addWidget(new QLabel(tr("Best word"), this));
    key->addStretch();
    layout->addLayout(key);
    auto* legend =
        new QLabel(tr("Select a move: the field shows it as it was before that move."), this);
    layout->addWidget(legend);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { RowClicked(row); });
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) {
                if (row != previous) RowClicked(row);
            });
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        const std::string word = WordAt(row, column);
        const QRect cell = table_->visualRect(table_->model()->index(row, column));
        if (!word.empty() && explain_)
            explain_(word, table_->viewport()->mapToGlobal(cell.center()));
    });
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int row = table_->rowAt(pos.y());
        const std::vector<std::string> words = RowWords(row);
        if (!words.empty() && menu_) menu_(words, table_->viewport()->mapToGlobal(pos));
    });
    resize(440, 620);
}

void TReviewForm::ShowScores(const ReviewGame& game) {
    chart_->ShowScores(ScoreLines(game), game.Settings);
}

int TReviewForm::RowOfMove(int move) const {
    for (std::size_t i = 0; i < review_.Rows.size(); ++i)
        if (review_.Rows[i].Index == move) return static_cast<int>(i);
    return -1;
}

void TReviewForm::SetWordActions(
    std::function<void(const std::string&, const QPoint&)> explain,
    std::function<void(const std::vector<std::string>&, const QPoint&)> menu) {
    explain_ = std::move(explain);
    menu_ = std::move(menu);
}

std::string TReviewForm::WordAt(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(review_.Rows.size())) return {};
    const ReviewRow& r = review_.Rows[row];
    return column == kBestWord || column == kBestPoints ? r.Best.Word
           : r.Played.FormsWord()                       ? r.Played.Word
                                                        : std::string();
}

std::vector<std::string> TReviewForm::RowWords(int row) const {
    std::vector<std::string> words;
    for (const int column : {int(kWord), int(kBestWord)}) {
        const std::string word = WordAt(row, column);
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    return words;
}

void TReviewForm::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    emit hidden();
}

void TReviewForm::Fill(const Review& review, const GameSettings& settings, bool playerMayMove) {
    review_ = review;
    // Refilling selects nothing: a row is shown on the field when the player picks it.
    const QSignalBlocker quiet(table_);
    table_->clearContents();
    table_->setRowCount(static_cast<int>(review.Rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const ReviewRow& r = review.Rows[i];
        const QColor colour = r.Seat >= 1 && r.Seat <= kMaxSeats
                                  ? ToQColor(settings.Seat(r.Seat).Color)
                                  : QColor(Qt::black);
        const QString cells[kColumns] = {
            r.Seat >= 1 && r.Seat <= kMaxSeats ? ToQString(settings.Seat(r.Seat).Name) : QString(),
            ReviewWordText(r.Played),
            QString::number(r.Points),
            r.Best.Word.empty() ? QStringLiteral("----") : ToQString(r.Best.Word),
            QString::number(r.BestPoints),
            r.Hint ? tr("hint") : QString()};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setForeground(colour);
            if (c == kPoints || c == kBestPoints)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, c, item);
        }
    }
    table_->setCurrentCell(-1, -1);
    QStringList lines;
    for (const SeatReview& seat : review.Seats) lines << SeatTotalText(seat);
    if (lines.isEmpty())
        lines << (playerMayMove ? tr("No move of a player at this computer yet.")
                                : tr("No player at this computer moved in this game."));
    totals_->setText(lines.join('\n'));
    // As wide as the columns need, the words' columns wide enough for a ten-letter word.
    table_->resizeColumnsToContents();
    int width = 0;
    for (int c = 0; c < kColumns; ++c) {
        const int least = c == kWord || c == kBestWord ? 110 : 45;
        if (table_->columnWidth(c) < least) table_->setColumnWidth(c, least);
        width += table_->columnWidth(c);
    }
    resize(std::max({width + 60, totals_->sizeHint().width() + 30, sizeHint().width()}), height());
    if (table_->rowCount() > 0) table_->scrollToBottom();
}

void TReviewForm::RowClicked(int row) {
    if (row < 0 || row >= static_cast<int>(review_.Rows.size())) return;
    if (showRow_) showRow_(review_.Rows[row]);
}

}  // namespace tq::ui
