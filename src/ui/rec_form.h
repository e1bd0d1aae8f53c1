// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TRecForm, the record table dialog: the ten entries of the current dictionary's records file
// (places, player names and values), the default table when the file is missing or damaged,
// and the row of the entry the last game entered highlighted ("New Record!" for place 1).

#include <QDialog>

#include <array>

#include "core/game_model.h"
#include "ui/style.h"
#include "ui/widgets.h"

namespace tq::ui {

class TRecForm : public OkDialog {
    Q_OBJECT
  public:
    static constexpr int kRows = 11;  // the header and ten places
    static constexpr int kCols = 3;   // place, name, value
    static constexpr uint32_t kGrey = 8421504;
    static constexpr uint32_t kFirstColour = 192;    // red 192: place 1
    static constexpr uint32_t kOtherColour = 32768;  // green 128: places 2 to 10

    TRecForm(const GameModel& model, const Style& style, QWidget* parent);

    ShapeView* Shape(int row, int col) const { return shapes_[row * kCols + col]; }
    TextLabel* Label(int row, int col) const { return labels_[row * kCols + col]; }
    ShapeView* OkFrame() const { return shOk_; }
    FlatButton* OkButton() const { return btOk_; }
    // The row highlighted while the dialog shows; 0 for none.
    int HighlightedRow() const { return highlighted_; }

    // FormShow's filling, also usable without showing the dialog.
    void Fill();
    // FormHide's clean-up: the caption and the highlighted row return to normal.
    void Unmark();

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    // Writes a text into a cell's label, re-centres the label in its shape and colours it.
    void Place(int row, int col, const QString& text, const QColor& colour);
    void FillRow(int row, const QColor& fill);

    const GameModel& model_;
    const Style& style_;
    std::array<ShapeView*, kRows * kCols> shapes_{};
    std::array<TextLabel*, kRows * kCols> labels_{};
    ShapeView* shOk_;
    FlatButton* btOk_;
    int highlighted_ = 0;
};

}  // namespace tq::ui
