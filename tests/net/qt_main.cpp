// SPDX-License-Identifier: GPL-3.0-or-later
// The socket tests run the Qt event loop: one QCoreApplication for the whole executable.

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
