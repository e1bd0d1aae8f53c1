// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input_form.h"

#include <utility>

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

// The Russian small letter (code page 1251) on the key of each Latin small letter a..z in the
// standard Russian layout.
constexpr std::array<unsigned char, 26> kRussianOnLatinKey = {
    0xF4,  // a -> ф
    0xE8,  // b -> и
    0xF1,  // c -> с
    0xE2,  // d -> в
    0xF3,  // e -> у
    0xE0,  // f -> а
    0xEF,  // g -> п
    0xF0,  // h -> р
    0xF8,  // i -> ш
    0xEE,  // j -> о
    0xEB,  // k -> л
    0xE4,  // l -> д
    0xFC,  // m -> ь
    0xF2,  // n -> т
    0xF9,  // o -> щ
    0xE7,  // p -> з
    0xE9,  // q -> й
    0xEA,  // r -> к
    0xFB,  // s -> ы
    0xE5,  // t -> е
    0xE3,  // u -> г
    0xEC,  // v -> м
    0xF6,  // w -> ц
    0xF7,  // x -> ч
    0xED,  // y -> н
    0xFF,  // z -> я
};

// The remaining Russian letters sit on punctuation keys of the Latin layout.
unsigned char RussianOnPunctuationKey(unsigned char c) {
    switch (c) {
        case '[':
            return 0xF5;  // х
        case ']':
            return 0xFA;  // ъ
        case ';':
            return 0xE6;  // ж
        case '\'':
            return 0xFD;  // э
        case ',':
            return 0xE1;  // б
        case '.':
            return 0xFE;  // ю
        default:
            return 0;
    }
}

}  // namespace

QPoint PopupPosition(QPoint pointer, QSize size, const QRect& area) {
    const int x =
        std::max(area.left(), std::min(pointer.x(), area.left() + area.width() - size.width()));
    const int y =
        std::max(area.top(), std::min(pointer.y(), area.top() + area.height() - size.height()));
    return {x, y};
}

TInputForm::TInputForm(const TDictInfo& dict, Style& style, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint), dict_(dict), style_(style) {
    setModal(true);
    // Every way of closing (a letter, a right click, Esc, a click outside, a server line that
    // closes the open dialog) answers the question once.
    connect(this, &QDialog::finished, this, [this] {
        if (auto answer = std::exchange(answer_, nullptr)) answer(chosen_);
    });
    const bool english = dict.Language != 1;
    setFixedSize(english ? 170 : 194, 98);
    // A popup has no title: the screen reader reads this name when it opens.
    setAccessibleName(tr("Letter window"));
    setAccessibleDescription(tr("Type a letter, or press Esc to put none."));

    imInput_ = new PictureView(true, this);
    imInput_->setGeometry(0, 0, width(), height());
    connect(imInput_, &PictureView::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::RightButton) Choose('?');
    });

    const QFont font = SansSerif(13, true);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            auto* cell = new CellView(c, r, this);
            cell->setFixedSize(kCellSize, kCellSize);
            cell->move(2 + 24 * c, 2 + 24 * r);
            connect(cell, &CellView::pressed, this,
                    [this](int cc, int rr, Qt::MouseButton b, Qt::KeyboardModifiers,
                           Qt::MouseButtons) { CellPressed(cc, rr, b); });
            connect(cell, &CellView::hovered, this,
                    [this](int cc, int rr, Qt::KeyboardModifiers, Qt::MouseButtons) {
                        CellHovered(cc, rr);
                    });
            auto* label = new TextLabel(font, this);
            cells_[r * kCols + c] = cell;
            labels_[r * kCols + c] = label;

            int code = 0;
            bool shown = true;
            if (!english) {
                code = 192 + 8 * r + c;
            } else if (r < 3) {
                code = 65 + 7 * r + c;
                shown = c < 7;  // column 7 lies outside the window
            } else {
                code = c >= 1 && c <= 5 ? 'V' + (c - 1) : 0;
                shown = code != 0;
            }
            if (shown) label->SetText(ToQString(std::string(1, static_cast<char>(code))));
            label->move(2 + 24 * c + (kCellSize - label->width()) / 2,
                        2 + 24 * r + (kCellSize - label->height()) / 2);
            cell->setVisible(shown);
            label->setVisible(shown);
        }
    }

    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, &TInputForm::TimerTick);
    RefreshStyle();
}

