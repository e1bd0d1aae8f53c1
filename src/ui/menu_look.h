// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The owner-drawn look of the main menu: the bar items "Game" and "Help" and the command items
// in light lavender and navy, with each command's function key printed beside it. Separators,
// the menu frames and the measuring of the bar keep the toolkit's own look.

#include <QColor>
#include <QProxyStyle>

class QPainter;
class QStyleOptionMenuItem;

namespace tq::ui {

// The colours of the drawing.
QColor MenuLavender();  // red 235, green 235, blue 255
QColor MenuNavy();      // colour value 8388608: the frame of a highlighted item
QColor MenuDarkNavy();  // red 0, green 0, blue 64: the text of a highlighted item

// Every command item is this large, whatever its text.
constexpr int kMenuItemWidth = 112;
constexpr int kMenuItemHeight = 20;
// Where a command item's caption and shortcut text start, from its top-left corner.
constexpr int kMenuCaptionLeft = 16;
constexpr int kMenuShortcutLeft = 96;
constexpr int kMenuTextTop = 3;
// Where a bar item's caption starts, from the item's left edge.
constexpr int kMenuBarCaptionLeft = 7;

// The size of a command item.
QSize miNewGameMeasureItem();
// Draws a bar item: hot (the pointer over it) in lavender with a navy frame, open (its menu
// showing) with a thin sunken edge, else plain; the caption 7 pixels right of and 2 below the
// item's corner.
void miGameAdvancedDrawItem(QPainter& p, const QStyleOptionMenuItem& item);
// Draws a command item: highlighted in lavender with a navy frame and dark navy text, else in
// the menu colours; the caption at (16, 3) and the shortcut text at (96, 3).
void miNewGameAdvancedDrawItem(QPainter& p, const QStyleOptionMenuItem& item);

// The style that routes the menu bar's and its menus' drawing to the functions above and leaves
// everything else to the toolkit's style.
class MenuLook : public QProxyStyle {
    Q_OBJECT
  public:
    MenuLook();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace tq::ui
