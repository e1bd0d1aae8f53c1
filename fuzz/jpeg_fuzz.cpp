// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the JPEG loader of the style pictures. Any file decodes to a picture or to
// nothing, without reading outside its buffers, and within the loader's bounds: libjpeg's own
// memory limit is set by the loader, so a file that claims a huge picture (a size bomb) must be
// refused rather than allocated (run the fuzzer with -malloc_limit_mb to see one).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <QImage>
#include <QString>

#include "fuzz_files.h"
#include "ui/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = fuzz::ScratchFile("Fuzzed_bg01.jpg");
    fuzz::WriteBytes(file, std::string_view(reinterpret_cast<const char*>(data), size));
    const QImage image = tq::ui::DecodeJpeg(QString::fromStdString(file.string()));
    if (!image.isNull() && (image.width() <= 0 || image.height() <= 0 || image.width() > 8192 ||
                            image.height() > 8192))
        std::abort();
    return 0;
}
