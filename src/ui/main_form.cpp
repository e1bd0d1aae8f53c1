// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <chrono>

#include "base/messages.h"
#include "base/version.h"
#include "ui/about_form.h"
#include "ui/access.h"
#include "ui/coach.h"
#include "ui/field_keys.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/info_form.h"
#include "ui/input_form.h"
#include "ui/language.h"
#include "ui/message_box.h"
#include "ui/options_form.h"
#include "ui/options_net.h"
#include "ui/rec_form.h"
#include "ui/results_grid.h"
#include "ui/style_form.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

// The field background imSquare: left, top and side.
constexpr int kSquareLeft = 3;
constexpr int kSquareTop = 2;
constexpr int kSquareSide = 338;
constexpr int kCellStep = 33;

// The cells of the start-up emblem, by row: the visible columns.
bool InEmblem(int c, int r) {
    switch (r) {
        case 0:
            return c == 4 || c == 5;
        case 1:
        case 5:
            return c == 0 || c == 1 || c == 4 || c == 5 || c == 8 || c == 9;
        case 2:
        case 3:
        case 4:
            return c == 0 || c == 4 || c == 5 || c == 9;
        case 6:
        case 7:
            return true;
        case 8:
            return c >= 1 && c <= 8;
        case 9:
            return c >= 2 && c <= 7;
        default:
            return false;
    }
}

ShiftState ToShiftState(Qt::KeyboardModifiers m, Qt::MouseButtons buttons) {
    ShiftState s;
    s.shift = m.testFlag(Qt::ShiftModifier);
    s.ctrl = m.testFlag(Qt::ControlModifier);
    s.alt = m.testFlag(Qt::AltModifier);
    s.anyButton = buttons != Qt::NoButton;
    return s;
}

MouseButton ToButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        default:
            return MouseButton::Middle;
    }
}

}  // namespace

TMainForm::TMainForm(GameModel& model, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      style_(model.StylesFolder()) {
    setWindowTitle(ToQString(kProgramTitle));
    setFont(SansSerif(11));
    setAttribute(Qt::WA_DeleteOnClose, false);
    InstallAccessibility();

    // FormCreate, in its order: the style, the cell views with the emblem, the phase, the
    // clock thread and tick (inside the turn flow), the results table.
    style_.Load(model_.StyleName);
    BuildControls();
    BuildMenu();
    flow_ = std::make_unique<GameFlow>(model_, *this, sender_);
    flow_->SetPhase(GamePhase::Idle);
    // Both network endpoints exist from the start, inactive.
    net_ = std::make_unique<net::NetPlay>(*flow_, *this, serverEnd_, clientEnd_);
    net_->AddObserver(this);
    ApplyClientMoveLimit();
    ColourControls();

    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, [this] { flow_->ClockTick(); });
    wakeTimer_.setSingleShot(true);
    connect(&wakeTimer_, &QTimer::timeout, this, [this] { flow_->Wake(); });

    // The other windows, in their fixed order.
    optionsForm_ = std::make_unique<TOptionsForm>(model_, style_, *this);
    optionsForm_->SetHelpOpener([](const std::string& topic) {
        OpenHelp(QString(kHelpContents) + "::/" + QString::fromStdString(topic));
    });
    optionsNet_ = std::make_unique<OptionsNetPlay>(
        *net_, *optionsForm_, GamePortFromEnvironment(),
        RelayEnds{serverEnd_, relayHost_, clientEnd_, relayPlayer_});
    optionsForm_->SetNetwork(optionsNet_.get());
    infoForm_ = std::make_unique<TInfoForm>(model_, style_, this);
    inputForm_ = std::make_unique<TInputForm>(model_.Dict, style_, this);
    recForm_ = std::make_unique<TRecForm>(model_, style_, this);
    aboutForm_ = std::make_unique<TAboutForm>(style_, this);
    styleForm_ = std::make_unique<TStyleForm>(style_, *this);
    fieldKeys_ = new FieldKeys(*this);
    coach_ = std::make_unique<Coach>(*this);

    NameControls();

    setCentralWidget(central_);
    central_->setFixedSize(kClientWidth, kClientHeight);
    adjustSize();
    setFixedSize(sizeHint());
}

