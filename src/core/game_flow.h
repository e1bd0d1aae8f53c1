// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's dialogue: new game, move entry, scoring, the turns and the move clock. It owns
// nothing of the model; it reads and changes the one GameModel and talks to the window through
// GameView and to the network through NetSender. Everything runs on the user-interface thread.
//
// It never waits inside itself. The window hands it commands (a click, a key, a letter chosen, a
// received move, a wake-up, a clock tick, a close request); each one changes the game a step and
// returns. What the game wants of the window is an output through GameView: show this, ask for a
// letter at this cell, wake me in n milliseconds, show this message and tell me when it is closed.
// The answers come back as commands. So several games may run side by side in one thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/move.h"
#include "base/status.h"
#include "core/game_events.h"
#include "core/game_model.h"
#include "core/game_view.h"
#include "core/net_sender.h"
#include "core/seat.h"
#include "core/time_counter.h"

namespace tq {

class ComputerPlayer;

enum class MouseButton : uint8_t { Left, Right, Middle };

// The keyboard and mouse state that travels with a click or a pointer move.
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool anyButton = false;  // a mouse button is held
    // Ctrl held, no mouse button, no Shift, no Alt.
    bool OnlyCtrl() const { return ctrl && !shift && !alt && !anyButton; }
};

// The game and its phase at one moment, for work that ends later elsewhere (a hint searched on
// another thread) to tell whether its game is still the one on the field.
struct FlowMoment {
    uint64_t Game = 0;
    GamePhase Phase = GamePhase::Idle;
};

class GameFlow {
  public:
    // The model must hold its loaded dictionary: the computer player is built from it once.
    // clockTick is the length of one second of the move clock (tests shorten it).
    GameFlow(GameModel& model, GameView& view, NetSender& sender,
             std::chrono::milliseconds clockTick = std::chrono::milliseconds(1000));
    ~GameFlow();
    GameFlow(const GameFlow&) = delete;
    GameFlow& operator=(const GameFlow&) = delete;

    GameModel& Model() { return model_; }
    const GameModel& Model() const { return model_; }
    void SetSender(NetSender& sender) { sender_ = &sender; }
    NetSender& Sender() { return *sender_; }

    // Observers of the game events, told in the order they subscribed. An observer must stay alive
    // until it unsubscribes or the flow goes.
    void Subscribe(GameEvents& observer);
    void Unsubscribe(GameEvents& observer);

    // Whether the game was replaced by a new one since the moment.
    FlowMoment Moment() const { return {gameSerial_, Phase()}; }
    bool GameReplacedSince(FlowMoment m) const { return m.Game != gameSerial_; }

    // Sets the phase and updates the status widgets.
    void SetPhase(GamePhase phase);
    GamePhase Phase() const { return model_.State.Phase; }

    // New game from the current settings (the "New Game" command, Apply), with the seats they
    // ask for. Throws away the game in progress whatever its phase.
    void StartNewGame();
    // New game with these players (a client's game received from its server). A game led here
    // draws its initial word and opens the first turn; a game led by a server places the word the
    // settings received and waits for the server's lines.
    void StartNewGame(GameSeats seats);
    // Whether the "New Game" command may start a game now (a game the settings lead here, no
    // computer move under way).
    bool CanStartNewGame() const;

    // The players of the game on the field. Before the first game there are none.
    const SeatPlayer* PlayerOf(int seat) const;
    // Who plays the seat; the computer for a seat the game does not have.
    SeatKind KindOf(int seat) const;
    // Whether this computer leads the game on the field (true before the first game).
    bool LedHere() const { return seats_.LedHere(); }
    // The player at another computer has gone: the computer plays the seat from now on (a turn
    // that waits for it is the caller's to open again).
    void HandSeatToComputer(int seat);

    // What the seats do when their turn opens. A human at this computer: the move is awaited in
    // phase 11, with the clock when the rules time moves. The computer: phase 15, and a wake-up
    // for its move.
    void OpenHumanMove();
    void OpenComputerMove();
    // A random word of n letters from the store, or n random letters when it has none.
    std::string PickInitialWord(int n);

