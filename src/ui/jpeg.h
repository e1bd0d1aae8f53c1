// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG pictures of the styles, decoded with libjpeg.

#include <QImage>
#include <QString>

#include <cstddef>

namespace tq::ui {

// Bounds of a style picture. A background fills part of a fixed-size window, so a picture
// beyond them can only be a mistake or an attack: it is refused right after its header is read,
// before the decoder allocates anything for its pixels.
inline constexpr int kMaxJpegSide = 4096;                   // pixels, either way
inline constexpr std::size_t kMaxJpegFileSize = 16u << 20;  // bytes of the file
inline constexpr long kMaxJpegDecoderMemory = 192L << 20;   // the decoder's own buffers
inline constexpr int kMaxJpegScans = 500;                   // scans of a progressive file

// The decoded picture, or a null image when the file is missing, is not a regular file, is
// beyond the bounds above, or is not a readable JPEG.
QImage DecodeJpeg(const QString& path);

}  // namespace tq::ui