TMainForm::~TMainForm() {
    // The dialogs go before the window they belong to.
    coach_.reset();
    styleForm_.reset();
    aboutForm_.reset();
    recForm_.reset();
    inputForm_.reset();
    infoForm_.reset();
    optionsNet_.reset();
    optionsForm_.reset();
    net_->RemoveObserver(this);
    net_.reset();
    flow_.reset();
}

void TMainForm::BuildControls() {
    central_ = new QWidget(this);
    central_->setFocusPolicy(Qt::NoFocus);

    shSquare1_ = new ShapeView(ShapeView::Kind::Rectangle, central_);
    shSquare1_->setGeometry(1, 0, 342, 342);
    shSquare1_->SetFill(std::nullopt);
    shSquare2_ = new ShapeView(ShapeView::Kind::Rectangle, central_);
    shSquare2_->setGeometry(2, 1, 340, 340);
    shSquare2_->SetFill(std::nullopt);

    imSquare_ = new PictureView(true, central_);
    imSquare_->setGeometry(kSquareLeft, kSquareTop, kSquareSide, kSquareSide);
    imSquare_->SetImage(style_.Pictures().fieldBackground);
    connect(imSquare_, &PictureView::contextRequested, this, &TMainForm::imSquareContextPopup);
    connect(imSquare_, &PictureView::doubleClicked, this, &TMainForm::imSquareDblClick);

    imGoldenCell_ = new PictureView(false, central_);
    imGoldenCell_->setGeometry(16, 12, 32, 32);
    imGoldenCell_->SetImage(QImage(":/tessaroon/golden_cell.png"));
    imGoldenCell_->hide();

    // The 100 cell views over the background, then their letter labels on top.
    const QFont letterFont = SansSerif(21);
    for (int r = 0; r < kMaxFieldSide; ++r) {
        for (int c = 0; c < kMaxFieldSide; ++c) {
            auto* cell = new CellView(c, r, central_);
            cell->move(7 + kCellStep * c, 6 + kCellStep * r);
            cell->SetImage(imGoldenCell_->Image());
            connect(cell, &CellView::pressed, this, &TMainForm::CellPressed);
            connect(cell, &CellView::hovered, this, &TMainForm::CellHovered);
            cells_[c][r] = cell;
            marks_[c][r] = MarkState::Golden;
        }
    }
    for (int r = 0; r < kMaxFieldSide; ++r) {
        for (int c = 0; c < kMaxFieldSide; ++c) {
            auto* label = new TextLabel(letterFont, central_);
            label->move(cells_[c][r]->x() + 4, cells_[c][r]->y() + 4);
            letters_[c][r] = label;
            cells_[c][r]->setVisible(InEmblem(c, r));
        }
    }

    // The status line.
    shWord_ = new ShapeView(ShapeView::Kind::RoundRect, central_);
    shWord_->setGeometry(1, 344, 170, 19);
    lbWord_ = new TextLabel(SansSerif(12, true), central_);
    lbWord_->SetMaxTextWidth(161);
    lbWord_->move(shWord_->x() + 171 / 2, 347);
    shHint_ = new ShapeView(ShapeView::Kind::RoundRect, central_);
    shHint_->setGeometry(173, 344, 170, 19);
    lbHint_ = new TextLabel(SansSerif(11), central_);
    lbHint_->move(shHint_->x() + 171 / 2, 347);
    lbHint_->hide();

    led_ = new QLabel("00:00", central_);
    // Wide enough for the overrun's sign ("+00:16") at the size of the digits alone.
    led_->setGeometry(507, 345, 46, 16);
    led_->setFont(SystemFont(led_->size()));
    led_->setAlignment(Qt::AlignCenter);
    led_->setAttribute(Qt::WA_TransparentForMouseEvents);
    led_->setStyleSheet("color: rgb(0, 128, 0);");
    led_->hide();

    shStatus_ = new ShapeView(ShapeView::Kind::RoundRect, central_);
    shStatus_->setGeometry(556, 344, 70, 19);
    shStatus_->SetFill(std::nullopt);
    shStatus_->hide();
    btStatus_ = new FlatButton(tr("Status"), central_);
    btStatus_->setGeometry(557, 345, 68, 17);
    btStatus_->hide();
    connect(btStatus_, &FlatButton::clicked, this, &TMainForm::btStatusClick);

    // The results table with its header and page buttons.
    const std::array<int, 3> headLeft = {344, 505, 556};
    const std::array<int, 3> headWidth = {160, 50, 50};
    const std::array<QString, 3> headText = {tr("Word"), tr("Points"), tr("Letter")};
    for (int i = 0; i < 3; ++i) {
        headShapes_[i] = new ShapeView(ShapeView::Kind::RoundRect, central_);
        headShapes_[i]->setGeometry(headLeft[i], 0, headWidth[i], 22);
        headLabels_[i] = new TextLabel(SansSerif(11, true), central_);
        headLabels_[i]->SetText(headText[i]);
        headLabels_[i]->move(headLeft[i] + (headWidth[i] - headLabels_[i]->width()) / 2, 4);
    }
    pnRes_ = new QWidget(central_);
    pnRes_->setGeometry(344, 23, 262, 319);
    sgRes_ = new ResultsGrid(style_, pnRes_);
    sgRes_->setGeometry(-2, -1, 264, 320);
    connect(sgRes_, &ResultsGrid::cellClicked, this, &TMainForm::sgResSelectCell);

    shUp_ = new ShapeView(ShapeView::Kind::RoundRect, central_);
    shUp_->setGeometry(607, 0, 19, 170);
    shUp_->SetFill(std::nullopt);
    shDn_ = new ShapeView(ShapeView::Kind::RoundRect, central_);
    shDn_->setGeometry(607, 172, 19, 170);
    shDn_->SetFill(std::nullopt);
    sbUp_ = new FlatButton(QString(), central_);
    sbUp_->setGeometry(608, 1, 17, 168);
    sbDn_ = new FlatButton(QString(), central_);
    sbDn_->setGeometry(608, 173, 17, 168);
    connect(sbUp_, &FlatButton::pressed, sgRes_, &ResultsGrid::PageUp);
    connect(sbDn_, &FlatButton::pressed, sgRes_, &ResultsGrid::PageDown);

    announcer_ = new Announcer(central_);
}

