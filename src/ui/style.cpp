// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style.h"

#include <QFileInfo>
#include <QImageReader>

#include "ui/jpeg.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

QImage WithTransparentColour(QImage image, QRgb key) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    key &= 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return image;
}

// A BMP (or any picture Qt reads) under the same bounds as a JPEG background: only a regular
// file of at most kMaxJpegFileSize bytes, and at most kMaxJpegSide pixels either way, checked
// from the header before the pixels are read.
QImage ReadPicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > static_cast<qint64>(kMaxJpegFileSize)) return {};
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxJpegSide || size.height() > kMaxJpegSide)) return {};
    reader.setAllocationLimit(static_cast<int>(kMaxJpegDecoderMemory >> 20));
    return reader.read();
}

}  // namespace

QImage LoadCellPicture(const QString& path) {
    QImage image = ReadPicture(path);
    if (image.isNull()) return {};
    return WithTransparentColour(std::move(image), ToQColor(kTransparentColour).rgb());
}

QImage LoadGlyph(const QString& path) {
    QImage image = ReadPicture(path);
    if (image.isNull()) return {};
    const QRgb key = image.pixel(0, image.height() - 1);
    return WithTransparentColour(std::move(image), key);
}

QImage LoadBackground(const QString& base) {
    const QString jpg = base + ".jpg";
    if (QFileInfo(jpg).isFile()) {
        QImage image = DecodeJpeg(jpg);
        if (!image.isNull()) return image;
        // An undecodable JPEG counts as missing: the BMP of the same name may still serve.
    }
    return ReadPicture(base + ".bmp").convertToFormat(QImage::Format_RGB32);
}

void KeepOrReplace(QImage& target, QImage loaded) {
    if (!loaded.isNull()) target = std::move(loaded);
}

QColor Style::Colour(StyleColour c) const {
    return ToQColor(colours_[c]);
}

QString Style::PicturePath(std::string_view suffix) const {
    return PicturePath(current_, suffix);
}

QString Style::PicturePath(std::string_view style, std::string_view suffix) const {
    return QString::fromStdString((folder_ / (std::string(style) + std::string(suffix))).string());
}

void Style::Load(std::string_view configuredName) {
    current_ = ResolveStyleName(folder_, configuredName);
    colours_ = ReadStyleColours(StyleColourFile(folder_, current_));
    ReloadFieldPictures();
    ReloadInputPictures();
}

void Style::ReloadFieldPictures() {
    KeepOrReplace(pictures_.fieldCell, LoadCellPicture(PicturePath("_fc01.bmp")));
    KeepOrReplace(pictures_.fieldCellMarked, LoadCellPicture(PicturePath("_fc02.bmp")));
    KeepOrReplace(pictures_.fieldBackground, LoadBackground(PicturePath("_bg01")));
    KeepOrReplace(pictures_.arrowUp, LoadGlyph(PicturePath("_ar01.bmp")));
    KeepOrReplace(pictures_.arrowDown, LoadGlyph(PicturePath("_ar02.bmp")));
}

void Style::ReloadInputPictures() {
    KeepOrReplace(pictures_.inputCell, LoadCellPicture(PicturePath("_ic01.bmp")));
    KeepOrReplace(pictures_.inputCellHot, LoadCellPicture(PicturePath("_ic02.bmp")));
    KeepOrReplace(pictures_.inputBackground, LoadBackground(PicturePath("_bg02")));
}

}  // namespace tq::ui
