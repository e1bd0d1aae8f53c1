// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info_form.h"

#include "base/messages.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

TInfoForm::TInfoForm(const GameModel& model, const Style& style, QWidget* parent)
    : OkDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      style_(style) {
    setFixedSize(325, 161);
    setFont(SansSerif(11));
    setWindowTitle(tr("Game Status"));
    const QFont bold = SansSerif(11, true);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < 2; ++col) {
            auto* shape = new ShapeView(ShapeView::Kind::RoundRect, this);
            shape->setGeometry(col == 0 ? 2 : 163, 2 + 23 * row, 160, 22);
            shape->SetPen(ToQColor(kGrey));
            shape->SetFill(style.Colour(StyleColour::FillColor));
            auto* label = new TextLabel(bold, this);
            label->SetMaxTextWidth(156);
            shapes_[row * 2 + col] = shape;
            labels_[row * 2 + col] = label;
        }
    }
    shOk_ = new ShapeView(ShapeView::Kind::RoundRect, this);
    shOk_->setGeometry(127, 141, 70, 19);
    btOk_ = new FlatButton(tr("OK"), this);
    btOk_->setGeometry(128, 142, 68, 17);
    connect(btOk_, &FlatButton::clicked, this, &QDialog::accept);
}

void TInfoForm::Place(int row, int col, const QString& text, const QColor& colour) {
    TextLabel* l = Label(row, col);
    const ShapeView* s = Shape(row, col);
    l->SetText(text);
    l->SetColour(colour);
    l->move(s->x() + (s->width() - l->width()) / 2, s->y() + (s->height() - l->height()) / 2);
}

void TInfoForm::Fill() {
    const QColor headFill = style_.Colour(StyleColour::HeadColor);
    const QColor headPen = style_.Colour(StyleColour::HeadBorderColor);
    const QColor headFont = style_.Colour(StyleColour::HeadFontColor);
    const QColor fill = style_.Colour(StyleColour::FillColor);
    for (int col = 0; col < 2; ++col) {
        Shape(0, col)->SetPen(headPen);
        Shape(0, col)->SetFill(headFill);
    }
    for (int row = 1; row < kRows; ++row)
        for (int col = 0; col < 2; ++col) Shape(row, col)->SetFill(fill);
    shOk_->SetPen(style_.Colour(StyleColour::BorderColor));
    shOk_->SetFill(std::nullopt);

    const GameSettings& s = model_.Settings;
    highlighted_ = model_.State.CurrentSeat;
    if (model_.State.Phase == GamePhase::GameOver) {
        setWindowTitle(tr("Game Results"));
    } else {
        setWindowTitle(tr("Game Status"));
        if (highlighted_ >= 1 && highlighted_ < kRows && highlighted_ <= s.Count) {
            const QColor hl = style_.Colour(StyleColour::HighlightColor);
            Shape(highlighted_, 0)->SetFill(hl);
            Shape(highlighted_, 1)->SetFill(hl);
        }
    }
    Place(0, 0, tr("Player Name"), headFont);
    Place(0, 1, tr("Score"), headFont);
    const int count = std::min<int>(s.Count, kMaxSeats);
    for (int seat = 1; seat < kRows; ++seat) {
        if (seat <= count) {
            const TPlayers& p = s.Seat(seat);
            const QColor colour = ToQColor(p.Color);
            Place(seat, 0, ToQString(p.Name), colour);
            Place(seat, 1, QString::number(model_.State.Score(seat).Total()), colour);
        } else {
            Place(seat, 0, ToQString(msg::NoWord), ToQColor(kGrey));
            Place(seat, 1, ToQString(msg::NoWord), ToQColor(kGrey));
        }
    }
}

void TInfoForm::showEvent(QShowEvent* e) {
    Fill();
    QDialog::showEvent(e);
}

void TInfoForm::hideEvent(QHideEvent* e) {
    if (highlighted_ >= 1 && highlighted_ < kRows) {
        const QColor fill = style_.Colour(StyleColour::FillColor);
        Shape(highlighted_, 0)->SetFill(fill);
        Shape(highlighted_, 1)->SetFill(fill);
    }
    QDialog::hideEvent(e);
}

}  // namespace tq::ui