void TMainForm::NameControls() {
    central_->setObjectName(kClientObjectName);
    imSquare_->setObjectName(kFieldObjectName);
    imSquare_->setAccessibleName(tr("Field"));
    imSquare_->setAccessibleDescription(
        tr("The arrow keys move the cursor, a letter key puts a letter, Space marks a cell, "
           "Enter offers the marked word."));
    sgRes_->setAccessibleName(tr("Results"));
    sbUp_->setAccessibleName(tr("Page up"));
    sbDn_->setAccessibleName(tr("Page down"));
    lbWord_->setAccessibleName(tr("Word"));
    lbHint_->setAccessibleName(tr("Hint"));
    led_->setAccessibleDescription(tr("Time left for the move"));

    // Tab and Shift+Tab go round the field, the results and the buttons; the keys that the
    // window handles itself (Enter, Esc, the function keys) work wherever the focus is.
    imSquare_->setFocusPolicy(Qt::StrongFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{sgRes_, sbUp_, sbDn_, btStatus_})
        w->setFocusPolicy(Qt::TabFocus);
    setTabOrder(imSquare_, sgRes_);
    setTabOrder(sgRes_, sbUp_);
    setTabOrder(sbUp_, sbDn_);
    setTabOrder(sbDn_, btStatus_);
    imSquare_->setFocus();

    // F10 opens the menu bar for the keyboard, as Alt does.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        QWidget* target = focusWidget() ? focusWidget() : this;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    });
}

void TMainForm::BuildMenu() {
    // The bar and both menus are drawn by the menu look; the menus are windows of their own,
    // so they take the window's font and the menu colour explicitly.
    menuLook_ = new MenuLook;
    menuLook_->setParent(this);
    QMenuBar* bar = menuBar();
    // The bar is part of the window's fixed layout and look: a desktop with a global menu must
    // not take it out of the window.
    bar->setNativeMenuBar(false);
    bar->setStyle(menuLook_);
    miGame_ = bar->addMenu(tr("Game"));
    miNewGame_ = miGame_->addAction(tr("New Game"), QKeySequence(Qt::Key_F2), this,
                                    &TMainForm::miNewGameClick);
    miGame_->addAction(tr("Options..."), QKeySequence(Qt::Key_F3), this,
                       &TMainForm::miOptionsClick);
    miGame_->addAction(tr("Records..."), QKeySequence(Qt::Key_F4), this,
                       &TMainForm::miRecordsClick);
    miGame_->addSeparator();
    miGame_->addAction(tr("Style..."), QKeySequence(Qt::Key_F5), this, &TMainForm::miStyleClick);
    miGame_->addSeparator();
    miGame_->addAction(tr("Exit"), QKeySequence(Qt::Key_F6), this, &TMainForm::miExitClick);
    miHelp_ = bar->addMenu(tr("Help"));
    miHelp_->addAction(tr("Contents"), QKeySequence(Qt::Key_F1), this, &TMainForm::miInfoClick);
    miHelp_->addSeparator();
    miHelp_->addAction(tr("About..."), this, &TMainForm::miAboutClick);
    for (QMenu* menu : {miGame_, miHelp_}) {
        menu->setStyle(menuLook_);
        menu->setFont(font());
        QPalette pal = menu->palette();
        pal.setColor(QPalette::Window, ToQColor(0xFF000004));
        menu->setPalette(pal);
    }
}