    // Mouse and keys on the field. Clicks and keys in phases where they mean nothing do nothing.
    void CellClick(Cell cell, MouseButton button, ShiftState shift);
    void CellHover(Cell cell, ShiftState shift);
    void AcceptWord();
    void KeyEnter() { AcceptWord(); }
    void KeyEscape() { CellClick(Cell{0, 0}, MouseButton::Right, ShiftState{}); }
    // Keyboard play on the field's cell cursor; marking with the keys is CellClick itself. A
    // typed letter on an empty cell where a letter may go puts it as the letter window's answer
    // would; while a letter is already put, it is taken back first, so typing again changes or
    // moves it. Elsewhere, in other phases, or for a character outside the alphabet: nothing.
    void TypeLetter(Cell cell, char letter);
    // Whether TypeLetter would put a letter into the cell now.
    bool LetterMayGo(Cell cell) const;
    // The answer to GameView::AskLetter: the letter chosen, or the letter window closed without
    // one. An answer nobody waits for any more (the move moved on meanwhile) changes nothing.
    void LetterChosen(char letter);
    void PickerCancelled();
    // Whether a letter was asked for and not answered yet.
    bool AwaitsLetter() const { return asked_ != LetterAsk::None; }
    // The answer to GameView::WakeAfter: the pace of a computer move is over, or the events that
    // waited have run and the computer may move. A wake-up nobody waits for changes nothing.
    void Wake();
    // Whether the game waits for a wake-up.
    bool AwaitsWake() const { return wake_ != WakeFor::None; }
    // Backspace: unmarks the last marked cell of the chain (after the first one the letter stands
    // put and unmarked, phase 12); with nothing marked, takes the put letter back.
    void UnmarkLast();
    // The window's close request: false (and the game stopped) during a computer move.
    bool CloseRequest();

    // A move received from the network, for CurrentSeat: on the server a client's own move
    // (accepted only while the game awaits it), on a client a move of another seat. Checks the
    // move's cell and letter, then commits it like every move, with the seat's counters and the
    // time award taken from the report; the server then opens the next turn. Refused moves change
    // nothing.
    Status CommitReceivedMove(const MoveReport& report);
    // The server has ended the game: the outcome line and the game-ended event as at the end of
    // a local game, the clock stopped and the results shown; nothing is sent and no records are
    // kept (a network game is never rated).
    void EndReceivedGame();

    // Turn flow and scoring. EndOfMove opens the next turn (or ends the game after the last one).
    void EndOfMove();
    void StartClock();
    void StopClock();
    // The 50 ms display tick: shows the remaining seconds on the clock label.
    void ClockTick();
    // The time left as minutes ":" seconds, each at least two digits ("01:05"); over time the
    // overrun after a "+" ("+00:16").
    static std::string ClockText(int32_t seconds);
    // Dark green above 60 s left, olive for 1..60 s, maroon at 0 and over time.
    static uint32_t ClockColour(int32_t seconds);
    // The bonus (positive) or fine (negative) for a move that ended with `remaining` seconds left.
    static int16_t TimeAwardFor(int32_t remaining, int32_t secBonus, int32_t secFine);

    // The status line after the last move: "<name> wins" for the one seat with the highest
    // total, else "The game is a draw".
    std::string OutcomeText() const;

    // The results-table entry of a completed move, and re-marking the field for it. MarkedPath
    // must hold the move's chain (codes each followed by ':').
    void ShowWord(const std::string& word, char letter, Cell cell, bool markPath);
    // A click on a word cell of the results table (row from 0; word as the cell shows it). The
    // clipboard copy is the view's job; here the word's cells are marked in phases 11 and 17.
    void ResultsWordClicked(int row, const std::string& word);
    // The row of the move of the current turn state, and the seat whose colour a row takes.
    int ResultRow() const;
    int SeatOfRow(int row) const;