char TInputForm::LetterForKey(const QString& text, bool shift) const {
    if (text.isEmpty() || shift) return '?';
    unsigned char code = ToCp1251(text.at(0));
    // Without Shift a capital comes from Caps Lock: it stands for its small letter. Capitals sit
    // 32 codes below their small letters in both alphabets and in the Latin keys.
    if (code >= 'A' && code <= 'Z') code = static_cast<unsigned char>(code + 32);
    if (code >= 0xC0 && code <= 0xDF) code = static_cast<unsigned char>(code + 32);
    if (dict_.Language == 1) {
        if (code >= 'a' && code <= 'z')
            code = kRussianOnLatinKey[code - 'a'];
        else if (unsigned char ru = RussianOnPunctuationKey(code))
            code = ru;
    }
    const int first = dict_.FirstLetter + 32;
    const int last = dict_.FirstLetter + 31 + dict_.LetterCount;
    if (code >= first && code <= last) return static_cast<char>(code - 32);
    return '?';
}

void TInputForm::RefreshStyle() {
    style_.ReloadInputPictures();
    imInput_->SetImage(style_.Pictures().inputBackground);
    const QColor colour = style_.Colour(StyleColour::InputFontColor);
    for (TextLabel* l : labels_) l->SetColour(colour);
    hoverCol_ = kNoCell;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) DrawCell(c, r, false);
}

void TInputForm::DrawCell(int c, int r, bool hot) {
    const StylePictures& pics = style_.Pictures();
    CellAt(c, r)->SetImage(hot ? pics.inputCellHot : pics.inputCell);
}

void TInputForm::Open(std::optional<QPoint> at) {
    chosen_ = '?';
    const QPoint pointer = at.value_or(QCursor::pos());
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen) screen = QGuiApplication::primaryScreen();
    move(screen ? PopupPosition(pointer, size(), screen->availableGeometry()) : pointer);
    hoverCol_ = kNoCell;
    timer_.start();
}

void TInputForm::Ask(std::optional<QPoint> at, std::function<void(char)> answer) {
    // A question still open is answered "none" first: one answer per question.
    if (auto open = std::exchange(answer_, nullptr)) open('?');
    Open(at);
    answer_ = std::move(answer);
    QDialog::open();
}

void TInputForm::Choose(char letter) {
    chosen_ = letter;
    done(letter == '?' ? QDialog::Rejected : QDialog::Accepted);
    hide();
}

void TInputForm::CellPressed(int c, int r, Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        Choose('?');
        return;
    }
    const std::string letter = FromQString(LabelAt(c, r)->Text());
    Choose(letter.empty() ? '?' : letter[0]);
}

void TInputForm::CellHovered(int c, int r) {
    if (hoverCol_ == c && hoverRow_ == r) return;
    if (hoverCol_ != kNoCell) DrawCell(hoverCol_, hoverRow_, false);
    hoverCol_ = c;
    hoverRow_ = r;
    DrawCell(c, r, true);
}

void TInputForm::TimerTick() {
    if (frameGeometry().contains(QCursor::pos())) return;
    if (hoverCol_ != kNoCell) {
        DrawCell(hoverCol_, hoverRow_, false);
        hoverCol_ = kNoCell;
    }
}

void TInputForm::keyPressEvent(QKeyEvent* e) {
    const QString text = e->text();
    if (text.isEmpty()) return;  // arrows, function keys, modifiers alone
    Choose(LetterForKey(text, e->modifiers().testFlag(Qt::ShiftModifier)));
}

void TInputForm::hideEvent(QHideEvent* e) {
    timer_.stop();
    if (hoverCol_ != kNoCell) {
        DrawCell(hoverCol_, hoverRow_, false);
        hoverCol_ = kNoCell;
    }
    QDialog::hideEvent(e);
}

}  // namespace tq::ui
