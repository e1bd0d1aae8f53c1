// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TAboutForm, the about box: the program's icon and its two-coloured title, a line, the
// copyright and the sources of the dictionaries with their licences, and OK in a frame of the
// style's border colour.

#include <QDialog>

#include "ui/style.h"
#include "ui/widgets.h"

class QLabel;

namespace tq::ui {

// A panel with a lowered outer and a raised inner bevel, one pixel each.
class BevelPanel : public QWidget {
    Q_OBJECT
  public:
    explicit BevelPanel(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;
};

// A horizontal etched line: a grey pixel row over a white one.
class EtchedLine : public QWidget {
    Q_OBJECT
  public:
    explicit EtchedLine(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;
};

class TAboutForm : public OkDialog {
    Q_OBJECT
  public:
    static constexpr uint32_t kTitleShadow = 57825;  // red 225, green 225, blue 0
    static constexpr uint32_t kTitleColour = 25700;  // red 100, green 100, blue 0

    TAboutForm(const Style& style, QWidget* parent);

    BevelPanel* Panel() const { return panel_; }
    PictureView* Icon() const { return imIcon_; }
    TextLabel* Title1() const { return lbTitle1_; }
    TextLabel* Title2() const { return lbTitle2_; }
    TextLabel* Ver1() const { return lbVer1_; }
    TextLabel* Ver2() const { return lbVer2_; }
    EtchedLine* Line() const { return line_; }
    QLabel* Copyright() const { return lbCopyright_; }
    QLabel* Sources() const { return lbSources_; }
    ShapeView* OkFrame() const { return shOk_; }
    FlatButton* OkButton() const { return btOk_; }

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    const Style& style_;
    BevelPanel* panel_;
    PictureView* imIcon_;
    TextLabel* lbTitle2_;
    TextLabel* lbTitle1_;
    TextLabel* lbVer2_;
    TextLabel* lbVer1_;
    EtchedLine* line_;
    QLabel* lbCopyright_;
    QLabel* lbSources_;
    ShapeView* shOk_;
    FlatButton* btOk_;
};

// The about box's title: the program's name and version.
QString ProgramTitle();

}  // namespace tq::ui
