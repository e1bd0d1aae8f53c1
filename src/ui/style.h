// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The style in force: its name, its eight colours and its eight pictures, loaded from the folder
// Styles. A picture whose file is missing is not loaded and the previous one stays.

#include <QColor>
#include <QImage>
#include <QString>

#include <filesystem>
#include <string>

#include "settings/style_colours.h"

namespace tq::ui {

// The colour value of the pixels the four cell pictures leave undrawn: red 240, green 255,
// blue 255.
constexpr uint32_t kTransparentColour = 16777200;

// The picture of a file with the pixels of kTransparentColour made see-through; a null image
// when the file is missing or unreadable.
QImage LoadCellPicture(const QString& path);
// A button glyph: the pixels of the colour of its bottom-left pixel are see-through.
QImage LoadGlyph(const QString& path);
// A background: base + ".jpg" (decoded with libjpeg) when that file exists, else base + ".bmp".
QImage LoadBackground(const QString& base);

struct StylePictures {
    QImage fieldCell;        // _fc01.bmp
    QImage fieldCellMarked;  // _fc02.bmp
    QImage inputCell;        // _ic01.bmp
    QImage inputCellHot;     // _ic02.bmp
    QImage fieldBackground;  // _bg01.jpg or .bmp
    QImage inputBackground;  // _bg02.jpg or .bmp
    QImage arrowUp;          // _ar01.bmp
    QImage arrowDown;        // _ar02.bmp
};

class Style {
  public:
    explicit Style(std::filesystem::path stylesFolder) : folder_(std::move(stylesFolder)) {}

    const std::filesystem::path& Folder() const { return folder_; }
    const std::string& CurrentStyle() const { return current_; }
    void SetCurrentStyle(std::string name) { current_ = std::move(name); }
    const StyleColours& Colours() const { return colours_; }
    void SetColours(const StyleColours& c) { colours_ = c; }
    uint32_t Value(StyleColour c) const { return colours_[c]; }
    QColor Colour(StyleColour c) const;
    const StylePictures& Pictures() const { return pictures_; }

    // LoadStyle: settles the name (the configured one when its colour file exists, else
    // "Marble"), reads the colours and loads the pictures that exist.
    void Load(std::string_view configuredName);
    // The field pictures (_fc01, _fc02, _bg01, _ar01, _ar02) of the current style, where they
    // exist.
    void ReloadFieldPictures();
    // The input window pictures (_ic01, _ic02, _bg02) of the current style, where they exist.
    void ReloadInputPictures();

    // The path of one of the current style's pictures: folder / (name + suffix).
    QString PicturePath(std::string_view suffix) const;
    QString PicturePath(std::string_view style, std::string_view suffix) const;

  private:
    std::filesystem::path folder_;
    std::string current_ = "Marble";
    StyleColours colours_;
    StylePictures pictures_;
};

// Replaces target with the picture when it could be loaded; else target stays as it was.
void KeepOrReplace(QImage& target, QImage loaded);

}  // namespace tq::ui
