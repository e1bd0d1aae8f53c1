// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TOptionsForm, the modal "Game Options" dialog: the game mode (general, client, server), the
// seats, the field, the rules and the times. "Apply" checks the values, copies them into the
// game's settings and closes (the main window then starts a new game); "Save" checks them and
// writes the settings file; "Cancel" closes. In client and server mode it also connects,
// listens, seats connected clients and sends chat, through OptionsNetwork.

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/game_model.h"
#include "net/qt_relay.h"
#include "settings/options.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tq::ui {

class ShapeView;
class Style;
class TMainForm;

// What the dialog asks of network play. The defaults stand for a program without it: listening
// fails and there is nobody to talk to.
class OptionsNetwork {
  public:
    enum class ConnectOutcome : uint8_t {
        Started,      // connecting; the outcome follows as ConnectionChanged
        Closed,       // the connection was open and is closed now
        EmptyName,    // no own name (or one the server could not take)
        CannotStart,  // the connection could not be started at all
    };

    virtual ~OptionsNetwork() = default;
    // Starts the listener; false when it cannot be started.
    virtual bool StartListening() { return false; }
    virtual void StopListening() {}
    // Closes the client connection when one is open.
    virtual void CloseConnection() {}
    // "Connect": closes an open connection, else connects under the own name.
    virtual ConnectOutcome ConnectClick(const std::string& /*ownName*/,
                                        const std::string& /*server*/) {
        return ConnectOutcome::CannotStart;
    }
    virtual bool Connected() const { return false; }
    // The server's list of connected clients, in order of announcement, and its reset.
    virtual std::vector<std::string> ClientNames() const { return {}; }
    virtual void ClearClientNames() {}
    // Whom "Send" can reach: the connected clients (server) or "Server" and the other client
    // seats (client).
    virtual std::vector<std::string> Recipients() const { return {}; }
    // "Send": a chat message to one recipient.
    virtual void SendChat(const std::string& /*recipient*/, const std::string& /*text*/) {}
    // Where other computers reach this one's listener: its network addresses (IPv4, dotted) and
    // the port it listens on (0 when it does not listen).
    virtual std::vector<std::string> LocalAddresses() const { return {}; }
    virtual uint16_t ListeningPort() const { return 0; }
    // Server: closes the connection of the client of that name and lets the computer play its
    // seats, as when it leaves. False when no client has the name.
    virtual bool HandToComputer(const std::string& /*name*/) { return false; }
    // Server: whether the next StartListening opens a room at the relay ("host[:port]") instead
    // of listening; and the open room as players enter it ("relay:port/CODE"), empty while none.
    virtual void SetRelay(bool /*use*/, const std::string& /*relay*/) {}
    virtual std::string RoomText() const { return {}; }
};

class TOptionsForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 330;
    static constexpr int kClientHeight = 339;

    TOptionsForm(GameModel& model, Style& style, TMainForm& main);
    ~TOptionsForm() override;

    // Network play; the default stands in until one is set. The dialog does not own it.
    void SetNetwork(OptionsNetwork* network);
    // How F1 opens a help topic (the options topic is "5_options.htm").
    void SetHelpOpener(std::function<void(const std::string&)> opener) {
        helpOpener_ = std::move(opener);
    }

    // The values the controls hold, as settings: Mode is the mode the radio shows, the seats are
    // all five rows.
    GameSettings ControlValues() const;
    GameMode ShownMode() const { return shownMode_; }

    // One seat row of the Players page.
    struct SeatRow {
        QWidget* row = nullptr;
        QLabel* label = nullptr;  // "Player n"; dragged onto another row's label to swap
        QComboBox* name = nullptr;
        QComboBox* type = nullptr;
        QComboBox* skill = nullptr;
        uint32_t colour = 0;
    };

    // The controls, for tests and for the network side.
    QTabWidget* Pages() const { return pcOptions_; }
    QRadioButton* ModeButton(GameMode mode) const;
    QWidget* ConnectionPanel() const { return pnCon_; }
    // Server mode: this computer's addresses and port, for the other players.
    QLabel* AddressPanel() const { return lbAddress_; }
    QCheckBox* RelayBox() const { return cbRelay_; }
    QLineEdit* RelayEdit() const { return edRelay_; }
    QPushButton* CopyCodeButton() const { return bbCopyCode_; }
    QWidget* MessagePanel() const { return pnMsg_; }
    QLineEdit* OwnNameEdit() const { return edClient_; }
    QLineEdit* ServerEdit() const { return edServer_; }
    QPushButton* ConnectButton() const { return bbCon_; }
    QComboBox* RecipientList() const { return cbRecip_; }
    QLineEdit* MessageEdit() const { return edMsg_; }
    QPushButton* SendButton() const { return bbSendMsg_; }
    // Server mode: the move limit of players at other computers, and the button that hands the
    // chosen recipient's seat to the computer.
    QWidget* MoveLimitPanel() const { return pnLimit_; }
    QSpinBox* ClientMoveLimit() const { return udClientLimit_; }
    QPushButton* HandOverButton() const { return bbHandOver_; }
    QCheckBox* RatedGameBox() const { return cbRatedGame_; }
    QSpinBox* PlayerCount() const { return udPlc_; }
    const SeatRow& Row(int n) const { return rows_[n - 1]; }  // 1-based
    QSpinBox* Columns() const { return udm_; }
    QSpinBox* FieldRows() const { return udn_; }
    QWidget* PreviewPanel() const { return pnPreview_; }
    ShapeView* PreviewSquare(int c, int r) const { return preview_[r * kMaxFieldSide + c]; }
    QSpinBox* WordsPerMove() const { return udwpm_; }
    QSpinBox* MinLength() const { return udMinwl_; }
    QSpinBox* MaxLength() const { return udMaxwl_; }
    QCheckBox* DirectionBox(int k) const { return cbDirs_[k]; }  // 0-based position
    QLabel* DirectionArrow(int k) const { return imDirs_[k]; }
    QCheckBox* JokerBox() const { return cbJoker_; }
    QCheckBox* CrossBox() const { return cbCross_; }
    QCheckBox* CombBox() const { return cbComb_; }
    QSpinBox* TimeLimit() const { return udTpm_; }
    QSpinBox* Bonus() const { return udBonus_; }
    QSpinBox* Fine() const { return udFine_; }
    QCheckBox* AcceptAllBox() const { return cbAllw_; }
    QPushButton* SaveButton() const { return bbOptSave_; }
    QPushButton* ApplyButton() const { return bbOptOk_; }
    QPushButton* CancelButton() const { return bbOptCancel_; }

    // The handlers, in the dialog's own names.
    void FormShow();
    void rgGameModeClick(GameMode mode);
    void cbRatedGameClick();
    void edPlcChange();
    void edmChange();
    void edMinwlChange();
    void edMaxwlChange();
    void edTpmChange();
    void cbTypeChange(int row);
    void cbNameContextPopup(int row);
    void lbPlEndDrag(int source, QWidget* target);
    void bbOptOkClick(bool save);
    void bbOptCancelClick();
    void bbConClick();
    void bbSendMsgClick();

    // The network side's news: a client announced itself or left (server); a leaving client's
    // seats are Computer seats now (server); the connection opened or closed (client); the
    // recipients changed.
    void ClientNamesChanged();
    // Server mode: the chosen recipient's seat goes to the computer.
    void bbHandOverClick();
    void SeatsTakenOver(const std::vector<int>& seats);
    void ConnectionChanged();
    void RecipientsChanged();
    // Server through a relay: the room opened (nothing), or the relay connection ended (why).
    void RelayChanged(std::optional<net::RelayTrouble> lost);

  protected:
    // Only a real showing loads the controls: the window system's showing again (after the main
    // window was minimised) leaves the user's edits as they are.
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    QWidget* BuildGeneralPage();
    QWidget* BuildPlayersPage();
    QWidget* BuildFieldPage();
    QWidget* BuildRulesPage();
    QWidget* BuildAdditionalPage();
    void SetPageEnabled(OptionsPage page, bool enabled);
    void ShowSeatColour(int row);
    bool HasClientEntry() const;
    // Whether a connected client has the name (letter case aside).
    bool ClientConnected(const std::string& name) const;
    void AddClientEntry();
    void RemoveClientEntry();
    int RowOfLabel(const QWidget* w) const;
    // Shift on the click that ticks "Rated game", and only on that click.
    bool ShiftHeld() const;
    void ShowServerAddress();
    // The relay box or its address changed: the server listens again accordingly.
    void RelayChoiceChanged();
    void Inform(std::string_view text, int icon);
    void Inform(const QString& text, int icon);

    GameModel& model_;
    Style& style_;
    TMainForm& main_;
    OptionsNetwork nullNetwork_;
    OptionsNetwork* network_ = &nullNetwork_;
    std::function<void(const std::string&)> helpOpener_;
    GameMode shownMode_ = GameMode::General;
    int dragSource_ = 0;  // the row whose label is being dragged, 0 when none

    QTabWidget* pcOptions_ = nullptr;
    QButtonGroup* rgGameMode_ = nullptr;
    QGroupBox* rgGameModeBox_ = nullptr;
    QWidget* pnCon_ = nullptr;
    QLineEdit* edClient_ = nullptr;
    QLineEdit* edServer_ = nullptr;
    QPushButton* bbCon_ = nullptr;
    QLabel* lbAddress_ = nullptr;
    QCheckBox* cbRelay_ = nullptr;
    QLineEdit* edRelay_ = nullptr;
    QPushButton* bbCopyCode_ = nullptr;
    QWidget* pnMsg_ = nullptr;
    QComboBox* cbRecip_ = nullptr;
    QLineEdit* edMsg_ = nullptr;
    QPushButton* bbSendMsg_ = nullptr;
    QWidget* pnLimit_ = nullptr;
    QSpinBox* udClientLimit_ = nullptr;
    QPushButton* bbHandOver_ = nullptr;
    QCheckBox* cbRatedGame_ = nullptr;
    QSpinBox* udPlc_ = nullptr;
    std::array<SeatRow, kMaxSeats> rows_{};
    QSpinBox* udm_ = nullptr;
    QSpinBox* udn_ = nullptr;
    QWidget* pnPreview_ = nullptr;
    std::array<ShapeView*, kMaxFieldSide * kMaxFieldSide> preview_{};
    QSpinBox* udwpm_ = nullptr;
    QSpinBox* udMinwl_ = nullptr;
    QSpinBox* udMaxwl_ = nullptr;
    std::array<QCheckBox*, 8> cbDirs_{};
    std::array<QLabel*, 8> imDirs_{};
    QCheckBox* cbJoker_ = nullptr;
    QCheckBox* cbCross_ = nullptr;
    QCheckBox* cbComb_ = nullptr;
    QSpinBox* udTpm_ = nullptr;
    QSpinBox* udBonus_ = nullptr;
    QSpinBox* udFine_ = nullptr;
    QCheckBox* cbAllw_ = nullptr;
    QPushButton* bbOptSave_ = nullptr;
    QPushButton* bbOptOk_ = nullptr;
    QPushButton* bbOptCancel_ = nullptr;
};

// The server-mode text for the other players: the addresses (at most four, the rest left to
// the tool tip) and the port.
QString ServerAddressText(const std::vector<std::string>& addresses, uint16_t port);

// The arrow picture of a step direction (0-based position in Directions), drawn in a colour.
QImage DirectionArrowPicture(int k, const QColor& colour, int side = 16);

}  // namespace tq::ui