const QImage& TMainForm::PictureFor(MarkState s) const {
    switch (s) {
        case MarkState::Golden:
            return imGoldenCell_->Image();
        case MarkState::Marked:
            return style_.Pictures().fieldCellMarked;
        case MarkState::Normal:
            break;
    }
    return style_.Pictures().fieldCell;
}

void TMainForm::ColourControls() {
    const QColor border = style_.Colour(StyleColour::BorderColor);
    const QColor fill = style_.Colour(StyleColour::FillColor);
    shSquare1_->SetPen(border);
    shSquare2_->SetPen(fill);
    for (ShapeView* s : {shWord_, shHint_}) {
        s->SetPen(border);
        s->SetFill(fill);
    }
    for (ShapeView* s : {shStatus_, shUp_, shDn_}) s->SetPen(border);
    for (int i = 0; i < 3; ++i) {
        headShapes_[i]->SetPen(style_.Colour(StyleColour::HeadBorderColor));
        headShapes_[i]->SetFill(style_.Colour(StyleColour::HeadColor));
        headLabels_[i]->SetColour(style_.Colour(StyleColour::HeadFontColor));
    }
    const QColor letterColour = style_.Colour(StyleColour::FieldFontColor);
    for (int r = 0; r < kMaxFieldSide; ++r)
        for (int c = 0; c < kMaxFieldSide; ++c) letters_[c][r]->SetColour(letterColour);
    imSquare_->SetImage(style_.Pictures().fieldBackground);
    sbUp_->SetGlyph(style_.Pictures().arrowUp);
    sbDn_->SetGlyph(style_.Pictures().arrowDown);
}

void TMainForm::ApplyStyle() {
    style_.ReloadFieldPictures();
    ColourControls();
    sgRes_->SetBackground(style_.Colour(StyleColour::FillColor));
    for (int r = 0; r < kMaxFieldSide; ++r)
        for (int c = 0; c < kMaxFieldSide; ++c) cells_[c][r]->SetImage(PictureFor(marks_[c][r]));
    inputForm_->RefreshStyle();
    if (fieldKeys_) fieldKeys_->StyleChanged();
    sgRes_->update();
    central_->update();
}

// GameView ------------------------------------------------------------------------------------

void TMainForm::LayoutField(int cols, int rows) {
    cols = std::clamp(cols, kMinFieldSide, kMaxFieldSide);
    rows = std::clamp(rows, kMinFieldSide, kMaxFieldSide);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (marks_[c][r] != MarkState::Normal) {
                marks_[c][r] = MarkState::Normal;
                cells_[c][r]->SetImage(PictureFor(MarkState::Normal));
            }
            letters_[c][r]->SetText(QString());
        }
    }
    const int dy = (kSquareSide - kCellStep * rows - 1) / 2;
    const int dx = (kSquareSide - kCellStep * cols - 1) / 2;
    for (int r = 0; r < kMaxFieldSide; ++r) {
        for (int c = 0; c < kMaxFieldSide; ++c) {
            const int top = kSquareTop + dy + 1 + kCellStep * r;
            const int left = kSquareLeft + dx + 1 + kCellStep * c;
            cells_[c][r]->move(left, top);
            letters_[c][r]->move(left + 4, top + 4);
            const bool inside = c < cols && r < rows;
            cells_[c][r]->setVisible(inside);
            letters_[c][r]->setVisible(inside);
        }
    }
    layoutCols_ = cols;
    layoutRows_ = rows;
    if (fieldKeys_) fieldKeys_->FieldLaidOut(cols, rows);
    if (coach_) coach_->FieldChanged();
    NotifyTableReset(imSquare_);
    announcer_->Say(tr("A new game on a field of %1 by %2 cells.").arg(cols).arg(rows));
}

