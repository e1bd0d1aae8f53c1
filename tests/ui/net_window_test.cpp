// SPDX-License-Identifier: GPL-3.0-or-later
// The game window as server and as client, through the network play the options dialog drives:
// two windows in one process over loopback sockets play a whole game, each seat entered through
// the window's own field, and both windows end showing the same field and results.

#include <QtTest>

#include <memory>

#include "game_window.h"
#include "net/seat_bot.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"
#include "ui/widgets.h"

using namespace tq;
using namespace tq::test;

namespace {

struct Window : BotWindow {
    Window() : BotWindow(7) {}
    GamePhase Phase() const { return model.State.Phase; }
};

}  // namespace

class NetWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ui::InitialiseApplication(); }

    // With the joker on, the client holds the drawn word behind its "?": a move may form that
    // word, and the game must end on both windows all the same.
    void serverWindowAndClientWindowPlayOneGame_data() {
        QTest::addColumn<bool>("joker");
        QTest::newRow("plain") << false;
        QTest::newRow("joker") << true;
    }

    void serverWindowAndClientWindowPlayOneGame() {
        QFETCH(bool, joker);
        Window server, client;
        GameSettings& s = server.model.Settings;
        s.UseJoker = joker;
        s.Seat(2).Type = PlayerType::Client;
        s.Seat(2).Name = "Bob";
        s.Mode = GameMode::Server;
        QVERIFY(server.form->Net().Server().StartListening(0));

        net::GameClient& bob = client.form->Net().Client();
        QCOMPARE(bob.Connect("127.0.0.1", "Bob", server.form->Net().Server().Port()),
                 net::ConnectResult::Started);
        QVERIFY(WaitFor([&] {
            return server.form->Net().Server().ClientNames() == std::vector<std::string>{"Bob"};
        }));
        QVERIFY(bob.IsConnected());
        QCOMPARE(bob.Recipients(), std::vector<std::string>{"Server"});

        server.form->Flow().StartNewGame();
        QVERIFY(WaitFor([&] { return client.model.Settings.Mode == GameMode::Client; }));
        QCOMPARE(client.model.Settings.Seat(1).Name, std::string("Ann"));
        QCOMPARE(client.model.Settings.UseJoker, joker);
        if (!joker) QCOMPARE(client.form->LetterAt(0, 2)->Text(), QString("S"));

        // Ann at the server window and Bob at the client window take turns until the field is full.
        QVERIFY(WaitFor(
            [&] {
                if (server.Phase() == GamePhase::PutLetter) server.bot->Play();
                if (client.Phase() == GamePhase::PutLetter) client.bot->Play();
                return server.Phase() == GamePhase::GameOver &&
                       client.Phase() == GamePhase::GameOver;
            },
            60000));
        QCOMPARE(server.model.State.LetterCountOnField, 25);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r)
                QCOMPARE(client.form->LetterAt(c, r)->Text(), server.form->LetterAt(c, r)->Text());
        for (int row = 0; row < 20; ++row)
            for (int col = 1; col <= 3; ++col)
                QCOMPARE(client.form->Results()->Text(col, row),
                         server.form->Results()->Text(col, row));
        QCOMPARE(client.model.State.Score(2).Total(), server.model.State.Score(2).Total());
        QCOMPARE(client.modals.Count("tq::ui::TInfoForm"), 1);  // the status dialog at the end
        QVERIFY(bob.IsConnected());  // the client stays for the next game

        if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS"); !dir.isEmpty()) {
            const QString kind = joker ? "-joker" : "";
            server.form->grab().save(dir + "/net-server" + kind + ".png");
            client.form->grab().save(dir + "/net-client" + kind + ".png");
        }

        // The server's window closes: the client's game is over and its button reads "Connect".
        server.form->close();
        QVERIFY(WaitFor([&] { return !bob.IsConnected(); }));
        QVERIFY(bob.Recipients().empty());
    }
};

QTEST_MAIN(NetWindowTest)
#include "net_window_test.moc"
