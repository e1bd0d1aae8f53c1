// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rec_form.h"

#include "records/records.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

constexpr std::array<int, TRecForm::kCols> kColLeft = {2, 83, 244};
constexpr std::array<int, TRecForm::kCols> kColWidth = {80, 160, 80};
constexpr int kMaxLabelWidth = 156;

}  // namespace

TRecForm::TRecForm(const GameModel& model, const Style& style, QWidget* parent)
    : OkDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      style_(style) {
    setFixedSize(326, 276);
    setFont(SansSerif(11));
    setWindowTitle(tr("Record Table"));
    const QFont bold = SansSerif(11, true);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            auto* shape = new ShapeView(ShapeView::Kind::RoundRect, this);
            shape->setGeometry(kColLeft[col], 2 + 23 * row, kColWidth[col], 22);
            shape->SetPen(ToQColor(kGrey));
            auto* label = new TextLabel(bold, this);
            label->SetMaxTextWidth(kMaxLabelWidth);
            shapes_[row * kCols + col] = shape;
            labels_[row * kCols + col] = label;
        }
    }
    shOk_ = new ShapeView(ShapeView::Kind::RoundRect, this);
    shOk_->setGeometry(127, 256, 70, 19);
    shOk_->SetFill(std::nullopt);
    btOk_ = new FlatButton(tr("OK"), this);
    btOk_->setGeometry(128, 257, 68, 17);
    connect(btOk_, &FlatButton::clicked, this, &QDialog::accept);
}

void TRecForm::Place(int row, int col, const QString& text, const QColor& colour) {
    TextLabel* l = Label(row, col);
    const ShapeView* s = Shape(row, col);
    l->SetText(text);
    l->SetColour(colour);
    l->move(s->x() + (s->width() - l->width()) / 2, s->y() + (s->height() - l->height()) / 2);
}

void TRecForm::FillRow(int row, const QColor& fill) {
    for (int col = 0; col < kCols; ++col) Shape(row, col)->SetFill(fill);
}

void TRecForm::Fill() {
    // The header, the body and the OK frame in the colours of the style in force.
    const QColor headFont = style_.Colour(StyleColour::HeadFontColor);
    for (int col = 0; col < kCols; ++col) {
        Shape(0, col)->SetPen(style_.Colour(StyleColour::HeadBorderColor));
        Shape(0, col)->SetFill(style_.Colour(StyleColour::HeadColor));
    }
    const QColor fill = style_.Colour(StyleColour::FillColor);
    for (int row = 1; row < kRows; ++row) FillRow(row, fill);
    shOk_->SetPen(style_.Colour(StyleColour::BorderColor));
    Place(0, 0, tr("Rating"), headFont);
    Place(0, 1, tr("Player Name"), headFont);
    Place(0, 2, tr("Record"), headFont);

    // The file's entries, or the default table when it is missing or damaged.
    const std::array<RecordEntry, 10> table =
        RecordTableForDisplay(model_.RecordsFolder(), model_.Dict);
    for (int row = 1; row < kRows; ++row) {
        const RecordEntry& e = table[static_cast<std::size_t>(row - 1)];
        const QColor colour = ToQColor(row == 1 ? kFirstColour : kOtherColour);
        Place(row, 0, QString::number(row), colour);
        Place(row, 1, ToQString(e.Name), colour);
        Place(row, 2, ToQString(e.Value), colour);
    }

    // The entry the last game entered.
    highlighted_ = model_.State.NewRecordPlace;
    if (highlighted_ < 1 || highlighted_ >= kRows) highlighted_ = 0;
    setWindowTitle(highlighted_ == 1 ? tr("New Record!") : tr("Record Table"));
    if (highlighted_ != 0) FillRow(highlighted_, style_.Colour(StyleColour::HighlightColor));
}

void TRecForm::Unmark() {
    if (highlighted_ == 0) return;
    setWindowTitle(tr("Record Table"));
    FillRow(highlighted_, style_.Colour(StyleColour::FillColor));
    highlighted_ = 0;
}

void TRecForm::showEvent(QShowEvent* e) {
    Fill();
    QDialog::showEvent(e);
}

void TRecForm::hideEvent(QHideEvent* e) {
    Unmark();
    QDialog::hideEvent(e);
}

}  // namespace tq::ui
