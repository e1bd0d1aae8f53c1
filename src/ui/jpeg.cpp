// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "fileio/read_limited.h"

namespace tq::ui {

namespace {

// libjpeg reports fatal errors through error_exit; jump back instead of ending the program.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings of damaged data are not reported

// A progressive file may hold any number of tiny scans, each costing a pass over the whole
// coefficient buffer; past the bound the file is refused.
void OnProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
        cinfo->err->error_exit(cinfo);
}

}  // namespace

QImage DecodeJpeg(const QString& path) {
    const Result<std::string> read = ReadFileLimited(path.toStdString(), kMaxJpegFileSize);
    if (!read.ok() || read->empty()) return {};
    const std::string& data = *read;

    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = OnMessage;
    progress.progress_monitor = OnProgress;
    // Everything that must survive a longjmp lives outside this frame's automatic variables
    // that change after setjmp: the image is returned only on success.
    QImage* result = new QImage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    jpeg_create_decompress(&cinfo);
    // Buffers beyond this make the decoder fail instead of growing without end.
    cinfo.mem->max_memory_to_use = kMaxJpegDecoderMemory;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    // The header's size decides before any pixel buffer exists (a progressive file's
    // coefficients are allocated whole by jpeg_start_decompress).
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxJpegSide ||
        cinfo.image_height > kMaxJpegSide) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
    if (w <= 0 || h <= 0 || w > kMaxJpegSide || h > kMaxJpegSide || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    *result = QImage(w, h, QImage::Format_RGB888);
    if (result->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = result->scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    QImage image = result->convertToFormat(QImage::Format_RGB32);
    delete result;
    return image;
}

}  // namespace tq::ui
