// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TInfoForm, the game status dialog: every seat with its name and total in the seat's colour,
// the seat to move highlighted during a game ("Game Status"), none after it ("Game Results").

#include <QDialog>

#include <array>

#include "core/game_model.h"
#include "ui/style.h"
#include "ui/widgets.h"

namespace tq::ui {

class TInfoForm : public OkDialog {
    Q_OBJECT
  public:
    static constexpr int kRows = 6;
    static constexpr uint32_t kGrey = 8421504;

    TInfoForm(const GameModel& model, const Style& style, QWidget* parent);

    ShapeView* Shape(int row, int col) const { return shapes_[row * 2 + col]; }
    TextLabel* Label(int row, int col) const { return labels_[row * 2 + col]; }
    int HighlightedSeat() const { return highlighted_; }

    // FormShow's filling, also usable without showing the dialog.
    void Fill();

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void Place(int row, int col, const QString& text, const QColor& colour);

    const GameModel& model_;
    const Style& style_;
    std::array<ShapeView*, kRows * 2> shapes_{};
    std::array<TextLabel*, kRows * 2> labels_{};
    ShapeView* shOk_;
    FlatButton* btOk_;
    int highlighted_ = 0;
};

}  // namespace tq::ui