void TMainForm::CentreLetter(int c, int r) {
    TextLabel* l = letters_[c][r];
    const CellView* cell = cells_[c][r];
    l->move(cell->x() + (32 - l->width()) / 2, cell->y() + (32 - l->height()) / 2);
}

void TMainForm::ShowCellLetter(Cell cell, std::string_view letter) {
    if (cell.col < 0 || cell.row < 0 || cell.col >= kMaxFieldSide || cell.row >= kMaxFieldSide)
        return;
    letters_[cell.col][cell.row]->SetText(ToQString(letter));
    CentreLetter(cell.col, cell.row);
    if (coach_) coach_->FieldChanged();
    NotifyFieldCell(imSquare_, cell.col, cell.row);
}

void TMainForm::ShowCellMark(Cell cell, MarkState state) {
    if (cell.col < 0 || cell.row < 0 || cell.col >= kMaxFieldSide || cell.row >= kMaxFieldSide)
        return;
    marks_[cell.col][cell.row] = state;
    cells_[cell.col][cell.row]->SetImage(PictureFor(state));
    if (coach_) coach_->FieldChanged();
    NotifyFieldCell(imSquare_, cell.col, cell.row);
}

void TMainForm::ShowWordLabel(std::string_view text) {
    lbWord_->SetText(ToQString(text));
    lbWord_->move(shWord_->x() + (171 - lbWord_->width()) / 2, 347);
}

void TMainForm::ShowHintLabel(std::string_view text, uint32_t colour) {
    ShowHintText(ShownText(text), ToQColor(colour));
    // Refusals, hints, waits and the outcome are spoken; the turn's prompts follow from the
    // moves that are.
    if (!flow_ || text.empty()) return;
    const QString shown = lbHint_->Text();
    if (colour != kRefusalColor && flow_->Phase() == GamePhase::GameOver)
        announcer_->Say(tr("The game is over. %1").arg(shown));
    else if (colour == kRefusalColor || (text != msg::PutLetter && text != msg::MarkWord))
        announcer_->Say(shown);
}

void TMainForm::ShowHintText(const QString& text, const QColor& colour) {
    lbHint_->SetColour(colour);
    lbHint_->SetMaxTextWidth(0);
    lbHint_->SetText(text);
    FitHintBox();
}

void TMainForm::FitHintBox() {
    // The box spans the field's width; a longer text takes the room under the results table,
    // up to the clock.
    constexpr int kNarrow = 170;
    constexpr int kWide = 332;
    constexpr int kMargin = 10;
    const int need = lbHint_->isHidden() ? 0 : lbHint_->width() + kMargin;
    const int width = std::clamp(need, kNarrow, kWide);
    shHint_->setGeometry(173, 344, width, 19);
    if (lbHint_->width() > width - kMargin) {
        lbHint_->SetMaxTextWidth(width - kMargin);
        lbHint_->SetText(lbHint_->Text());
    }
    lbHint_->move(shHint_->x() + (width + 1 - lbHint_->width()) / 2, 347);
}

void TMainForm::SetHintVisible(bool visible) {
    lbHint_->setVisible(visible);
    FitHintBox();
}

void TMainForm::SetStatusButtonVisible(bool visible) {
    statusShown_ = visible;
    shStatus_->setVisible(visible);
    btStatus_->setVisible(visible);
}

void TMainForm::ShowClock(std::string_view text, uint32_t colour) {
    led_->setText(ToQString(text));
    const QColor c = ToQColor(colour);
    led_->setStyleSheet(
        QString("color: rgb(%1, %2, %3);").arg(c.red()).arg(c.green()).arg(c.blue()));
}

void TMainForm::SetClockVisible(bool visible) {
    led_->setVisible(visible);
}

void TMainForm::SetClockTimerEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

void TMainForm::ResetResults() {
    sgRes_->Reset();
}

