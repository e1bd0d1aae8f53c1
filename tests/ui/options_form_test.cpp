// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog: loading from the settings, the four checks of Apply and Save with their
// messages and pages, the rated-game tick, the length coupling, the time limit, the seat rows
// (drag to swap, key filters, colour), the game modes, Save and Apply, Enter and F1, and the
// main window's "Options..." starting a new game.

#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "../test_support.h"
#include "settings/settings_file.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/options_form.h"
#include "ui/text.h"
#include "ui/widgets.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

// Network play that always listens and knows a fixed list of clients. Like the real server it
// announces an emptied client list: stopping and (re)starting the listener drop every client.
struct FakeNetwork : OptionsNetwork {
    TOptionsForm* form = nullptr;
    bool canListen = true;
    bool listening = false;
    bool connected = false;
    int closes = 0;
    int listens = 0;
    std::vector<std::string> clients;
    std::vector<std::pair<std::string, std::string>> chats;
    std::vector<std::string> addresses = {"192.168.0.5", "10.0.0.7"};

    void DropClients() {
        if (clients.empty()) return;
        clients.clear();
        if (form) form->ClientNamesChanged();
    }
    bool StartListening() override {
        DropClients();
        ++listens;
        listening = canListen;
        return canListen;
    }
    void StopListening() override {
        listening = false;
        DropClients();
    }
    std::vector<std::string> LocalAddresses() const override { return addresses; }
    uint16_t ListeningPort() const override { return listening ? 16282 : 0; }
    void CloseConnection() override {
        ++closes;
        connected = false;
    }
    bool Connected() const override { return connected; }
    std::vector<std::string> ClientNames() const override { return clients; }
    void ClearClientNames() override { DropClients(); }
    std::vector<std::string> Recipients() const override { return clients; }
    void SendChat(const std::string& to, const std::string& text) override {
        chats.emplace_back(to, text);
    }
    std::vector<std::string> handed;
    bool HandToComputer(const std::string& name) override {
        handed.push_back(name);
        return true;
    }
    std::vector<std::pair<bool, std::string>> relays;  // the choices before listening
    std::string room;
    void SetRelay(bool use, const std::string& relay) override { relays.emplace_back(use, relay); }
    std::string RoomText() const override { return listening ? room : std::string(); }
    ConnectOutcome outcome = ConnectOutcome::Started;
    std::vector<std::pair<std::string, std::string>> connects;  // own name, server
    ConnectOutcome ConnectClick(const std::string& own, const std::string& server) override {
        connects.emplace_back(own, server);
        if (outcome == ConnectOutcome::Started) connected = true;
        return outcome;
    }
};

struct Dialog {
    GameModel model;
    std::unique_ptr<TMainForm> main;
    test::ModalRecorder modals;
    QStringList messages;  // texts of the message boxes, in order
    FakeNetwork net;

    Dialog() {
        test::FillEnglishModel(model);
        model.Settings.Seat(2).Type = PlayerType::Computer;
        model.Settings.Seat(3).Name = "Cid";
        model.Settings.Seat(4).Name = "Dan";
        model.Settings.Seat(5).Name = "Eve";
        main = std::make_unique<TMainForm>(model);
        main->SetModalRunner(modals.Runner());
        modals.onShow = [this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) messages << box->text();
        };
        Form().SetNetwork(&net);
        net.form = &Form();
        Form().FormShow();
    }
    TOptionsForm& Form() { return main->OptionsForm(); }
    QString Name(int n) { return Form().Row(n).name->currentText(); }
    int Type(int n) { return Form().Row(n).type->currentIndex(); }
    void SetName(int n, const QString& text) { Form().Row(n).name->setEditText(text); }
    void SetType(int n, PlayerType t) {
        Form().Row(n).type->setCurrentIndex(static_cast<int>(t));
        Form().cbTypeChange(n);
    }
    // Apply; the message it showed, or "" when it closed the dialog.
    QString Apply() {
        messages.clear();
        Form().setResult(-1);
        Form().bbOptOkClick(false);
        return messages.isEmpty() ? QString() : messages.last();
    }
    int Page() { return Form().Pages()->currentIndex(); }
};

QString Q(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<int>(s.size()));
}

}  // namespace

class OptionsFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InitialiseApplication(); }

    void layoutAndLoad() {
        Dialog d;
        TOptionsForm& f = d.Form();
        QCOMPARE(f.size(), QSize(330, 339));
        QCOMPARE(f.windowTitle(), QString("Game Options"));
        const QStringList captions = {"  General  ", "  Players  ", "  Game Field  ", "  Rules  ",
                                      "  Additional  "};
        for (int i = 0; i < 5; ++i) QCOMPARE(f.Pages()->tabText(i), captions[i]);
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(f.Row(n).row->geometry(), QRect(10, 44 + 24 * (n - 1), 302, 25));
            QCOMPARE(f.Row(n).label->text(), QString("Player %1").arg(n));
            QVERIFY(f.Row(n).name->font().bold());
            QCOMPARE(f.Row(n).type->count(), 2);
            QCOMPARE(f.Row(n).skill->count(), 7);
        }
        QCOMPARE(d.Name(1), QString("Ann"));
        QCOMPARE(d.Type(1), 0);
        QVERIFY(!f.Row(1).skill->isEnabled());  // a Human row has no skill
        QVERIFY(f.Row(2).skill->isEnabled());
        QCOMPARE(f.Row(1).name->lineEdit()->palette().color(QPalette::Text), QColor(128, 0, 0));
        QVERIFY(f.Row(3).row->isHidden());  // rows beyond the count are hidden
        QCOMPARE(f.TimeLimit()->maximum(), 3600);
        QCOMPARE(f.TimeLimit()->singleStep(), 30);
        QCOMPARE(f.Bonus()->singleStep(), 10);
        QCOMPARE(f.MinLength()->minimum(), int(d.model.Dict.ShortestLen));
        QCOMPARE(f.MaxLength()->maximum(), int(d.model.Dict.LongestLen));
        f.TimeLimit()->setValue(3600);
        QCOMPARE(f.TimeLimit()->text(), QString("3600"));
        f.TimeLimit()->setValue(0);
        QVERIFY(f.DirectionBox(0)->isChecked() && !f.DirectionBox(4)->isChecked());
        QVERIFY(!f.DirectionArrow(7)->pixmap().isNull());
        QVERIFY(!f.SaveButton()->isHidden() && !f.ApplyButton()->isHidden());
        QVERIFY(f.ConnectionPanel()->isHidden() && f.MessagePanel()->isHidden());
    }

    // Each square is 16 pixels at a pitch of 17, the block centred in the panel.
    void fieldPreview() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Columns()->setValue(6);
        f.FieldRows()->setValue(3);
        const int w = f.PreviewPanel()->width();
        const int h = f.PreviewPanel()->height();
        int shown = 0;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) shown += !f.PreviewSquare(c, r)->isHidden();
        QCOMPARE(shown, 18);
        QCOMPARE(f.PreviewSquare(0, 0)->pos(), QPoint((w - 6 * 17) / 2, (h - 3 * 17) / 2));
        QCOMPARE(f.PreviewSquare(5, 2)->pos() - f.PreviewSquare(0, 0)->pos(), QPoint(85, 34));
        QCOMPARE(f.PreviewSquare(0, 0)->size(), QSize(16, 16));
        QCOMPARE(f.PreviewSquare(0, 0)->Pen(), QColor(128, 128, 128));
    }

    void checksInOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("emptyName");  // row whose name is emptied, 0 none
        QTest::addColumn<bool>("noDirection");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("page");
        QTest::newRow("5x5, 3 players")
            << 3 << 5 << 1 << 0 << false << Q(msg::IncorrectParameters) << 0;
        QTest::newRow("5x5, 4 players") << 4 << 5 << 1 << 0 << false << QString() << 0;
        QTest::newRow("4x4, 3 players, 2 words") << 3 << 4 << 2 << 0 << false << QString() << 0;
        QTest::newRow("empty shown name") << 3 << 4 << 1 << 3 << false << Q(msg::NamesMissing) << 1;
        QTest::newRow("empty hidden name") << 3 << 4 << 1 << 4 << false << QString() << 0;
        QTest::newRow("no direction") << 2 << 5 << 1 << 0 << true << Q(msg::NoDirections) << 3;
        QTest::newRow("name before direction")
            << 2 << 5 << 1 << 2 << true << Q(msg::NamesMissing) << 1;
    }
    void checksInOrder() {
        QFETCH(int, count);
        QFETCH(int, side);
        QFETCH(int, words);
        QFETCH(int, emptyName);
        QFETCH(bool, noDirection);
        QFETCH(QString, message);
        QFETCH(int, page);
        Dialog d;
        TOptionsForm& f = d.Form();
        f.PlayerCount()->setValue(count);
        f.Columns()->setValue(side);
        f.FieldRows()->setValue(side);
        f.WordsPerMove()->setValue(words);
        if (emptyName) d.SetName(emptyName, "");
        if (noDirection)
            for (int k = 0; k < 8; ++k) f.DirectionBox(k)->setChecked(false);
        const GameSettings before = d.model.Settings;
        QCOMPARE(d.Apply(), message);
        if (message.isEmpty()) {
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QCOMPARE(int(d.model.Settings.Count), count);
            QCOMPARE(int(d.model.Settings.ColCount), side);
        } else {
            QCOMPARE(d.Page(), page);
            QCOMPARE(f.result(), -1);  // the dialog stays open
            QCOMPARE(d.model.Settings.Count, before.Count);
            QCOMPARE(d.modals.Count("QMessageBox"), 1);
        }
    }

    void ratedChecks() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.RatedGameBox()->setChecked(true);
        d.SetType(1, PlayerType::Computer);
        QCOMPARE(d.Apply(), Q(msg::NoHuman));
        QCOMPARE(d.Page(), 1);
        d.SetType(1, PlayerType::Human);
        d.SetType(2, PlayerType::Human);
        QCOMPARE(d.Apply(), Q(msg::OneHumanOnly));
        // In server mode the hidden tick checks nothing.
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(d.net.listening);
        QVERIFY(f.RatedGameBox()->isHidden());
        QCOMPARE(d.Apply(), QString());
        QCOMPARE(d.model.Settings.Mode, GameMode::Server);
    }

    void ratedTickWithAndWithoutShift() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.show();
        f.Columns()->setValue(7);
        f.FieldRows()->setValue(7);
        f.WordsPerMove()->setValue(3);
        f.JokerBox()->setChecked(true);
        f.AcceptAllBox()->setChecked(true);
        f.Pages()->setCurrentIndex(0);
        QTest::mouseClick(f.RatedGameBox(), Qt::LeftButton, Qt::ShiftModifier, QPoint(8, 10));
        QVERIFY(f.RatedGameBox()->isChecked());
        for (int k = 0; k < 8; ++k) QVERIFY(f.DirectionBox(k)->isChecked());
        QCOMPARE(f.TimeLimit()->value(), 180);
        QCOMPARE(f.Bonus()->value(), 40);
        QCOMPARE(f.Fine()->value(), 40);
        QCOMPARE(f.WordsPerMove()->value(), 1);
        QCOMPARE(f.MinLength()->value(), 3);
        QCOMPARE(f.MaxLength()->value(), f.MaxLength()->maximum());
        QVERIFY(!f.JokerBox()->isChecked() && !f.AcceptAllBox()->isChecked());
        QVERIFY(!f.Pages()->widget(3)->isEnabled() && !f.Pages()->widget(4)->isEnabled());
        // A new field size takes the formula's time.
        f.Columns()->setValue(10);
        f.FieldRows()->setValue(10);
        QCOMPARE(f.TimeLimit()->value(), 240);

        QTest::mouseClick(f.RatedGameBox(), Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(!f.RatedGameBox()->isChecked());
        QVERIFY(f.Pages()->widget(3)->isEnabled() && f.Pages()->widget(4)->isEnabled());
        QCOMPARE(f.TimeLimit()->value(), 240);  // unticking keeps the values
        QTest::mouseClick(f.RatedGameBox(), Qt::LeftButton, {}, QPoint(8, 10));
        for (int k = 0; k < 8; ++k) QCOMPARE(f.DirectionBox(k)->isChecked(), k < 4);
        f.hide();
    }

    void lengthsAndTime() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.MinLength()->setValue(3);
        f.MaxLength()->setValue(4);
        f.MinLength()->setValue(5);
        QCOMPARE(f.MaxLength()->value(), 5);
        f.MaxLength()->setValue(3);
        QCOMPARE(f.MinLength()->value(), 3);

        f.TimeLimit()->setValue(60);
        QVERIFY(f.Bonus()->isEnabled() && f.Fine()->isEnabled());
        f.TimeLimit()->setValue(0);
        QVERIFY(!f.Bonus()->isEnabled() && !f.Fine()->isEnabled());
        // Unticking "Rated game" does not wake the bonus of an untimed game.
        f.RatedGameBox()->setChecked(true);
        f.RatedGameBox()->setChecked(false);
        f.TimeLimit()->setValue(0);
        QVERIFY(!f.Bonus()->isEnabled());
    }

    void dragToSwapSeats() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(1);
        f.show();
        f.PlayerCount()->setValue(3);
        d.SetType(3, PlayerType::Computer);
        f.Row(3).skill->setCurrentIndex(6);
        QLabel* one = f.Row(1).label;
        QLabel* three = f.Row(3).label;
        // Press on row 1's label, release over row 3's.
        QTest::mousePress(one, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(one, Qt::LeftButton, {},
                            one->mapFrom(&f, three->mapTo(&f, QPoint(5, 5))));
        QCOMPARE(d.Name(1), QString("Cid"));
        QCOMPARE(d.Name(3), QString("Ann"));
        QCOMPARE(d.Type(1), 1);
        QCOMPARE(d.Type(3), 0);
        QCOMPARE(f.Row(1).skill->currentIndex(), 6);
        QVERIFY(f.Row(1).skill->isEnabled() && !f.Row(3).skill->isEnabled());
        QCOMPARE(f.Row(3).name->lineEdit()->palette().color(QPalette::Text), QColor(128, 0, 0));
        QCOMPARE(f.Row(3).label->text(), QString("Player 3"));  // labels keep their numbers

        // A drop on the page background or on itself changes nothing.
        QTest::mousePress(one, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(one, Qt::LeftButton, {}, QPoint(5, 200));
        QTest::mousePress(one, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(one, Qt::LeftButton, {}, QPoint(8, 8));
        f.lbPlEndDrag(1, f.Row(2).name);
        QCOMPARE(d.Name(1), QString("Cid"));
        QCOMPARE(d.Name(2), QString("Bob"));
        f.hide();
    }

    void nameKeys() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(1);
        f.show();
        QLineEdit* human = f.Row(1).name->lineEdit();
        human->setFocus();
        human->end(false);
        QTest::keyClicks(human, "abcdefghijklmn");
        QCOMPARE(human->text(), QString("Annabcdefghi"));
        QTest::keyClick(human, Qt::Key_Backspace);
        QCOMPARE(human->text(), QString("Annabcdefgh"));
        QTest::keyClicks(human, ",");
        QCOMPARE(human->text(), QString("Annabcdefgh"));  // a comma never enters a name

        // A Client row takes its name from the list only.
        f.ModeButton(GameMode::Server)->setChecked(true);
        d.net.clients = {"Zed", "Yan"};
        d.SetType(2, PlayerType::Client);
        QCOMPARE(d.Name(2), QString());  // Bob is not connected
        QCOMPARE(f.Row(2).name->count(), 2);
        QLineEdit* client = f.Row(2).name->lineEdit();
        QTest::keyClicks(client, "Zed");
        QCOMPARE(client->text(), QString());
        f.Row(2).name->setCurrentIndex(1);
        QCOMPARE(d.Name(2), QString("Yan"));
        QVERIFY(!f.Row(2).skill->isEnabled());

        // The own name and the server name of network play.
        QLineEdit* own = f.OwnNameEdit();
        QTest::keyClicks(own, "Al,ice");
        QCOMPARE(own->text(), QString("Alice"));
        // The server field takes a host name with its port, up to its own limit.
        QTest::keyClicks(f.ServerEdit(), "192.168.100.200:16282");
        QCOMPARE(f.ServerEdit()->text(), QString("192.168.100.200:16282"));
        f.ServerEdit()->setText(QString(int(kServerNameLimit) - 1, 'a'));
        QTest::keyClicks(f.ServerEdit(), "bc");
        QCOMPARE(f.ServerEdit()->text().size(), int(kServerNameLimit));
        f.hide();
    }

    void modes() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.PlayerCount()->setValue(3);
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(d.net.listening);
        QCOMPARE(f.Row(1).type->count(), 3);
        QCOMPARE(f.Row(1).type->itemText(2), QString("Client"));
        QVERIFY(!f.MessagePanel()->isHidden() && f.ConnectionPanel()->isHidden());
        QVERIFY(!f.ApplyButton()->isHidden() && f.SaveButton()->isHidden());
        d.net.clients = {"bob"};
        d.SetType(2, PlayerType::Client);
        QCOMPARE(d.Name(2), QString("bob"));  // names compare without regard to case
        d.SetType(3, PlayerType::Client);
        QCOMPARE(d.Name(3), QString());

        // Server -> General: the client rows become Computer, the entry goes.
        f.ModeButton(GameMode::General)->setChecked(true);
        QVERIFY(!d.net.listening);
        QVERIFY(d.net.clients.empty());  // the client name list is emptied
        for (int n = 1; n <= 5; ++n) QCOMPARE(f.Row(n).type->count(), 2);
        QCOMPARE(d.Type(2), 1);
        QCOMPARE(d.Type(3), 1);
        QVERIFY(f.Row(2).skill->isEnabled());
        QCOMPARE(d.Name(2), QString("bob"));  // the row keeps the name as text
        QVERIFY(!f.SaveButton()->isHidden());

        // Client: everything but the General page is disabled, no Apply, no Save.
        f.ModeButton(GameMode::Client)->setChecked(true);
        QVERIFY(!f.ConnectionPanel()->isHidden() && !f.MessagePanel()->isHidden());
        QVERIFY(f.RatedGameBox()->isHidden());
        for (int page = 1; page <= 4; ++page) QVERIFY(!f.Pages()->widget(page)->isEnabled());
        QVERIFY(f.ApplyButton()->isHidden() && f.SaveButton()->isHidden());
        QCOMPARE(f.ConnectButton()->text(), QString("Connect"));

        // A listener that cannot start: the message, and back to general mode.
        d.net.canListen = false;
        d.messages.clear();
        f.ModeButton(GameMode::Server)->setChecked(true);
        QCOMPARE(d.messages, QStringList{Q(msg::ServerUnavailable)});
        QVERIFY(f.ModeButton(GameMode::General)->isChecked());
        QCOMPARE(f.ShownMode(), GameMode::General);
        QVERIFY(!f.SaveButton()->isHidden());
    }

    // Leaving server mode turns the Client rows into Computer rows that keep their names, also
    // by way of client mode, although the server announces the emptied client list on the way.
    void leavingServerModeKeepsTheNames_data() {
        QTest::addColumn<QList<int>>("modes");  // after Server, in order
        QTest::newRow("to general") << QList<int>{int(GameMode::General)};
        QTest::newRow("by client to general")
            << QList<int>{int(GameMode::Client), int(GameMode::General)};
    }
    void leavingServerModeKeepsTheNames() {
        QFETCH(QList<int>, modes);
        Dialog d;
        TOptionsForm& f = d.Form();
        f.PlayerCount()->setValue(4);
        f.ModeButton(GameMode::Server)->setChecked(true);
        d.net.clients = {"Zed", "Yan"};
        f.ClientNamesChanged();
        d.SetType(2, PlayerType::Client);
        f.Row(2).name->setCurrentIndex(1);
        d.SetType(3, PlayerType::Client);
        f.Row(3).name->setCurrentIndex(0);
        for (int mode : modes) f.ModeButton(GameMode(mode))->setChecked(true);
        QVERIFY(d.net.clients.empty());
        QCOMPARE(d.Type(2), int(PlayerType::Computer));
        QCOMPARE(d.Type(3), int(PlayerType::Computer));
        QCOMPARE(d.Name(2), QString("Yan"));
        QCOMPARE(d.Name(3), QString("Zed"));
        QCOMPARE(f.Row(2).name->count(), 0);  // the name choices are gone
        QCOMPARE(d.Apply(), QString());
        QCOMPARE(d.model.Settings.Seat(2).Name, std::string("Yan"));
        QCOMPARE(d.model.Settings.Seat(3).Type, PlayerType::Computer);
    }

    // In server mode the band above the chat names this computer's addresses and the port; the
    // other modes do not show it.
    // The fields of the connection and chat panels stand in one column: the same left and right
    // edges on the page.
    void networkFieldsLineUp() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.show();
        f.ModeButton(GameMode::Client)->setChecked(true);
        QWidget* page = f.Pages()->widget(0);
        const QRect own(f.OwnNameEdit()->mapTo(page, QPoint(0, 0)), f.OwnNameEdit()->size());
        for (QWidget* field :
             std::initializer_list<QWidget*>{f.ServerEdit(), f.RecipientList(), f.MessageEdit()}) {
            const QRect r(field->mapTo(page, QPoint(0, 0)), field->size());
            QCOMPARE(r.left(), own.left());
            QCOMPARE(r.right(), own.right());
        }
    }

    void serverModeShowsTheAddress() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(0);
        f.show();
        QVERIFY(f.AddressPanel()->isHidden());
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(f.AddressPanel()->isVisible());
        const QString text = f.AddressPanel()->text();
        QVERIFY2(text.contains("192.168.0.5, 10.0.0.7") && text.contains("16282"),
                 qPrintable(text));
        // It fits the band between the mode group and the chat panel.
        const QRect band = f.AddressPanel()->geometry();
        QVERIFY(band.top() > 88 && band.bottom() < f.MessagePanel()->geometry().top());
        QVERIFY(f.AddressPanel()->heightForWidth(band.width()) <= band.height());
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            f.grab().save(dir + "/options-server.png");
        f.ModeButton(GameMode::Client)->setChecked(true);
        QVERIFY(f.AddressPanel()->isHidden());
        f.ModeButton(GameMode::General)->setChecked(true);
        QVERIFY(f.AddressPanel()->isHidden());
        f.hide();
    }

    // Server mode through a relay: the choice goes to the network before it listens and with the
    // settings; the band shows the room's code once it is open, with a button that copies it,
    // and says when the relay's connection ends.
    void serverModeThroughARelay() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(0);
        f.show();
        QVERIFY(f.RelayBox()->isHidden());
        f.RelayBox()->setChecked(true);
        f.RelayEdit()->setText("relay.example.org");
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(f.RelayBox()->isVisible() && f.RelayEdit()->isVisible());
        QCOMPARE(d.net.relays.back(), (std::pair<bool, std::string>{true, "relay.example.org"}));
        QVERIFY2(f.AddressPanel()->text().contains("No room is open"),
                 qPrintable(f.AddressPanel()->text()));
        QVERIFY(f.CopyCodeButton()->isHidden());

        const std::string room = "relay.example.org:16283/K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1N";
        d.net.room = room;
        f.RelayChanged(std::nullopt);
        QVERIFY2(f.AddressPanel()->text().contains(QString::fromStdString(room)),
                 qPrintable(f.AddressPanel()->text()));
        QVERIFY(f.CopyCodeButton()->isVisible());
        const QRect band = f.AddressPanel()->geometry();
        QVERIFY(f.AddressPanel()->heightForWidth(band.width()) <= band.height());
        QVERIFY(!f.CopyCodeButton()->geometry().intersects(f.RelayEdit()->geometry()));
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            f.grab().save(dir + "/options-server-relay.png");
        QTest::mouseClick(f.CopyCodeButton(), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(room));
        const GameSettings v = f.ControlValues();
        QVERIFY(v.UseRelay);
        QCOMPARE(v.Relay, std::string("relay.example.org"));

        // Unticking listens on the local network again; the relay's end is told as a warning.
        f.RelayBox()->setChecked(false);
        QCOMPARE(d.net.relays.back().first, false);
        QVERIFY(f.AddressPanel()->text().contains("192.168.0.5"));
        QVERIFY(f.CopyCodeButton()->isHidden());
        d.messages.clear();
        f.RelayChanged(net::RelayTrouble::Unreachable);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages.front().contains("relay.example.org"));
        f.hide();
    }

    // Server mode: the move limit for players at other computers (none unless set) goes with
    // the settings, and "Seat to computer" hands the chosen client's seat over.
    void serverMoveLimitAndHandOver() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(0);
        f.show();
        QVERIFY(f.MoveLimitPanel()->isHidden());
        QVERIFY(f.HandOverButton()->isHidden());
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(f.MoveLimitPanel()->isVisible());
        QVERIFY(f.HandOverButton()->isVisible());
        QCOMPARE(f.ClientMoveLimit()->value(), 0);
        QCOMPARE(f.ClientMoveLimit()->text(), QString("none"));
        // Within the mode group, clear of the radio buttons' texts.
        const QRect limit = f.MoveLimitPanel()->geometry();
        QVERIFY(limit.right() < f.MoveLimitPanel()->parentWidget()->width());
        QVERIFY(!f.HandOverButton()->isEnabled());  // nobody to hand over yet

        d.net.clients = {"Ann", "Bob"};
        f.RecipientsChanged();
        QVERIFY(f.HandOverButton()->isEnabled());
        f.RecipientList()->setCurrentIndex(1);
        QTest::mouseClick(f.HandOverButton(), Qt::LeftButton);
        QCOMPARE(d.net.handed, std::vector<std::string>{"Bob"});
        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty())
            f.grab().save(dir + "/options-server-limit.png");

        f.ClientMoveLimit()->setValue(300);
        QCOMPARE(f.ControlValues().ClientMoveLimit, 300);
        f.ModeButton(GameMode::General)->setChecked(true);
        QVERIFY(f.MoveLimitPanel()->isHidden());
        QVERIFY(f.HandOverButton()->isHidden());
        f.hide();
    }

    void addressText_data() {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("none") << QStringList{} << QStringList{"127.0.0.1", "16282"}
                              << QStringList{};
        QTest::newRow("one") << QStringList{"192.168.1.20"} << QStringList{"192.168.1.20.", "16282"}
                             << QStringList{"127.0.0.1"};
        QTest::newRow("six") << QStringList{"10.0.0.1", "10.0.0.2", "10.0.0.3",
                                            "10.0.0.4", "10.0.0.5", "10.0.0.6"}
                             << QStringList{"10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4"}
                             << QStringList{"10.0.0.5", "10.0.0.6"};
    }
    void addressText() {
        QFETCH(QStringList, addresses);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, left);
        std::vector<std::string> list;
        for (const QString& a : addresses) list.push_back(a.toStdString());
        const QString text = ServerAddressText(list, 16282);
        for (const QString& part : shown) QVERIFY2(text.contains(part), qPrintable(text));
        for (const QString& part : left) QVERIFY2(!text.contains(part), qPrintable(text));
    }

    // Restoring the dialog after the main window was minimised is the window system's showing
    // again: the edits, the server mode and its clients stay. A real showing loads the settings.
    void restoringKeepsTheEdits() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.show();
        f.PlayerCount()->setValue(4);
        f.ModeButton(GameMode::Server)->setChecked(true);
        d.net.clients = {"Zed"};
        f.ClientNamesChanged();
        d.SetType(2, PlayerType::Client);
        f.Row(2).name->setCurrentIndex(0);
        const int listens = d.net.listens;
        // Minimised and restored: the window system hides and shows the dialog again.
        f.showMinimized();
        QVERIFY(f.isMinimized());
        f.showNormal();
        QVERIFY(!f.isMinimized() && f.isVisible());
        QCOMPARE(f.PlayerCount()->value(), 4);
        QCOMPARE(f.ShownMode(), GameMode::Server);
        QCOMPARE(d.net.listens, listens);
        QCOMPARE(d.net.clients, std::vector<std::string>{"Zed"});
        QCOMPARE(d.Name(2), QString("Zed"));

        f.hide();
        f.show();
        QCOMPARE(f.PlayerCount()->value(), 2);
        QCOMPARE(f.ShownMode(), GameMode::General);
        f.hide();
    }

    // Only the click that ticks "Rated game" counts for Shift: Shift on any other release over
    // the box is forgotten, and a later rated handling (a tick from code, the return to general
    // mode) ticks the four straight directions.
    void shiftOnlyOnTheTickingClick_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("Shift+Tab onto the box") << "backtab";
        QTest::newRow("press elsewhere, released over it") << "elsewhere";
        QTest::newRow("Shift-click that unticks") << "untick";
    }
    void shiftOnlyOnTheTickingClick() {
        QFETCH(QString, before);
        Dialog d;
        TOptionsForm& f = d.Form();
        f.Pages()->setCurrentIndex(0);
        f.show();
        QCheckBox* box = f.RatedGameBox();
        const QPoint inside(8, 10);
        if (before == "backtab") {
            QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (before == "elsewhere") {
            QTest::mousePress(f.ModeButton(GameMode::General), Qt::LeftButton);
            QTest::mouseRelease(box, Qt::LeftButton, Qt::ShiftModifier, inside);
        } else {
            box->setChecked(true);
            QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, inside);
        }
        QVERIFY(!box->isChecked());
        for (int k = 0; k < 8; ++k) f.DirectionBox(k)->setChecked(false);
        box->setChecked(true);
        for (int k = 0; k < 8; ++k) QCOMPARE(f.DirectionBox(k)->isChecked(), k < 4);
        f.ModeButton(GameMode::Server)->setChecked(true);
        f.ModeButton(GameMode::General)->setChecked(true);
        for (int k = 0; k < 8; ++k) QCOMPARE(f.DirectionBox(k)->isChecked(), k < 4);
        // The Shift-click that ticks still gives all eight.
        box->setChecked(false);
        QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, inside);
        QVERIFY(box->isChecked());
        for (int k = 0; k < 8; ++k) QVERIFY(f.DirectionBox(k)->isChecked());
        f.hide();
    }

    void enterAndF1() {
        Dialog d;
        TOptionsForm& f = d.Form();
        QStringList topics;
        f.SetHelpOpener([&](const std::string& t) { topics << QString::fromStdString(t); });
        f.show();
        QTest::keyClick(&f, Qt::Key_F1);
        QCOMPARE(topics, QStringList{"5_options.htm"});

        f.ModeButton(GameMode::Client)->setChecked(true);
        f.setResult(-1);
        QTest::keyClick(f.Row(1).name->lineEdit(), Qt::Key_Return);
        QTest::keyClick(&f, Qt::Key_Return);
        QCOMPARE(f.result(), -1);  // Enter does nothing in client mode
        QVERIFY(f.isVisible());

        f.ModeButton(GameMode::General)->setChecked(true);
        f.PlayerCount()->setValue(4);
        QTest::keyClick(f.Columns(), Qt::Key_Return);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(d.model.Settings.Count, 4);
    }

    void colourByRightClick() {
        Dialog d;
        TOptionsForm& f = d.Form();
        d.modals.onShow = [](QDialog& dialog) {
            auto* colours = qobject_cast<QColorDialog*>(&dialog);
            QVERIFY(colours);
            colours->setCurrentColor(QColor(10, 20, 30));
        };
        f.cbNameContextPopup(2);
        QCOMPARE(d.modals.Count("QColorDialog"), 1);
        QCOMPARE(f.Row(2).name->lineEdit()->palette().color(QPalette::Text), QColor(10, 20, 30));
        QCOMPARE(f.ControlValues().Seat(2).Color, FromQColor(QColor(10, 20, 30)));
        d.modals.answer = QDialog::Rejected;
        d.modals.onShow = [](QDialog& dialog) {
            qobject_cast<QColorDialog*>(&dialog)->setCurrentColor(Qt::white);
        };
        f.cbNameContextPopup(2);
        QCOMPARE(f.Row(2).name->lineEdit()->palette().color(QPalette::Text), QColor(10, 20, 30));
    }

    // The connection panel and chat, over a stand-in for network play.
    void connectAndChat() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.show();
        f.ModeButton(GameMode::Client)->setChecked(true);
        QTest::keyClicks(f.ServerEdit(), "127.0.0.1");
        d.net.outcome = OptionsNetwork::ConnectOutcome::EmptyName;
        QTest::mouseClick(f.ConnectButton(), Qt::LeftButton);
        QCOMPARE(d.messages, QStringList{Q(msg::EnterName)});
        d.net.outcome = OptionsNetwork::ConnectOutcome::CannotStart;
        d.messages.clear();
        QTest::mouseClick(f.ConnectButton(), Qt::LeftButton);
        // The sentence, then what the field should hold, with what it held.
        QCOMPARE(d.messages.size(), 1);
        QVERIFY2(
            d.messages[0].startsWith(Q(msg::CannotConnect) + "\n\"127.0.0.1\" is not a server"),
            qPrintable(d.messages[0]));
        QVERIFY2(d.messages[0].contains(":port"), qPrintable(d.messages[0]));
        QCOMPARE(d.modals.Count("QMessageBox"), 2);

        d.net.outcome = OptionsNetwork::ConnectOutcome::Started;
        QTest::keyClicks(f.OwnNameEdit(), "Bob");
        QTest::mouseClick(f.ConnectButton(), Qt::LeftButton);
        QCOMPARE(d.net.connects.back(), (std::pair<std::string, std::string>("Bob", "127.0.0.1")));
        QCOMPARE(f.ConnectButton()->text(), QString("Disconnect"));
        QVERIFY(f.OwnNameEdit()->isReadOnly());

        // Recipients come from network play; "Send" goes to the chosen one.
        d.net.clients = {"Server", "Cid"};
        f.RecipientsChanged();
        QCOMPARE(f.RecipientList()->count(), 2);
        f.RecipientList()->setCurrentIndex(1);
        QTest::keyClicks(f.MessageEdit(), "hello, Cid");
        QTest::mouseClick(f.SendButton(), Qt::LeftButton);
        QCOMPARE(d.net.chats.size(), std::size_t(1));
        QCOMPARE(d.net.chats[0].first, std::string("Cid"));
        QCOMPARE(d.net.chats[0].second, std::string("hello, Cid"));

        // A client that leaves the server: its seats are Computer rows again.
        f.ModeButton(GameMode::Server)->setChecked(true);
        d.net.clients = {"Zed"};
        d.SetType(2, PlayerType::Client);
        f.Row(2).name->setCurrentIndex(0);
        QCOMPARE(d.Name(2), QString("Zed"));
        d.net.clients.clear();
        f.SeatsTakenOver({2});
        f.ClientNamesChanged();
        QCOMPARE(d.Type(2), 1);
        QCOMPARE(d.Name(2), QString("Zed"));  // the row keeps the name as text
        QVERIFY(f.Row(2).skill->isEnabled());
        f.hide();
    }

    void saveWritesTheFileAndLeavesTheGame() {
        test::TempDir dir;
        test::WriteFile(dir / "Tessaroon.ini", "[General]\nDict=Test_eng\n[Players]\nName5=Old\n");
        Dialog d;
        d.model.SettingsFile = std::make_unique<IniFile>(dir / "Tessaroon.ini");
        TOptionsForm& f = d.Form();
        f.PlayerCount()->setValue(4);
        d.SetName(3, "Cat");
        f.Columns()->setValue(6);
        f.FieldRows()->setValue(7);
        f.TimeLimit()->setValue(90);
        f.DirectionBox(5)->setChecked(true);
        const GameSettings before = d.model.Settings;
        f.setResult(-1);
        f.bbOptOkClick(true);
        QCOMPARE(f.result(), -1);  // Save does not close
        QCOMPARE(d.model.Settings.Count, before.Count);
        QCOMPARE(d.model.Settings.ColCount, before.ColCount);
        QCOMPARE(f.PlayerCount()->value(), 4);  // the dialog keeps its values
        QCOMPARE(d.Name(3), QString("Cat"));

        const std::string text = test::ReadFile(dir / "Tessaroon.ini");
        const char* order[] = {"RatedGame=0",
                               "Count=4",
                               "Name1=Ann",
                               "Name3=Cat",
                               "Name4=Dan",
                               "Color1=128",
                               "Type1=0",
                               "Type2=1",
                               "Skill4=",
                               "ColCount=6",
                               "RowCount=7",
                               "WordsPerMove=1",
                               "Directions=11110100",
                               "SecMove=90",
                               "AcceptAllWords=0"};
        std::size_t at = 0;
        for (const char* key : order) {
            const std::size_t found = text.find(key, at);
            QVERIFY2(found != std::string::npos, (std::string(key) + " in\n" + text).c_str());
            at = found;
        }
        QVERIFY(text.find("Name5=Old") != std::string::npos);
        QVERIFY(text.find("Dict=Test_eng") != std::string::npos);

        // A refused Save writes nothing.
        d.SetName(2, "");
        f.bbOptOkClick(true);
        QCOMPARE(test::ReadFile(dir / "Tessaroon.ini"), text);
    }

    void cancelKeepsTheSettings() {
        Dialog d;
        TOptionsForm& f = d.Form();
        f.PlayerCount()->setValue(4);
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(d.net.listening);
        f.bbOptCancelClick();
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(!d.net.listening);  // the applied mode is not Server
        QCOMPARE(d.model.Settings.Count, 2);
        // Shown again, the dialog holds the settings in force.
        f.FormShow();
        QCOMPARE(f.PlayerCount()->value(), 2);
        QCOMPARE(f.ShownMode(), GameMode::General);

        // Escape cancels the same way; a close from code (a game arriving from the server) only
        // closes the dialog.
        f.show();
        f.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(d.net.listening);
        f.close();
        QVERIFY(d.net.listening);
        f.show();
        f.ModeButton(GameMode::Client)->setChecked(true);
        d.net.connected = true;
        const int closes = d.net.closes;
        f.close();
        QVERIFY(d.net.connected);
        QCOMPARE(d.net.closes, closes);
        f.show();
        d.model.Settings.Mode = GameMode::Server;  // as if Server had been applied
        f.ModeButton(GameMode::Server)->setChecked(true);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QVERIFY(d.net.listening);
        QVERIFY(!d.net.connected);
    }

    // "Options..." (F3): Apply starts a new game on the new field; Cancel leaves the game.
    void optionsCommandStartsANewGame() {
        Dialog d;
        d.modals.onShow = [&](QDialog& dialog) {
            auto* f = qobject_cast<TOptionsForm*>(&dialog);
            if (!f) return;
            f->Columns()->setValue(6);
            f->FieldRows()->setValue(6);
            f->PlayerCount()->setValue(3);
            d.SetName(3, "Cid");
            f->ClientMoveLimit()->setValue(90);
            f->bbOptOkClick(false);
        };
        QCOMPARE(d.main->Net().Server().MoveLimit(), std::chrono::seconds(0));
        d.main->miOptionsClick();
        QCOMPARE(d.modals.Count("tq::ui::TOptionsForm"), 1);
        QCOMPARE(d.model.Settings.ColCount, 6);
        QCOMPARE(d.model.Settings.Count, 3);
        QVERIFY(d.model.State.Phase != GamePhase::Idle);
        QCOMPARE(d.model.Board.Cols(), 6);
        QVERIFY(d.main->CellAt(5, 5)->isVisibleTo(d.main.get()));
        QVERIFY(!d.main->CellAt(6, 5)->isVisibleTo(d.main.get()));
        // The window's server holds players at other computers to the limit set.
        QCOMPARE(d.model.Settings.ClientMoveLimit, 90);
        QCOMPARE(d.main->Net().Server().MoveLimit(), std::chrono::seconds(90));

        const auto phase = d.model.State.Phase;
        d.modals.answer = QDialog::Rejected;
        d.modals.onShow = nullptr;
        d.main->miOptionsClick();
        QCOMPARE(d.model.State.Phase, phase);
    }
};

QTEST_MAIN(OptionsFormTest)
#include "options_form_test.moc"
