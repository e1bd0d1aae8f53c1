// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_box.h"

#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "base/messages.h"
#include "ui/text.h"

namespace tq::ui {

QPoint CentredBoxPosition(const QRect& mainFrame, const QSize& box, const QRect& screen) {
    int left = mainFrame.left() + (mainFrame.width() - box.width()) / 2;
    int top = mainFrame.top() + (mainFrame.height() - box.height()) / 2;
    if (left < screen.left())
        left = screen.left();
    else if (left + box.width() > screen.left() + screen.width())
        left = screen.left() + screen.width() - box.width();
    if (top < screen.top())
        top = screen.top();
    else if (top + box.height() > screen.top() + screen.height())
        top = screen.top() + screen.height() - box.height();
    return {left, top};
}

QPoint CentredOn(const QWidget& window, const QSize& size) {
    const QScreen* screen = window.screen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    return CentredBoxPosition(window.frameGeometry(), size, screenRect);
}

void CentreMessageBox(QWidget* box, const QWidget* mainWindow) {
    if (!box || !mainWindow || !box->isVisible()) return;
    // move() places the frame's top-left corner.
    box->move(CentredOn(*mainWindow, box->frameGeometry().size()));
}

void PrepareMessageBox(QMessageBox& box, const QWidget* mainWindow) {
    box.setWindowTitle(ToQString(msg::Caption));
    if (!mainWindow) return;
    QPointer<QMessageBox> target(&box);
    QPointer<const QWidget> owner(mainWindow);
    // The centring waits until the box's own loop runs and the box has its size.
    QTimer::singleShot(0, &box, [target, owner] {
        if (target && owner) CentreMessageBox(target, owner);
    });
}

}  // namespace tq::ui
