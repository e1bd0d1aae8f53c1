// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/field_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/access.h"
#include "ui/input_form.h"
#include "ui/main_form.h"
#include "ui/style.h"

namespace tq::ui {

FieldCursor::FieldCursor(const Style& style, QWidget* parent) : QWidget(parent), style_(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FieldCursor::paintEvent(QPaintEvent*) {
    // A double frame over the gaps and the cell's edge: the border colour outside and inside,
    // the highlight colour between, so that it stands out on light and dark cells alike.
    QPainter p(this);
    const QRectF r = QRectF(rect());
    const QColor border = style_.Colour(StyleColour::BorderColor);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border, 2));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(QPen(style_.Colour(StyleColour::HighlightColor), 2));
    p.drawRect(r.adjusted(3, 3, -3, -3));
    p.setPen(QPen(border, 1));
    p.drawRect(r.adjusted(4.5, 4.5, -4.5, -4.5));
}

FieldKeys::FieldKeys(TMainForm& form)
    : QObject(&form),
      form_(form),
      cursor_(new FieldCursor(form.CurrentStyle(), form.ClientArea())) {
    // The mouse on the field hides the cursor: presses on the cells (their letters let presses
    // through) and the background, and pointer moves over them.
    for (int r = 0; r < kMaxFieldSide; ++r)
        for (int c = 0; c < kMaxFieldSide; ++c) form.CellAt(c, r)->installEventFilter(this);
    form.Background()->setMouseTracking(true);
    form.Background()->installEventFilter(this);
}

bool FieldKeys::CursorShown() const {
    return !cursor_->isHidden();
}

bool FieldKeys::MoveCanBeEntered() const {
    switch (form_.Flow().Phase()) {
        case GamePhase::PutLetter:
        case GamePhase::LetterPut:
        case GamePhase::Marking:
            return cols_ > 0;
        default:
            return false;
    }
}

void FieldKeys::Place() {
    const bool shown = wanted_ && MoveCanBeEntered();
    if (shown) {
        cursor_->setGeometry(form_.CellAt(pos_.col, pos_.row)->geometry().adjusted(-1, -1, 1, 1));
        cursor_->raise();
        cursor_->update();
    }
    cursor_->setVisible(shown);
    // The cursor's cell is the screen reader's focus while the field has the keyboard; the cell
    // it left no longer says it holds the cursor.
    if (readAt_.col != pos_.col || readAt_.row != pos_.row)
        NotifyFieldCell(form_.Background(), readAt_.col, readAt_.row);
    readAt_ = pos_;
    NotifyFieldCell(form_.Background(), pos_.col, pos_.row);
    NotifyFieldFocus(form_.Background(), pos_.col, pos_.row);
}

void FieldKeys::PhaseChanged(GamePhase) {
    Place();
}

void FieldKeys::FieldLaidOut(int cols, int rows) {
    cols_ = cols;
    rows_ = rows;
    pos_ = Cell{(cols - 1) / 2, (rows - 1) / 2 - 1};
    Place();
}

void FieldKeys::StyleChanged() {
    cursor_->update();
}

void FieldKeys::MoveBy(int dc, int dr) {
    if (wanted_ && CursorShown()) {
        pos_.col = std::clamp(pos_.col + dc, 0, cols_ - 1);
        pos_.row = std::clamp(pos_.row + dr, 0, rows_ - 1);
    }
    // The first arrow after the mouse only brings the cursor back, where the mouse left it.
    wanted_ = true;
    pointerAtShow_ = QCursor::pos();
    Place();
}

void FieldKeys::ClickAtCursor() {
    const QWidget* cell = form_.CellAt(pos_.col, pos_.row);
    form_.SetLetterWindowAt(cell->mapToGlobal(QPoint(0, cell->height() + 1)));
    form_.Flow().CellClick(pos_, MouseButton::Left, ShiftState{});
    form_.SetLetterWindowAt(std::nullopt);
}

bool FieldKeys::KeyPress(QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    // A mouse move under way (a held button) keeps the keys off the field.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return false;
    if (!MoveCanBeEntered()) return false;
    GameFlow& flow = form_.Flow();
    switch (e->key()) {
        case Qt::Key_Left:
            MoveBy(-1, 0);
            return true;
        case Qt::Key_Right:
            MoveBy(1, 0);
            return true;
        case Qt::Key_Up:
            MoveBy(0, -1);
            return true;
        case Qt::Key_Down:
            MoveBy(0, 1);
            return true;
        case Qt::Key_Backspace:
            flow.UnmarkLast();
            return true;
        case Qt::Key_Space:
            if (!CursorShown()) return false;
            ClickAtCursor();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // On an empty cell where a letter may go, the letter window; else Enter offers the
            // marked word as it always does.
            if (!CursorShown() || flow.Phase() != GamePhase::PutLetter || !flow.LetterMayGo(pos_))
                return false;
            ClickAtCursor();
            return true;
        default:
            break;
    }
    if (!CursorShown() || e->text().isEmpty()) return false;
    const char letter =
        form_.InputForm().LetterForKey(e->text(), e->modifiers().testFlag(Qt::ShiftModifier));
    if (letter == '?') return false;
    flow.TypeLetter(pos_, letter);
    return true;
}

void FieldKeys::MouseUsed(const QObject* watched) {
    if (const auto* cell = qobject_cast<const CellView*>(watched)) {
        if (cell->Col() < cols_ && cell->Row() < rows_) pos_ = Cell{cell->Col(), cell->Row()};
    }

    if (!wanted_) return;
    wanted_ = false;
    Place();
}

bool FieldKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (watched == form_.Background())
                NotifyFieldFocus(form_.Background(), pos_.col, pos_.row);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
            // A press on the field gives it the keyboard back (from the results, after Tab).
            if (QWidget* field = form_.Background(); !field->hasFocus())
                field->setFocus(Qt::MouseFocusReason);
            MouseUsed(watched);
            break;
        case QEvent::MouseMove:
            // Only a real move: windows opening and closing under a resting pointer do not count.
            if (static_cast<QMouseEvent*>(event)->globalPosition().toPoint() != pointerAtShow_)
                MouseUsed(watched);
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tq::ui