void TMainForm::ShowResultRow(int row, std::string_view word, std::string_view points,
                              std::string_view letter, uint32_t colour) {
    const QString player = ToQString(model_.Settings.Seat(flow_->SeatOfRow(row)).Name);
    sgRes_->SetRowPlayer(row, player);
    sgRes_->SetRow(row, ToQString(word), ToQString(points), ToQString(letter), ToQColor(colour));
    const int n = std::atoi(std::string(points).c_str());
    const QString said =
        word == msg::NoWord
            ? tr("%1: no word, letter %2, %n points", nullptr, n).arg(player, ToQString(letter))
            : tr("%1: %2, %n points", nullptr, n).arg(player, ToQString(word));
    announcer_->Say(said);
}

void TMainForm::AskLetter(Cell) {
    const auto answer = [this](char letter) {
        if (letter == kJoker)
            flow_->PickerCancelled();
        else
            flow_->LetterChosen(letter);
    };
    if (letterSource_) {
        if (const char letter = letterSource_()) answer(letter);
        return;
    }
    inputForm_->Ask(letterWindowAt_, answer);
}

bool TMainForm::ShiftHeld() const {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void TMainForm::WakeAfter(int ms) {
    wakeTimer_.start(std::max(0, ms));
}

void TMainForm::ShowGameStatus() {
    OpenModal(*infoForm_);
}

void TMainForm::ShowRecordTable() {
    OpenModal(*recForm_);
}

void TMainForm::ShowMessage(std::string_view text, MessageIcon icon,
                            std::function<void()> answered) {
    QMessageBox::Icon i = QMessageBox::Information;
    switch (icon) {
        case MessageIcon::Information:
            i = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            i = QMessageBox::Warning;
            break;
        case MessageIcon::Error:
            i = QMessageBox::Critical;
            break;
        case MessageIcon::Question:
            i = QMessageBox::Question;
            break;
    }
    // A carriage return in a text breaks its line (the chat boxes use one).
    QString shown = ShownText(text);
    shown.replace("\r\n", "\n").replace('\r', '\n');
    OpenMessageBox(this, i, shown, std::move(answered));
}

void TMainForm::PhaseChanged(GamePhase phase) {
    if (fieldKeys_) fieldKeys_->PhaseChanged(phase);
}

void TMainForm::CloseDialogs() {
    QWidget* active = QApplication::activeModalWidget();
    if (!active) active = QApplication::activeWindow();
    if (active && active != this && active->isWindow()) active->close();
}

void TMainForm::SeatsTakenOver(const std::vector<int>& seats) {
    const GamePhase phase = flow_->Phase();
    if (seats.empty() || phase == GamePhase::Idle || phase == GamePhase::GameOver) return;
    QStringList numbers;
    for (int n : seats) numbers << QString::number(n);
    const QString name = ToQString(model_.Settings.Seat(seats.front()).Name);
    const QString text =
        seats.size() == 1
            ? tr("%1 has left the game. The computer plays seat %2 now.").arg(name, numbers[0])
            : tr("%1 has left the game. The computer plays seats %2 now.")
                  .arg(name, numbers.join(", "));
    const std::string notice = FromQString(text);
    QTimer::singleShot(0, this,
                       [this, notice] { net_->Notices().Show(notice, MessageIcon::Information); });
}

int TMainForm::RunModal(QDialog& dialog) {
    if (!qobject_cast<QMessageBox*>(&dialog)) {
        dialog.adjustSize();
        dialog.move(CentredOn(*this, dialog.frameGeometry().size()));
    }
    return RunModalAsIs(dialog);
}

void TMainForm::OpenModal(QDialog& dialog, std::function<void(int)> done) {
    if (!qobject_cast<QMessageBox*>(&dialog)) {
        dialog.adjustSize();
        dialog.move(CentredOn(*this, dialog.frameGeometry().size()));
    }
    OpenModalAsIs(dialog, std::move(done));
}

void TMainForm::OpenModalAsIs(QDialog& dialog, std::function<void(int)> done) {
    if (modalRunner_) {
        const int result = modalRunner_(dialog);
        if (done) done(result);
        return;
    }
    // One answer for this opening; the connection goes with it.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(&dialog, &QDialog::finished, this, [this, connection, done](int result) {
        disconnect(*connection);
        // Give the keyboard back to the main window (a window manager would; without one the
        // function keys would go nowhere).
        if (isVisible()) activateWindow();
        if (done) done(result);
    });
    dialog.open();
}

