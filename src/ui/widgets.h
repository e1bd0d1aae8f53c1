// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small controls the windows are built of: shapes (plain and rounded rectangles), pictures,
// the field's cell views, flat buttons, caption labels and the frame of the one-button dialogs.

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QWidget>

#include <optional>

class QPainter;

namespace tq::ui {

// Draws a picture into a rectangle. Pictures come at one size: drawn at a whole multiple of it in
// device pixels (a window scale of 1, 2 or 3) their pixels are repeated and stay sharp; at any
// other size they are smoothed rather than repeated unevenly.
void DrawPicture(QPainter& p, const QRectF& target, const QImage& image);

// A rectangle or rounded rectangle with a one-pixel pen and an optional fill. It takes no mouse
// input: whatever lies below gets the clicks.
class ShapeView : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Rectangle, RoundRect };
    ShapeView(Kind kind, QWidget* parent);
    void SetPen(const QColor& c);
    void SetFill(std::optional<QColor> c);
    QColor Pen() const { return pen_; }
    std::optional<QColor> Fill() const { return fill_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    Kind kind_;
    QColor pen_ = Qt::black;
    std::optional<QColor> fill_ = QColor(Qt::white);
};

// A picture, stretched to the control or drawn at its top-left corner; see-through pixels of the
// picture show what lies below.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    PictureView(bool stretch, QWidget* parent);
    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }

  signals:
    void pressed(Qt::MouseButton button);
    void contextRequested();
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    bool stretch_;
    QImage image_;
};

// One cell of a grid of letter cells: a see-through picture that reports presses and pointer
// moves with its column and row. The letter label on top lets the mouse through to it.
class CellView : public QWidget {
    Q_OBJECT
  public:
    CellView(int col, int row, QWidget* parent);
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetImage(const QImage& image);  // repaints at once when visible
    const QImage& Image() const { return image_; }

  signals:
    void pressed(int col, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 Qt::MouseButtons buttons);
    void hovered(int col, int row, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    int col_;
    int row_;
    QImage image_;
};

// A flat button with a caption or a glyph: it shows a thin raised edge under the pointer and a
// sunken one while held. pressed() comes on the button press, clicked() on the release over it.
class FlatButton : public QWidget {
    Q_OBJECT
  public:
    FlatButton(const QString& caption, QWidget* parent);
    void SetGlyph(const QImage& glyph);
    QString Caption() const { return caption_; }
    // Presses and releases the button, as Space or Enter does while it has the focus.
    void Click();

  signals:
    void pressed();
    void clicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    QString caption_;
    QImage glyph_;
    bool hot_ = false;
    bool down_ = false;
    bool tabbedTo_ = false;  // reached with Tab: shown raised, as under the pointer
};

// A caption label: transparent, no mouse input, sized to its text.
class TextLabel : public QWidget {
    Q_OBJECT
  public:
    TextLabel(const QFont& font, QWidget* parent);
    void SetText(const QString& text);  // resizes to the text (up to the maximum width)
    QString Text() const { return text_; }
    void SetColour(const QColor& c);
    QColor Colour() const { return colour_; }
    // Longer texts are cut at this width; 0 means no limit.
    void SetMaxTextWidth(int w) { maxWidth_ = w; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QString text_;
    QColor colour_ = Qt::black;
    int maxWidth_ = 0;
};

// A dialog whose only answer is OK: Enter and Escape close it as OK does.
class OkDialog : public QDialog {
    Q_OBJECT
  public:
    OkDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

  protected:
    void keyPressEvent(QKeyEvent* e) override;
};

}  // namespace tq::ui
