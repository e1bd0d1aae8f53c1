// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMainForm, the game window: the field of letter cells over its background on the left, the
// results table on the right, the status line below and the main menu on top. It is the game's
// GameView and hands mouse, keys and menu commands to the GameFlow it owns.

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/game_flow.h"
#include "core/game_model.h"
#include "core/game_view.h"
#include "core/net_sender.h"
#include "net/either_transport.h"
#include "net/net_play.h"
#include "net/qt_relay.h"
#include "net/qt_transport.h"
#include "ui/menu_look.h"
#include "ui/style.h"
#include "ui/widgets.h"

class QAction;
class QDialog;
class QMenu;

namespace tq::ui {

class Announcer;
class Coach;
class FieldKeys;
class ResultsGrid;
class TAboutForm;
class TInfoForm;
class TInputForm;
class OptionsNetPlay;
class TOptionsForm;
class TRecForm;
class TStyleForm;

class TMainForm : public QMainWindow, public GameView, private net::NetObserver {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 627;
    static constexpr int kClientHeight = 364;

    // Builds the window for a model that start-up has filled (settings and dictionary), loads
    // the style named by the settings and shows the emblem of golden cells; then the options
    // dialog, the status dialog, the letter window, the record table, the about box and the
    // style dialog are created, in that order.
    explicit TMainForm(GameModel& model, QWidget* parent = nullptr);
    ~TMainForm() override;

    GameFlow& Flow() { return *flow_; }
    // Network play: the server and client sides the options dialog drives. The window owns it
    // and its sockets for its whole life; closing the window ends both sides.
    net::NetPlay& Net() { return *net_; }
    GameModel& Model() { return model_; }
    Style& CurrentStyle() { return style_; }
    TOptionsForm& OptionsForm() { return *optionsForm_; }
    TInfoForm& InfoForm() { return *infoForm_; }
    TInputForm& InputForm() { return *inputForm_; }
    TRecForm& RecForm() { return *recForm_; }
    TAboutForm& AboutForm() { return *aboutForm_; }
    TStyleForm& StyleForm() { return *styleForm_; }
    // The hint (F7) and the review window (F8).
    Coach& Coaching() { return *coach_; }

    // Test seams: where AskLetter takes its answer (the letter window when unset; the source
    // answers at once, and its '\0' leaves the question open for a test to answer), and how a
    // dialog or message box runs (opened over the window when unset; the runner returns its result
    // at once).
    void SetLetterSource(std::function<char()> source) { letterSource_ = std::move(source); }
    void SetModalRunner(std::function<int(QDialog&)> runner) { modalRunner_ = std::move(runner); }
    // Where the letter window opens next (its top-left corner, global): at the pointer when
    // unset. Keyboard play opens it at the cursor's cell.
    void SetLetterWindowAt(std::optional<QPoint> at) { letterWindowAt_ = at; }
    std::optional<QPoint> LetterWindowAt() const { return letterWindowAt_; }
    FieldKeys& Keys() { return *fieldKeys_; }

    // ApplyStyle: the style dialog's Apply has put its colours into the style.
    void ApplyStyle();

    // The controls, for tests.
    QWidget* ClientArea() const { return central_; }
    CellView* CellAt(int c, int r) const { return cells_[c][r]; }
    TextLabel* LetterAt(int c, int r) const { return letters_[c][r]; }
    MarkState CellState(int c, int r) const { return marks_[c][r]; }
    TextLabel* WordLabel() const { return lbWord_; }
    TextLabel* HintLabel() const { return lbHint_; }
    QLabel* ClockLabel() const { return led_; }
    FlatButton* StatusButton() const { return btStatus_; }
    PictureView* Background() const { return imSquare_; }
    ResultsGrid* Results() const { return sgRes_; }
    FlatButton* PageUpButton() const { return sbUp_; }
    FlatButton* PageDownButton() const { return sbDn_; }
    ShapeView* WordFrame() const { return shWord_; }
    ShapeView* HintFrame() const { return shHint_; }
    QAction* NewGameAction() const { return miNewGame_; }
    QMenu* GameMenu() const { return miGame_; }
    QMenu* HelpMenu() const { return miHelp_; }
    bool StatusShown() const { return statusShown_; }
    // The laid-out field (0 x 0 while the emblem shows).
    int FieldCols() const { return layoutCols_; }
    int FieldRows() const { return layoutRows_; }
    // What a screen reader is told of moves, the start and end of a game, hints and refusals.
    Announcer* Announcements() const { return announcer_; }
    bool ClockTimerActive() const { return timer_.isActive(); }

    // GameView.
    void LayoutField(int cols, int rows) override;
    void ShowCellLetter(Cell cell, std::string_view letter) override;
    void ShowCellMark(Cell cell, MarkState state) override;
    void ShowWordLabel(std::string_view text) override;
    void ShowHintLabel(std::string_view text, uint32_t colour) override;
    // The hint line's text as the window shows it. A text wider than the hint box widens the box
    // to the right, under the results table, up to the clock.
    void ShowHintText(const QString& text, const QColor& colour);
    void SetHintVisible(bool visible) override;
    void SetStatusButtonVisible(bool visible) override;
    void ShowClock(std::string_view text, uint32_t colour) override;
    void SetClockVisible(bool visible) override;
    void SetClockTimerEnabled(bool enabled) override;
    void ResetResults() override;
    void ShowResultRow(int row, std::string_view word, std::string_view points,
                       std::string_view letter, uint32_t colour) override;
    void AskLetter(Cell at) override;
    bool ShiftHeld() const override;
    void WakeAfter(int ms) override;
    void ShowGameStatus() override;
    void ShowRecordTable() override;
    void ShowMessage(std::string_view text, MessageIcon icon,
                     std::function<void()> answered = nullptr) override;
    bool WakePending() const { return wakeTimer_.isActive(); }
    void PhaseChanged(GamePhase phase) override;

