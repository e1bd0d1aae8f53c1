// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/game_client.h"

#include <memory>
#include <utility>
#include <variant>

#include "base/letters.h"
#include "base/messages.h"
#include "net/move_check.h"

namespace tq::net {

GameClient::GameClient(ClientTransport& transport, GameFlow& flow, NetNotices& notices)
    : transport_(transport), flow_(flow), notices_(notices) {
    transport_.SetEvents(this);
}

GameClient::~GameClient() {
    transport_.SetEvents(nullptr);
}

ConnectResult GameClient::Connect(std::string_view serverName, std::string_view ownName,
                                  uint16_t port) {
    if (state_ != ClientState::Closed) Disconnect();
    if (ownName.empty()) return ConnectResult::EmptyName;
    if (!IsValidName(ownName)) return ConnectResult::InvalidName;
    if (!transport_.Connect(std::string(serverName), port)) return ConnectResult::CannotStart;
    ownName_ = std::string(ownName);
    serverName_ = std::string(serverName);
    port_ = port;
    buffer_.Clear();
    state_ = ClientState::Connecting;
    notices_.Notify([](NetObserver& o) { o.ConnectionChanged(); });
    return ConnectResult::Started;
}

void GameClient::Disconnect() {
    if (state_ == ClientState::Closed) return;
    if (state_ == ClientState::Connected) transport_.Send(DisconnectLine(ownName_));
    transport_.Close();
    Closed();
}

void GameClient::SendChat(std::string_view recipient, std::string_view text) {
    if (state_ != ClientState::Connected) return;
    transport_.Send(
        ChatToServerLine(ownName_, recipient, ChatText(text, ownName_.size() + recipient.size())));
}

void GameClient::SendMyMove(const MoveReport& move) {
    if (state_ != ClientState::Connected) return;
    transport_.Send(MyMoveLine(move));
}

void GameClient::OnConnected() {
    state_ = ClientState::Connected;
    transport_.Send(ConnectLine(ownName_));
    notices_.Notify([](NetObserver& o) { o.ConnectionChanged(); });
    SetRecipients({std::string(kServerName)});
}

void GameClient::OnData(std::string_view bytes) {
    if (state_ != ClientState::Connected) return;
    const bool ok = buffer_.Append(bytes);
    // Handlers may open modal boxes, in which further reads are handled; each line is taken from
    // the buffer once, so the lines keep their order either way.
    while (state_ == ClientState::Connected) {
        const auto line = buffer_.NextLine();
        if (!line) break;
        if (const auto message = ParseServerLine(*line))
            Handle(*message);
        else if (line->starts_with(cmd::NewGame))
            RefuseNewGame();  // a new game all the same: the lines after it are its lines
    }
    if (!ok && state_ == ClientState::Connected) {
        // A line beyond the bound: the server is broken or hostile.
        Disconnect();
        notices_.Show(std::string(msg::NetworkError), MessageIcon::Error);
    }
}

void GameClient::OnClosed() {
    if (state_ == ClientState::Closed) return;
    Closed();
}

void GameClient::OnError(ClientError error) {
    if (error == ClientError::Broken) {
        notices_.Show(std::string(msg::NetworkError), MessageIcon::Error);
        return;
    }
    // The attempt is over; the own name stays for the next one.
    if (state_ == ClientState::Connecting) {
        state_ = ClientState::Closed;
        notices_.Notify([](NetObserver& o) { o.ConnectionChanged(); });
    }
    const std::string_view why = error == ClientError::HostNotFound ? msg::ConnectHostNotFound
                                 : error == ClientError::Refused    ? msg::ConnectRefused
                                 : error == ClientError::NoRoute    ? msg::ConnectNoRoute
                                 : error == ClientError::TimedOut   ? msg::ConnectTimedOut
                                                                    : msg::ConnectFailed;
    const std::string where = msg::Fill(why, {serverName_, std::to_string(port_)});
    if (error == ClientError::HostNotFound)
        notices_.Show(std::string(msg::CannotConnect) + "\r" + where, MessageIcon::Error);
    else
        notices_.Show(std::string(msg::ServerInaccessible) + "\r" + where, MessageIcon::Warning);
}

void GameClient::Closed() {
    state_ = ClientState::Closed;
    buffer_.Clear();
    notices_.Notify([](NetObserver& o) { o.ConnectionChanged(); });
    SetRecipients({});
    // The server's game on this field is over; a game led here is left alone.
    if (!flow_.LedHere()) {
        flow_.StopClock();
        flow_.SetPhase(GamePhase::GameOver);
    }
}

bool GameClient::InServerGame() const {
    const GamePhase phase = flow_.Phase();
    return !flow_.LedHere() && phase != GamePhase::Idle && phase != GamePhase::GameOver;
}

void GameClient::SetRecipients(std::vector<std::string> names) {
    if (names == recipients_) return;
    recipients_ = std::move(names);
    notices_.Notify([](NetObserver& o) { o.RecipientsChanged(); });
}

void GameClient::Handle(const ServerMessage& message) {
    std::visit(
        [this](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, ChangeNameMsg>) {
                HandleChangeName();
            } else if constexpr (std::is_same_v<T, NewGameMsg>) {
                HandleNewGame(m.Game);
            } else if constexpr (std::is_same_v<T, UpdateMoveMsg>) {
                HandleUpdateMove(m);
            } else if constexpr (std::is_same_v<T, YourMoveMsg>) {
                HandleYourMove();
            } else if constexpr (std::is_same_v<T, NewMoveMsg>) {
                HandleNewMove(m.Move);
            } else if constexpr (std::is_same_v<T, ChatFromServerMsg>) {
                notices_.ShowChat(m.Sender, m.Text);
            } else if constexpr (std::is_same_v<T, EndGameMsg>) {
                HandleEndGame();
            }
        },
        message);
}