    // The mark state of every cell view, as the field view shows it.
    MarkState CellMark(Cell c) const { return marks_[c.col][c.row]; }
    // The letter a cell shows: the put letter in NewLetterCell during a move, else the field's.
    char CellLetter(Cell c) const;
    // The text of the word label and of the hint label.
    const std::string& WordLabel() const { return wordLabel_; }
    const std::string& Hint() const { return hint_; }
    TTimeCounter& Clock() { return clock_; }

    // Coaching (the hint and the review window). The computer player; a search on another
    // thread takes its Frozen() copy, made on this one.
    const ComputerPlayer& Computer() const { return *computer_; }
    // Whether a human at this computer is entering a move (phases 11 to 13).
    bool LocalHumanMoving() const;
    // The hint line shows the text while a human here enters a move; nothing else changes.
    void ShowCoachHint(std::string_view text);

  private:
    // What a letter was asked for.
    enum class LetterAsk : uint8_t { None, NewLetter, ChainStart, ChainExtend };
    // What a wake-up is for: the computer's move, or the end of the pace after it.
    enum class WakeFor : uint8_t { None, ComputerMove, Pace };

    void ClearMarks();
    // Marks the cell, asking first which letter a joker cell stands for.
    void MarkOrAsk(Cell cell, bool extend);
    void AskLetter(LetterAsk what, Cell cell);
    // The checks of AcceptWord after the dictionary's: the move is committed when they pass.
    void AcceptChecked(const std::string& word);
    // The message about the word list has been closed.
    void MessageAnswered();
    void MarkCell(Cell cell, char letter, bool extend);
    void TakeBack();
    // The new letter stands in the cell: shown, remembered, phase 12.
    void PlaceNewLetter(Cell cell, char letter);
    void Refuse(std::string_view text);
    void ShowHint(std::string_view text, uint32_t colour);
    // The human at this computer has made the move of the marked word (or the new letter alone).
    void CommitHumanMove(const std::string& word);
    // The one path of every move: scores it (10 points a letter, the time award), places its
    // letter, records the played word, shows it in the results table and on the field, sends it
    // to the network, and tells the observers. The turn does not advance here. A received move's
    // report gives the seat's counters.
    void CommitMove(const Move& move, MoveSource source, int16_t timeAward,
                    const MoveReport* received = nullptr);
    // The time award of the local human's move: stops the clock when one runs.
    int16_t HumanTimeAward();
    bool IsMarked(Cell c) const { return marks_[c.col][c.row] == MarkState::Marked; }
    bool Occupied(Cell c) const;
    bool InField(Cell c) const;
    void SetMark(Cell c, MarkState s);
    void ComputerTurn();
    void RequestWake(WakeFor what, int ms);
    // Whether the turn after the current one is a computer seat's, or the game ends with it.
    bool ComputerMovesNextOrGameEnds() const;
    void GameOver();
    // The game-over phase with the outcome in the status line, where it stays until the next game.
    void ShowOutcome();
    void NotifyGameEnded(int recordPlace);
    MoveReport Report(const Move& move, MoveSource source) const;
    template <class Event>
    void Notify(void (GameEvents::*handler)(const Event&), const Event& event);
    NewGameContent NewGameLine(const std::string& placedWord) const;

    GameModel& model_;
    GameView& view_;
    NetSender* sender_;
    TTimeCounter clock_;
    std::unique_ptr<ComputerPlayer> computer_;
    std::array<std::array<MarkState, kMaxFieldSide>, kMaxFieldSide> marks_{};
    char putLetter_ = kEmptyCell;  // the letter being put in NewLetterCell
    std::string wordLabel_;        // the word label's text: the letters of the marked chain
    std::string hint_;             // the hint label's text
    LetterAsk asked_ = LetterAsk::None;
    Cell askedCell_;
    GamePhase askedPhase_ = GamePhase::Idle;
    WakeFor wake_ = WakeFor::None;
    std::string pendingWord_;  // the word whose message about the word list is open
    std::vector<GameEvents*> observers_;
    uint64_t gameSerial_ = 0;  // counts new games
    GameSeats seats_;          // the players of the game on the field
};

}  // namespace tq
