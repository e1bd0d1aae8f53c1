# SPDX-License-Identifier: GPL-3.0-or-later
# The style colour file and the JPEG loader live with the window's code; their fuzz targets
# compile just those files (the JPEG loader with Qt's image class and libjpeg), not the window.
find_package(Qt6 REQUIRED COMPONENTS Gui)
find_package(JPEG REQUIRED)
set(jpeg_fuzz_sources ${CMAKE_SOURCE_DIR}/src/ui/jpeg.cpp)
set(jpeg_fuzz_libs Qt6::Gui JPEG::JPEG)
