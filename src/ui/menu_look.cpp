// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menu_look.h"

#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include "ui/text.h"

namespace tq::ui {

namespace {

constexpr uint32_t kButtonFace = 0xFF00000F;  // system colour 15
constexpr uint32_t kMenu = 0xFF000004;        // system colour 4
constexpr uint32_t kMenuText = 0xFF000007;    // system colour 7

// A rounded rectangle with corners of 2 x 2 pixels just inside the rectangle, navy pen and
// lavender fill.
void DrawNavyFrame(QPainter& p, const QRect& r) {
    p.save();
    p.setPen(QPen(MenuNavy(), 1));
    p.setBrush(MenuLavender());
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 1, 1);
    p.restore();
}

void DrawTextAt(QPainter& p, const QRect& item, int dx, int dy, const QString& text) {
    if (text.isEmpty()) return;
    const QRect r(item.left() + dx, item.top() + dy, std::max(0, item.right() - item.left() - dx),
                  std::max(0, item.height() - dy));
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextHideMnemonic, text);
}

// The width the menu adds to its items for the shortcut texts: the widest of them.
int ShortcutColumnWidth(const QMenu& menu) {
    const QFontMetrics fm = menu.fontMetrics();
    int widest = 0;
    for (const QAction* a : menu.actions()) {
        const QString text = a->text();
        const qsizetype tab = text.indexOf(u'\t');
        if (tab >= 0)
            widest = std::max(widest, fm.horizontalAdvance(text.mid(tab + 1)));
        else if (!a->shortcut().isEmpty())
            widest = std::max(
                widest, fm.horizontalAdvance(a->shortcut().toString(QKeySequence::NativeText)));
    }
    return widest;
}

}  // namespace

QColor MenuLavender() {
    return QColor(235, 235, 255);
}

QColor MenuNavy() {
    return ToQColor(8388608);
}

QColor MenuDarkNavy() {
    return QColor(0, 0, 64);
}

QSize miNewGameMeasureItem() {
    return QSize(kMenuItemWidth, kMenuItemHeight);
}

void miGameAdvancedDrawItem(QPainter& p, const QStyleOptionMenuItem& item) {
    const QRect r = item.rect;
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    const bool open = selected && item.state.testFlag(QStyle::State_Sunken);
    const bool hot = selected && !open;
    p.save();
    p.fillRect(r, hot ? MenuLavender() : ToQColor(kButtonFace));
    QColor text = MenuDarkNavy();
    if (hot) {
        DrawNavyFrame(p, r);
    } else if (open) {
        // A thin sunken edge: shadow on the top and left, light on the bottom and right.
        p.setPen(ToQColor(0xFF000010));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(ToQColor(0xFF000014));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    } else {
        text = ToQColor(kMenuText);
    }
    p.setFont(item.font);
    p.setPen(text);
    DrawTextAt(p, r, kMenuBarCaptionLeft, 2, item.text);
    p.restore();
}

void miNewGameAdvancedDrawItem(QPainter& p, const QStyleOptionMenuItem& item) {
    const QRect r = item.rect;
    // The menu gives the caption and the shortcut text in one, separated by a tab.
    const qsizetype tab = item.text.indexOf(u'\t');
    const QString caption = tab < 0 ? item.text : item.text.left(tab);
    const QString shortcut = tab < 0 ? QString() : item.text.mid(tab + 1);
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    p.save();
    QColor text = ToQColor(kMenuText);
    if (selected) {
        p.fillRect(r, MenuLavender());
        DrawNavyFrame(p, r);
        text = MenuDarkNavy();
    } else {
        p.fillRect(r, ToQColor(kMenu));
    }
    p.setFont(item.font);
    p.setPen(text);
    DrawTextAt(p, r, kMenuCaptionLeft, kMenuTextTop, caption);
    DrawTextAt(p, r, kMenuShortcutLeft, kMenuTextTop, shortcut);
    p.restore();
}

MenuLook::MenuLook() : QProxyStyle(nullptr) {}

QSize MenuLook::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuBarItem && item) {
        // The caption is drawn 7 pixels in: the item is as wide as that, the caption and as much
        // again on the right, so that a hot item's frame never touches the text.
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        const QFontMetrics fm(widget ? widget->font() : item->font);
        QString caption = item->text;
        caption.remove(u'&');
        s.setWidth(std::max(s.width(), 2 * kMenuBarCaptionLeft + fm.horizontalAdvance(caption)));
        return s;
    }
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    // The menu makes every item as wide as the widest, widened again by the widest shortcut
    // text for a shortcut column. The command items draw their shortcut at a fixed place inside
    // and are 112 wide in all, so that column is taken off here; separators keep the toolkit's
    // height but never widen the menu.
    QSize s = miNewGameMeasureItem();
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        s.setWidth(std::max(1, s.width() - ShortcutColumnWidth(*menu)));
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
        return QSize(std::min(base.width(), s.width()), base.height());
    }
    return s;
}

void MenuLook::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && element == CE_MenuBarItem) {
        // In the bar's own font, which it was measured in.
        QStyleOptionMenuItem barItem = *item;
        if (widget) barItem.font = widget->font();
        miGameAdvancedDrawItem(*painter, barItem);
        return;
    }
    if (item && element == CE_MenuItem && item->menuItemType != QStyleOptionMenuItem::Separator) {
        miNewGameAdvancedDrawItem(*painter, *item);
        return;
    }
    if (element == CE_MenuBarEmptyArea) {
        painter->fillRect(option->rect, ToQColor(kButtonFace));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace tq::ui