    // Menu commands and handlers.
    void miNewGameClick();
    // The server's move limit for players at other computers, from the settings.
    void ApplyClientMoveLimit();
    void miOptionsClick();
    void miRecordsClick();
    void miStyleClick();
    void miExitClick();
    void miInfoClick();
    void miAboutClick();
    void btStatusClick();
    void imSquareContextPopup();
    void imSquareDblClick();
    void sgResSelectCell(int col, int row);

    // Opens a dialog over the main window, centred on it, and returns at once; `done` gets its
    // result when it closes. The game's own dialogs open so.
    void OpenModal(QDialog& dialog, std::function<void(int)> done = nullptr);
    // Opens a dialog where it stands (message boxes place themselves), likewise.
    void OpenModalAsIs(QDialog& dialog, std::function<void(int)> done = nullptr);
    // A message box as RunMessageBox would show it, opened likewise; it deletes itself.
    void OpenMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                        std::function<void()> answered = nullptr);
    // Runs a dialog modally, centred on the main window: the menu's own dialogs (options, style,
    // about), which no game step waits for.
    int RunModal(QDialog& dialog);
    // Runs a dialog modally where it stands (message boxes place themselves).
    int RunModalAsIs(QDialog& dialog);
    // A message box of plain text captioned "Tessaroon" over the main window, owned by parent
    // (the dialog that asks, or this window), run modally: the button pressed.
    int RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                      QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // The colour dialog over the dialog `over`, starting at `initial`: the colour chosen, or
    // nothing when cancelled.
    std::optional<uint32_t> PickColour(QWidget& over, uint32_t initial);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void BuildControls();
    void BuildMenu();
    void ColourControls();
    void CentreLetter(int c, int r);
    // The hint box as wide as its text needs (never narrower than the field), the text centred.
    void FitHintBox();
    const QImage& PictureFor(MarkState s) const;
    void CellPressed(int c, int r, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                     Qt::MouseButtons buttons);
    void CellHovered(int c, int r, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
    // The names assistive technology reads for the window's controls, and their Tab order.
    void NameControls();

    // NetObserver: a server line that replaces what the user looks at closes the open dialog.
    void CloseDialogs() override;
    // NetObserver: a client left during a game; a notice names it and the seats the computer
    // plays now. It waits until the server's handling is over and any open box is closed.
    void SeatsTakenOver(const std::vector<int>& seats) override;

    GameModel& model_;
    Style style_;
    NullSender sender_;
    std::unique_ptr<GameFlow> flow_;
    net::QtServerTransport serverSockets_;
    net::QtClientTransport clientSockets_;
    // The way through a relay, which the options dialog may choose instead of the direct sockets.
    net::QtRelayHostTransport relayHost_;
    net::QtRelayClientTransport relayPlayer_;
    net::EitherServerTransport serverEnd_{serverSockets_, relayHost_};
    net::EitherClientTransport clientEnd_{clientSockets_, relayPlayer_};
    std::unique_ptr<net::NetPlay> net_;

    QWidget* central_ = nullptr;
    ShapeView* shSquare1_ = nullptr;
    ShapeView* shSquare2_ = nullptr;
    PictureView* imSquare_ = nullptr;
    PictureView* imGoldenCell_ = nullptr;
    std::array<std::array<CellView*, kMaxFieldSide>, kMaxFieldSide> cells_{};
    std::array<std::array<TextLabel*, kMaxFieldSide>, kMaxFieldSide> letters_{};
    std::array<std::array<MarkState, kMaxFieldSide>, kMaxFieldSide> marks_{};
    int layoutCols_ = 0;  // the laid-out field; 0 while the emblem shows
    int layoutRows_ = 0;
    ShapeView* shWord_ = nullptr;
    TextLabel* lbWord_ = nullptr;
    ShapeView* shHint_ = nullptr;
    TextLabel* lbHint_ = nullptr;
    QLabel* led_ = nullptr;
    ShapeView* shStatus_ = nullptr;
    FlatButton* btStatus_ = nullptr;
    std::array<ShapeView*, 3> headShapes_{};
    std::array<TextLabel*, 3> headLabels_{};
    QWidget* pnRes_ = nullptr;
    ResultsGrid* sgRes_ = nullptr;
    ShapeView* shUp_ = nullptr;
    ShapeView* shDn_ = nullptr;
    FlatButton* sbUp_ = nullptr;
    FlatButton* sbDn_ = nullptr;
    Announcer* announcer_ = nullptr;
    QTimer timer_;
    QTimer wakeTimer_;  // the game's wake-up
    bool statusShown_ = false;

    MenuLook* menuLook_ = nullptr;
    QMenu* miGame_ = nullptr;
    QMenu* miHelp_ = nullptr;
    QAction* miNewGame_ = nullptr;

    std::unique_ptr<TOptionsForm> optionsForm_;
    std::unique_ptr<OptionsNetPlay> optionsNet_;
    std::unique_ptr<TInfoForm> infoForm_;
    std::unique_ptr<TInputForm> inputForm_;
    std::unique_ptr<TRecForm> recForm_;
    std::unique_ptr<TAboutForm> aboutForm_;
    std::unique_ptr<TStyleForm> styleForm_;
    FieldKeys* fieldKeys_ = nullptr;  // a child of the window
    std::unique_ptr<Coach> coach_;

    std::function<char()> letterSource_;
    std::function<int(QDialog&)> modalRunner_;
    std::optional<QPoint> letterWindowAt_;
};

}  // namespace tq::ui
