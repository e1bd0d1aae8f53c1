// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TStyleForm, the style dialog: pick a style, edit its eight colours, save them under an existing
// or a new name, and apply them to the running program.

#include <QDialog>

#include <array>

#include "ui/style.h"
#include "ui/widgets.h"

class QComboBox;
class QStackedWidget;
class QToolButton;
class QPushButton;

namespace tq::ui {

class TMainForm;

// A colour swatch: a framed rectangle of one colour; a press opens the colour dialog.
class ColourSwatch : public QWidget {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent);
    void SetValue(uint32_t value);
    uint32_t Value() const { return value_; }

  signals:
    void pressed();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

  private:
    uint32_t value_ = 0;
};

// The page tabs of a dialog too narrow for them in one row: two rows of two, drawn and worked as
// tabs are. The row of the current tab lies next to the page; a click chooses a tab, the arrow
// keys move between them while the tabs have the focus. The pages are the children laid in
// PageRect().
class TabRows : public QWidget {
    Q_OBJECT
  public:
    explicit TabRows(QWidget* parent);
    int AddTab(const QString& caption);
    int Count() const { return static_cast<int>(captions_.size()); }
    int Current() const { return current_; }
    void SetCurrent(int index);
    QString Caption(int index) const { return captions_.at(index); }
    QRect TabRect(int index) const;
    // The room of the pages, inside the frame below the tabs.
    QRect PageRect() const;

  signals:
    void currentChanged(int index);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QRect FrameRect() const;
    QList<QString> captions_;
    int current_ = 0;
};

class TStyleForm : public QDialog {
    Q_OBJECT
  public:
    TStyleForm(Style& style, TMainForm& main);

    // The controls, for tests.
    QComboBox* StyleCombo() const { return cbStyle_; }
    ColourSwatch* Swatch(StyleColour c) const { return swatches_[static_cast<int>(c)]; }
    PictureView* FieldPreview(int i) const { return fieldPreview_[i]; }
    PictureView* InputPreview(int i) const { return inputPreview_[i]; }
    QStackedWidget* Pages() const { return pages_; }
    TabRows* Tabs() const { return tabs_; }
    // A style as the list shows it: the shipped styles by their translated names, any other by
    // its file name.
    static QString StyleCaption(const std::string& fileName);

    // The dialog's commands.
    void FormShow();
    void cbStyleChange();
    void shFillMouseDown(StyleColour which);
    void sbSaveStyleClick();
    void bbApplyClick();
    // The colours of the swatches.
    StyleColours SwatchColours() const;

  protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    bool IsItem(const QString& text) const;
    // The file name of the style the text names: an item's own, else the text itself.
    std::string FileNameOf(const QString& text) const;
    void LoadPreviews(const std::string& styleName);
    QWidget* SwatchRow(QWidget* page, int top, const QString& caption, StyleColour which);
    void AddPage(QWidget* page, const QString& caption);

    Style& style_;
    TMainForm& main_;
    QStackedWidget* pages_;
    TabRows* tabs_;
    QComboBox* cbStyle_;
    QToolButton* sbSaveStyle_;
    std::array<ColourSwatch*, kStyleColourCount> swatches_{};
    std::array<PictureView*, 2> fieldPreview_{};
    std::array<PictureView*, 2> inputPreview_{};
    QPushButton* bbApply_;
    QPushButton* bbCancel_;
};

}  // namespace tq::ui
