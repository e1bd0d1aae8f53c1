#include "ui/jpeg.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

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

}  // namespace

QImage DecodeJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    if (data.isEmpty()) return {};

    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = OnMessage;
    // Everything that must survive a longjmp lives outside this frame's automatic variables
    // that change after setjmp: the image is returned only on success.
    QImage* result = new QImage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192 || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return {};
    }
    *result = QImage(w, h, QImage::Format_RGB888);
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
