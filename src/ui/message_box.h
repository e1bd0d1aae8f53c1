// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's message boxes: captioned "Tessaroon", placed centred over the main window and
// kept fully on the screen.

#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tq::ui {

// The top-left corner of a box of the given size centred over the main window's frame (halves
// truncated toward zero), then moved so that it lies inside the screen.
QPoint CentredBoxPosition(const QRect& mainFrame, const QSize& box, const QRect& screen);

// Where a box of the given size goes: centred over the window's frame, kept on its screen.
QPoint CentredOn(const QWidget& window, const QSize& size);

// CentreMessageBox: moves the box (already shown) to its place over the main window, keeping
// its size; nothing when either is missing.
void CentreMessageBox(QWidget* box, const QWidget* mainWindow);

// A message box captioned "Tessaroon" over the main window (or none), centred once it shows.
// The caller runs it modally.
void PrepareMessageBox(QMessageBox& box, const QWidget* mainWindow);

}  // namespace tq::ui
