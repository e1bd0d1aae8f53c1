// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "ui/access.h"

namespace tq::ui {

void DrawPicture(QPainter& p, const QRectF& target, const QImage& image) {
    if (image.isNull()) return;
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const qreal kx = target.width() * dpr / image.width();
    const qreal ky = target.height() * dpr / image.height();
    const bool whole = kx >= 1 && ky >= 1 && kx == std::round(kx) && ky == std::round(ky);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
    p.drawImage(target, image);
    p.restore();
}

ShapeView::ShapeView(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeView::SetPen(const QColor& c) {
    pen_ = c;
    update();
}

void ShapeView::SetFill(std::optional<QColor> c) {
    fill_ = c;
    update();
}

void ShapeView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(pen_, 1));
    p.setBrush(fill_ ? QBrush(*fill_) : QBrush(Qt::NoBrush));
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind_ == Kind::Rectangle) {
        p.drawRect(r);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        const qreal radius = std::max(2.0, std::min(width(), height()) / 7.0);
        p.drawRoundedRect(r, radius, radius);
    }
}

PictureView::PictureView(bool stretch, QWidget* parent) : QWidget(parent), stretch_(stretch) {}

void PictureView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter p(this);
    DrawPicture(p, stretch_ ? QRectF(rect()) : QRectF(QPointF(), image_.deviceIndependentSize()),
                image_);
}

void PictureView::mousePressEvent(QMouseEvent* e) {
    emit pressed(e->button());
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

void PictureView::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    emit contextRequested();
}

CellView::CellView(int col, int row, QWidget* parent) : QWidget(parent), col_(col), row_(row) {
    setMouseTracking(true);
    setFixedSize(32, 32);
}

void CellView::SetImage(const QImage& image) {
    image_ = image;
    if (isVisible()) repaint();
}

void CellView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter p(this);
    DrawPicture(p, QRectF(QPointF(), image_.deviceIndependentSize()), image_);
}

void CellView::mousePressEvent(QMouseEvent* e) {
    emit pressed(col_, row_, e->button(), e->modifiers(), e->buttons());
}

void CellView::mouseMoveEvent(QMouseEvent* e) {
    emit hovered(col_, row_, e->modifiers(), e->buttons());
}

FlatButton::FlatButton(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setFocusPolicy(Qt::NoFocus);
}

void FlatButton::SetGlyph(const QImage& glyph) {
    glyph_ = glyph;
    update();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (hot_ || down_ || tabbedTo_) {
        const QColor light(255, 255, 255, down_ ? 40 : 90);
        p.fillRect(r.adjusted(1, 1, -1, -1), light);
        const QColor top = down_ ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 220);
        const QColor bottom = down_ ? QColor(255, 255, 255, 220) : QColor(0, 0, 0, 110);
        p.setPen(top);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottom);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const int shift = down_ ? 1 : 0;
    if (!glyph_.isNull()) {
        const QSizeF size = glyph_.deviceIndependentSize();
        const QPointF at(int(width() - size.width()) / 2 + shift,
                         int(height() - size.height()) / 2 + shift);
        DrawPicture(p, QRectF(at, size), glyph_);
    }
    if (!caption_.isEmpty()) {
        p.setFont(font());
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(r.translated(shift, shift), Qt::AlignCenter, caption_);
    }
}

void FlatButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    down_ = true;
    update();
    emit pressed();
}

void FlatButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !down_) return;
    down_ = false;
    update();
    if (rect().contains(e->position().toPoint())) emit clicked();
}

void FlatButton::Click() {
    emit pressed();
    emit clicked();
}

void FlatButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
                Click();
                return;
            }
            break;
        default:
            break;
    }
    QWidget::keyPressEvent(e);
}

void FlatButton::focusInEvent(QFocusEvent* e) {
    tabbedTo_ = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(e);
}

void FlatButton::focusOutEvent(QFocusEvent* e) {
    tabbedTo_ = false;
    update();
    QWidget::focusOutEvent(e);
}

void FlatButton::enterEvent(QEnterEvent*) {
    hot_ = true;
    update();
}

void FlatButton::leaveEvent(QEvent*) {
    hot_ = false;
    update();
}

TextLabel::TextLabel(const QFont& font, QWidget* parent) : QWidget(parent) {
    setFont(font);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, fontMetrics().height());
}

void TextLabel::SetText(const QString& text) {
    const bool changed = text != text_;
    text_ = text;
    if (changed) NotifyNameChanged(this);
    int w = text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text);
    if (maxWidth_ > 0 && w > maxWidth_) w = maxWidth_;
    resize(w, fontMetrics().height());
    update();
}

void TextLabel::SetColour(const QColor& c) {
    colour_ = c;
    update();
}

void TextLabel::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) return;
    QPainter p(this);
    p.setFont(font());
    p.setPen(colour_);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

void OkDialog::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

}  // namespace tq::ui
