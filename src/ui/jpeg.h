#pragma once
// JPEG pictures of the styles, decoded with libjpeg.

#include <QImage>
#include <QString>

namespace tq::ui {

// The decoded picture, or a null image when the file is missing or not a readable JPEG.
QImage DecodeJpeg(const QString& path);

}  // namespace tq::ui