void GameClient::HandleChangeName() {
    ownName_.clear();  // so the "Disconnect" on closing carries no name
    Disconnect();
    notices_.Show(std::string(msg::NameTaken), MessageIcon::Information);
}

void GameClient::HandleNewGame(const NewGameContent& g) {
    GameModel& model = flow_.Model();
    switch (CheckNewGame(g, model.Dict)) {
        case NewGameVerdict::Ok:
            break;
        case NewGameVerdict::Malformed:
            RefuseNewGame();
            return;
        case NewGameVerdict::OtherAlphabet:
            // This field cannot show the server's letters. Leaving hands the seat to the
            // server's computer, so the game there goes on.
            Disconnect();
            notices_.Show(std::string(msg::OtherAlphabet), MessageIcon::Warning);
            return;
    }

    // The game's players: the own seats are the human's at this computer, every other seat is
    // the server's. The seats' types stay out of the settings, which are this computer's own.
    GameSeats seats;
    seats.Lead = GameLead::Server;
    GameSettings& s = model.Settings;
    s.Count = g.Count;
    for (int n = 1; n <= g.Count; ++n) {
        const NewGameContent::Seat& from = g.Seats[n - 1];
        TPlayers& seat = s.Seat(n);
        seat.Name = from.Name;
        seat.Color = from.Color;
        seat.Skill = from.Skill;
        if (from.Type == PlayerType::Client && SameText(from.Name, ownName_))
            seats.Players.push_back(std::make_shared<LocalHumanSeat>());
        else
            seats.Players.push_back(std::make_shared<RemoteSeat>());
    }
    static_cast<GameRules&>(s) = g;
    s.InitialWord = g.InitialWord;

    std::vector<std::string> recipients{std::string(kServerName)};
    for (const NewGameContent::Seat& seat : g.Seats) {
        if (seat.Type != PlayerType::Client || SameText(seat.Name, ownName_)) continue;
        bool listed = false;
        for (const std::string& r : recipients) listed = listed || SameText(r, seat.Name);
        if (!listed) recipients.push_back(seat.Name);
    }
    SetRecipients(std::move(recipients));

    notices_.Notify([](NetObserver& o) { o.CloseDialogs(); });
    s.Mode = GameMode::Client;
    flow_.StartNewGame(std::move(seats));
}

void GameClient::RefuseNewGame() {
    // The lines that follow belong to that game, not to the one on this field: leaving ends the
    // game here and hands the seat to the server's computer, which would otherwise wait for it.
    Disconnect();
    notices_.Show(std::string(msg::GameRefused), MessageIcon::Warning);
}

void GameClient::HandleUpdateMove(const UpdateMoveMsg& u) {
    if (!InServerGame()) return;
    const GameSettings& s = flow_.Model().Settings;
    GameState& st = flow_.Model().State;
    if (u.Round < 1 || u.Round > st.RoundCount || u.Seat < 1 || u.Seat > s.Count ||
        u.MoveWord < 1 || u.MoveWord > s.WordsPerMove)
        return;
    st.Round = static_cast<uint8_t>(u.Round);
    st.CurrentSeat = static_cast<uint8_t>(u.Seat);
    st.MoveWord = static_cast<uint8_t>(u.MoveWord);
}

void GameClient::HandleYourMove() {
    if (!InServerGame()) return;
    const GamePhase phase = flow_.Phase();
    // A second "YourMove//" during the move would throw away the letter already put.
    if (phase == GamePhase::PutLetter || phase == GamePhase::LetterPut ||
        phase == GamePhase::Marking)
        return;
    // The server asks this computer's seat for its move: a human's here.
    flow_.OpenHumanMove();
    notices_.Notify([](NetObserver& o) { o.CloseDialogs(); });
    notices_.Notify([](NetObserver& o) { o.OwnTurn(); });
}

void GameClient::HandleNewMove(const MoveReport& move) {
    if (!InServerGame()) return;
    if (!IsApplicableMove(flow_.Model(), move)) return;
    notices_.Notify([](NetObserver& o) { o.CloseDialogs(); });
    // Committed like every move, with the seat's counters and award as the server sent them. The
    // commit refuses nothing IsApplicableMove lets through.
    static_cast<void>(flow_.CommitReceivedMove(move));
}

void GameClient::HandleEndGame() {
    if (!InServerGame()) return;
    flow_.EndReceivedGame();
}

}  // namespace tq::net
