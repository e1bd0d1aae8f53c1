// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog over real sockets, two game windows in one process: the server's dialog
// listens, the client's connects by name, the server seats it in a Client row, chats, applies,
// and the client's game starts with the server's settings and field; Cancel on a client that
// has not joined a game closes its connection.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QtTest>

#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/options_form.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

struct Window {
    GameModel model;
    std::unique_ptr<TMainForm> main;
    test::ModalRecorder modals;
    QStringList messages;

    Window() {
        test::FillEnglishModel(model);
        model.Settings.Seat(2).Type = PlayerType::Computer;
        main = std::make_unique<TMainForm>(model);
        main->SetModalRunner(modals.Runner());
        modals.onShow = [this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) messages << box->text();
        };
        Form().FormShow();
    }
    TOptionsForm& Form() { return main->OptionsForm(); }
};

}  // namespace

class OptionsNetTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        InitialiseApplication();
        // A free port of this machine, so that parallel runs do not clash.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::Any, 0));
        qputenv("TESSAROON_PORT", QByteArray::number(probe.serverPort()));
    }

    void serverSeatsAClient() {
        Window server;
        Window client;
        TOptionsForm& so = server.Form();
        TOptionsForm& co = client.Form();
        so.ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(server.main->Net().Server().Listening());

        co.ModeButton(GameMode::Client)->setChecked(true);
        co.OwnNameEdit()->setText("Bob");
        co.ServerEdit()->setText("127.0.0.1");
        co.bbConClick();
        QTRY_COMPARE(co.ConnectButton()->text(), QString("Disconnect"));
        QVERIFY(co.OwnNameEdit()->isReadOnly());
        QTRY_COMPARE(so.RecipientList()->count(), 1);
        QCOMPARE(so.RecipientList()->itemText(0), QString("Bob"));
        QCOMPARE(co.RecipientList()->itemText(0), QString("Server"));

        // Seat Bob in row 2.
        so.Row(2).type->setCurrentIndex(static_cast<int>(PlayerType::Client));
        so.cbTypeChange(2);
        QCOMPARE(so.Row(2).name->count(), 1);
        so.Row(2).name->setCurrentIndex(0);
        QCOMPARE(so.Row(2).name->currentText(), QString("Bob"));

        // Chat both ways.
        so.MessageEdit()->setText("Welcome");
        so.bbSendMsgClick();
        QTRY_COMPARE(client.messages.size(), 1);
        QVERIFY(client.messages[0].contains("Message from: Server"));
        QVERIFY(client.messages[0].contains("Welcome"));
        co.RecipientList()->setCurrentIndex(0);
        co.MessageEdit()->setText("Thanks");
        co.bbSendMsgClick();
        QTRY_COMPARE(server.messages.size(), 1);
        QVERIFY(server.messages[0].contains("Bob"));

        // Apply on the server: the client's game starts with the server's settings.
        so.Columns()->setValue(6);
        so.FieldRows()->setValue(6);
        so.bbOptOkClick(false);
        QCOMPARE(so.result(), int(QDialog::Accepted));
        QCOMPARE(server.model.Settings.Mode, GameMode::Server);
        server.main->Flow().StartNewGame();
        QTRY_COMPARE(client.model.Settings.Mode, GameMode::Client);
        QCOMPARE(client.model.Settings.Count, 2);
        QCOMPARE(client.model.Settings.ColCount, 6);
        QCOMPARE(client.model.Settings.Seat(2).Name, std::string("Bob"));
        // Bob's seat is the human's at the client; the seat types stay out of its settings.
        QCOMPARE(client.main->Flow().KindOf(2), SeatKind::Human);
        QCOMPARE(client.main->Flow().KindOf(1), SeatKind::Remote);
        for (int c = 0; c < 6; ++c)
            QCOMPARE(client.model.Board.At(c, 2), server.model.Board.At(c, 2));
        QVERIFY(client.model.Board.At(0, 2) != kEmptyCell);

        // Shown again on the client, the dialog stays in client mode with its connection.
        co.FormShow();
        QCOMPARE(co.ShownMode(), GameMode::Client);
        QCOMPARE(co.ConnectButton()->text(), QString("Disconnect"));

        // Bob leaves in the middle of the game: a notice at the server names him and his seat,
        // now played by the computer.
        server.messages.clear();
        client.main->Net().Client().Disconnect();
        QTRY_COMPARE(server.messages.size(), 1);
        QCOMPARE(server.messages[0],
                 QString("Bob has left the game. The computer plays seat 2 now."));
        QCOMPARE(server.main->Flow().KindOf(2), SeatKind::Computer);
        // The settings keep the host's choice; the dialog shows the seat as the computer's.
        QCOMPARE(server.model.Settings.Seat(2).Type, PlayerType::Client);
        so.FormShow();
        QCOMPARE(so.Row(2).type->currentIndex(), int(PlayerType::Computer));
        QVERIFY(server.model.State.Phase != GamePhase::GameOver);
    }

    // The server field may name the port: a window on another port reaches the server by
    // "host:port", and a bare host that finds nobody says where it tried and why.
    void theServerFieldNamesAPort() {
        const QByteArray serverPort = qgetenv("TESSAROON_PORT");
        Window server;
        server.Form().ModeButton(GameMode::Server)->setChecked(true);
        QVERIFY(server.main->Net().Server().Listening());
        qputenv("TESSAROON_PORT", "1");  // nothing listens there
        Window client;
        qputenv("TESSAROON_PORT", serverPort);
        TOptionsForm& co = client.Form();
        co.ModeButton(GameMode::Client)->setChecked(true);
        co.OwnNameEdit()->setText("Cid");
        co.ServerEdit()->setText("127.0.0.1");
        co.bbConClick();
        QTRY_COMPARE(client.messages.size(), 1);
        QVERIFY2(
            client.messages[0].contains("127.0.0.1, port 1: the server refused the connection."),
            qPrintable(client.messages[0]));
        co.ServerEdit()->setText("127.0.0.1:" + QString::fromLatin1(serverPort));
        co.bbConClick();
        QTRY_COMPARE(server.main->Net().Server().ClientNames(), std::vector<std::string>{"Cid"});
    }

    void cancelClosesAClientThatHasNotJoined() {
        Window server;
        Window client;
        server.Form().ModeButton(GameMode::Server)->setChecked(true);
        TOptionsForm& co = client.Form();
        co.ModeButton(GameMode::Client)->setChecked(true);
        co.OwnNameEdit()->setText("Ann");
        co.ServerEdit()->setText("127.0.0.1");
        co.bbConClick();
        QTRY_COMPARE(server.main->Net().Server().ClientNames().size(), std::size_t(1));
        co.bbOptCancelClick();
        QCOMPARE(co.ConnectButton()->text(), QString("Connect"));
        QTRY_COMPARE(server.main->Net().Server().ClientNames().size(), std::size_t(0));
        // The server's dialog cancelled while General is applied stops listening.
        server.Form().bbOptCancelClick();
        QVERIFY(!server.main->Net().Server().Listening());
        QVERIFY(server.messages.isEmpty());  // no game was running: no notice
    }
};

QTEST_MAIN(OptionsNetTest)
#include "options_net_test.moc"
