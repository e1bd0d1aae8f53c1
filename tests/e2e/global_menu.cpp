// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a desktop's global menu, for the end-to-end run (tests/e2e/global_menu.sh).
//   global_menu registrar  owns the name of the global menu registrar on the session bus and
//                          answers its calls until it is killed, printing "ready" once it owns
//                          the name and "registered <window>" for every window given to it;
//   global_menu probe      shows a plain window with a menu bar and prints "global" when the bar
//                          went to the desktop's global menu, "window" when it stayed.

#include <QApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdio>

namespace {

class Registrar : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.AppMenu.Registrar")
  public slots:
    void RegisterWindow(uint windowId, const QDBusObjectPath& menuObjectPath) {
        std::printf("registered %u %s\n", windowId, qPrintable(menuObjectPath.path()));
        std::fflush(stdout);
    }
    void UnregisterWindow(uint windowId) {
        std::printf("unregistered %u\n", windowId);
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "registrar") {
        QCoreApplication app(argc, argv);
        QDBusConnection bus = QDBusConnection::sessionBus();
        Registrar registrar;
        if (!bus.isConnected() ||
            !bus.registerObject("/com/canonical/AppMenu/Registrar", &registrar,
                                QDBusConnection::ExportAllSlots) ||
            !bus.registerService("com.canonical.AppMenu.Registrar")) {
            std::fprintf(stderr, "global_menu: cannot take the registrar's name: %s\n",
                         qPrintable(bus.lastError().message()));
            return 1;
        }
        std::printf("ready\n");
        std::fflush(stdout);
        return app.exec();
    }
    if (mode == "probe") {
        QApplication app(argc, argv);
        QMainWindow window;
        window.menuBar()->addMenu("File");
        window.show();
        std::printf("%s\n", window.menuBar()->isNativeMenuBar() ? "global" : "window");
        return 0;
    }
    std::fprintf(stderr, "usage: global_menu registrar|probe\n");
    return 2;
}

#include "global_menu.moc"