void TMainForm::OpenMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                               std::function<void()> answered) {
    auto* box = new QMessageBox(icon, ToQString(msg::Caption), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    PrepareMessageBox(*box, this);
    OpenModalAsIs(*box, [box, answered = std::move(answered)](int) {
        box->deleteLater();
        if (answered) answered();
    });
}

int TMainForm::RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                             QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, ToQString(msg::Caption), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    PrepareMessageBox(box, this);
    return RunModalAsIs(box);
}

std::optional<uint32_t> TMainForm::PickColour(QWidget& over, uint32_t initial) {
    QColorDialog dialog(ToQColor(initial), &over);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.adjustSize();
    // Centred over the dialog that asks, halves truncated toward zero.
    const QSize size = dialog.size();
    dialog.move(over.x() + (over.width() - size.width()) / 2,
                over.y() + (over.height() - size.height()) / 2);
    if (RunModalAsIs(dialog) != QDialog::Accepted) return std::nullopt;
    return FromQColor(dialog.currentColor());
}

int TMainForm::RunModalAsIs(QDialog& dialog) {
    if (modalRunner_) return modalRunner_(dialog);
    const int result = dialog.exec();  // menu dialogs only
    // Give the keyboard back to the main window (a window manager would; without one the
    // function keys would go nowhere).
    if (isVisible()) activateWindow();
    return result;
}

// Mouse, keys and commands ---------------------------------------------------------------------

void TMainForm::CellPressed(int c, int r, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                            Qt::MouseButtons buttons) {
    if (c >= layoutCols_ || r >= layoutRows_) return;
    if (coach_) coach_->CellPressed();
    flow_->CellClick(Cell{c, r}, ToButton(button), ToShiftState(modifiers, buttons));
}

void TMainForm::CellHovered(int c, int r, Qt::KeyboardModifiers modifiers,
                            Qt::MouseButtons buttons) {
    if (c >= layoutCols_ || r >= layoutRows_) return;
    flow_->CellHover(Cell{c, r}, ToShiftState(modifiers, buttons));
}

void TMainForm::keyPressEvent(QKeyEvent* e) {
    if (fieldKeys_ && fieldKeys_->KeyPress(e)) return;
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            flow_->KeyEnter();
            return;
        case Qt::Key_Escape:
            flow_->KeyEscape();
            return;
        default:
            QMainWindow::keyPressEvent(e);
    }
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (!flow_->CloseRequest()) {
        e->ignore();
        return;
    }
    // A client says "Disconnect"; the listener stops and its connections close.
    net_->Shutdown();
    e->accept();
}

void TMainForm::imSquareContextPopup() {
    flow_->CellClick(Cell{0, 0}, MouseButton::Right, ShiftState{});
}

void TMainForm::imSquareDblClick() {
    if (statusShown_) btStatusClick();
}

void TMainForm::btStatusClick() {
    ShowGameStatus();
}

void TMainForm::sgResSelectCell(int col, int row) {
    if (col != 1) return;
    const QString text = sgRes_->Text(1, row);
    if (text.isEmpty()) return;
    const std::string word = FromQString(text);
    if (word != msg::NoWord) {
        std::string small = word;
        for (char& ch : small) ch = static_cast<char>(static_cast<unsigned char>(ch) + 32);
        QGuiApplication::clipboard()->setText(ToQString(small));
    }
    flow_->ResultsWordClicked(row, word);
}

void TMainForm::miNewGameClick() {
    if (flow_->CanStartNewGame()) flow_->StartNewGame();
}

void TMainForm::ApplyClientMoveLimit() {
    net_->Server().SetMoveLimit(std::chrono::seconds(model_.Settings.ClientMoveLimit));
}

void TMainForm::miOptionsClick() {
    if (flow_->Phase() == GamePhase::ComputerThinking) return;
    if (RunModal(*optionsForm_) != QDialog::Accepted) return;
    central_->update();
    ApplyClientMoveLimit();
    flow_->StartNewGame();
}

void TMainForm::miRecordsClick() {
    ShowRecordTable();
}

void TMainForm::miStyleClick() {
    RunModal(*styleForm_);
}

void TMainForm::miExitClick() {
    close();
}

void TMainForm::miInfoClick() {
    OpenHelp(kHelpContents);
}

void TMainForm::miAboutClick() {
    RunModal(*aboutForm_);
}

}  // namespace tq::ui
